// The Main page's three information buttons: what the program found of the encoder, the Avisynth
// library and the DGDecode libraries, written to the Message log.
#pragma once

#include "state/app.h"

#include <array>

namespace qz::pages {

// The DGDecode builds looked for, with the project version each reads.
struct DgdecodeBuild {
    const char* file_name;
    const char* project_version;
};
inline constexpr std::array<DgdecodeBuild, 7> kDgdecodeBuilds = {{
    {"DGDecode06.dll", "6"},
    {"DGDecode10.dll", "10"},
    {"DGDecode11.dll", "11"},
    {"DGDecode12.dll", "12"},
    {"DGDecode13.dll", "13"},
    {"DGDecode15.dll", "15"},
    {"DGDecode16.dll", "16"},
}};

void show_encoder_info(App& app);
// Locates the Avisynth library again and keeps the new location and status.
void show_avisynth_info(App& app);
void show_dgdecode_info(App& app);

}  // namespace qz::pages
