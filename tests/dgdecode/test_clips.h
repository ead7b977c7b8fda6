// Test clips made at run time in the build tree, once: later tests (and later runs) reuse them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "clip_writer.h"
#include "d2v_writer.h"
#include "dgdecode_interface.h"
#include "platform/platform.h"

namespace qz::dgtest {

struct TestClip {
    std::vector<std::string> streams;
    std::string d2v;
};

// The folder the clips live in (made on first use).
std::string clip_folder();

// Makes the clip `name` (the extension of spec.path decides the stream type; its folder is
// ignored) with its project, unless an earlier run made it. Fails the test on error.
TestClip ensure_clip(const std::string& name, testclip::ClipSpec spec, testclip::D2vSpec project = {});

// Writes another project for existing streams. Fails the test on error.
void write_project(testclip::D2vSpec project);

// A loaded DGDecode library with its functions, as the program's bridge resolves them.
struct DgLibrary {
    explicit DgLibrary(const std::string& file_name = "DGDecode16.dll");
    ~DgLibrary();
    DgLibrary(const DgLibrary&) = delete;
    DgLibrary& operator=(const DgLibrary&) = delete;

    platform::LibraryHandle handle = nullptr;
    DgOpenMPEG2SourceFn open = nullptr;
    DgGetFrameFn get_frame = nullptr;
    DgCloseVideoFn close = nullptr;
    DgGetLastErrorTextFn last_error = nullptr;
};

std::string library_path(const std::string& file_name);

uint64_t checksum(const unsigned char* data, size_t size);

}  // namespace qz::dgtest
