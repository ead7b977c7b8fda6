// The handlers behind the Settings 3 page's dispatcher. Each returns true when it acted, so that the
// dispatcher refreshes the "current QZ.ini" listing once afterwards.
#pragma once

#include "state/app.h"

#include <string>

namespace qz::pages::settings3 {

// settings3_page.cpp: time code, CPU, priority, chroma output, AVS memory.
bool on_time_code_typed(App& app, int box);
bool on_cpu(App& app, int radio);
bool on_priority(App& app, int radio);
bool on_chroma_output(App& app, int radio);
bool on_avs_memory_entered(App& app);
bool on_avs_memory_typed(App& app);
bool on_avs_memory_left(App& app);

// settings3_lossless.cpp: the lossless intermediate file and its size estimate.
bool on_lossless(App& app);
// The estimate as the page shows it: two decimals and " GB".
std::string size_text(double gigabytes);

// settings3_paths.cpp: the folders of the intermediate files.
bool on_clear_paths(App& app);
bool on_folder_button(App& app, int button);

}  // namespace qz::pages::settings3
