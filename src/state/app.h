// The one program state every handler works on: the control model, the Message log, the Settings
// record, the program paths and processor facts. Created once at start-up, lives for the whole run.
#pragma once

#include "input/input_bridges.h"
#include "input/video_source.h"
#include "matrices/matrix_state.h"
#include "preview/bitmap_image.h"
#include "preview/scan_engine.h"
#include "settings/settings_record.h"
#include "ui/message_log.h"
#include "platform/program_paths.h"
#include "ui/controls.h"
#include "ui/dialog_host.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <string>
#include <vector>

namespace qz {

struct App {
    App() : log(controls) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ui::Controls controls;
    ui::MessageLog log;
    ui::DialogHost* dialogs = nullptr;  // the front end's dialogs; set before start-up

    settings::Settings settings;
    input::VideoSource video;  // the opened input: properties, kind and frame planes
    matrices::MatrixState matrix;  // the shown matrix pair and the current matrix file name

    platform::ProgramPaths paths;
    platform::ProcessorCount processors;
    int cpu_level = 0;

    // Where the Avisynth library was found at start-up: its file, and 2 already loaded in the process,
    // 1 loadable, 0 not found. "Installed" means the library can be loaded.
    std::string avisynth_library_path;
    int avisynth_lookup_status = 0;
    bool avisynth_installed = false;

    // The loaded DGDecode and Avisynth libraries and their buffers. The bridges alone know what is
    // loaded: ask them (`avs_loaded`, `dg_loaded_for_project`), never keep a copy.
    input::InputBridges bridges;

    // The picture of the current frame as the preview pages show it, and its revision: the front end
    // redraws the preview areas when the revision of their picture control changes.
    preview::BitmapImage bitmap;
    // The pan-scan offset of every frame of the opened video (sixteenths of a pixel), derived from the
    // pan-scan list after each change; empty when no video is open.
    std::vector<int16_t> panscan_offsets;
    // The pan-scan page's horizontal offset when its box gained the focus: the box returns to it when
    // left holding no number.
    int32_t panscan_offset_on_entry = 0;
    // The chapter and pan-scan file names of the import and export commands, kept between commands.
    std::string chapter_file;
    std::string panscan_file;

    // The scene-change scan's worker runs; tab changes, encoding and the list controls wait for it.
    std::atomic<bool> scan_running{false};
    // A preview page was shown; its picture is drawn at the next mouse press.
    bool preview_refresh_pending = false;

    // Set when the program has been asked to end; the front end's loop stops on it.
    std::atomic<bool> end_requested{false};

    // The scene-change scan: its engine (made at the first scan), the stop request the worker checks
    // between frames, and the worker. Declared last so the worker is asked to stop and joined before
    // anything it uses is destroyed.
    std::unique_ptr<preview::SceneChangeScan> scan_engine;
    std::atomic<bool> scan_stop_requested{false};
    std::atomic<bool> scan_worker_done{false};
    std::jthread scan_worker;
};

}  // namespace qz
