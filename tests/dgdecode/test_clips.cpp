#include "test_clips.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

namespace qz::dgtest {

namespace {

// Clips of an older maker are not reused.
constexpr const char* kMakerVersion = "v1";

// Test programs may run in parallel: one makes a clip while the others wait.
class FolderLock {
public:
    FolderLock() {
        std::string path = clip_folder() + "/.lock";
        fd_ = ::open(path.c_str(), O_CREAT | O_RDWR, 0644);
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }

private:
    int fd_ = -1;
};

}  // namespace

std::string clip_folder() {
    std::string dir = QZ_TEST_CLIP_DIR;
    std::filesystem::create_directories(dir);
    return dir;
}

TestClip ensure_clip(const std::string& name, testclip::ClipSpec spec, testclip::D2vSpec project) {
    std::string ext = std::filesystem::path(spec.path).extension().string();
    std::string stem = clip_folder() + "/" + name + "_" + kMakerVersion;
    spec.path = stem + ext;
    if (project.d2v_path.empty()) project.d2v_path = stem + ".d2v";
    TestClip clip{testclip::clip_file_names(spec), project.d2v_path};
    FolderLock lock;
    if (std::filesystem::exists(clip.d2v)) return clip;  // written last, so the streams are complete
    std::string error;
    std::vector<std::string> written;
    EXPECT_TRUE(testclip::write_clip(spec, written, error)) << error;
    project.stream_files = written;
    EXPECT_TRUE(testclip::write_d2v(project, error)) << error;
    return clip;
}

void write_project(testclip::D2vSpec project) {
    std::string error;
    ASSERT_TRUE(testclip::write_d2v(project, error)) << error;
}

std::string library_path(const std::string& file_name) { return std::string(QZ_DGDECODE_DIR) + "/" + file_name; }

DgLibrary::DgLibrary(const std::string& file_name) {
    handle = platform::load_library(library_path(file_name));
    if (!handle) return;
    open = reinterpret_cast<DgOpenMPEG2SourceFn>(platform::library_symbol(handle, "openMPEG2Source"));
    get_frame = reinterpret_cast<DgGetFrameFn>(platform::library_symbol(handle, "getFrame"));
    close = reinterpret_cast<DgCloseVideoFn>(platform::library_symbol(handle, "closeVideo"));
    last_error = reinterpret_cast<DgGetLastErrorTextFn>(platform::library_symbol(handle, "getLastErrorText"));
}

DgLibrary::~DgLibrary() {
    if (handle) platform::unload_library(handle);
}

uint64_t checksum(const unsigned char* data, size_t size) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace qz::dgtest
