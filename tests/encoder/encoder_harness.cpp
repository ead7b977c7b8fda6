#include "encoder_harness.h"

#include "clip_writer.h"
#include "d2v_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace qz::enctest {

namespace {

// Test programs may run in parallel: one makes a clip while the others wait.
class ClipLock {
public:
    ClipLock() {
        fs::create_directories(QZ_TEST_CLIP_DIR);
        fd_ = ::open((std::string(QZ_TEST_CLIP_DIR) + "/.encoder.lock").c_str(), O_CREAT | O_RDWR, 0644);
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~ClipLock() {
        if (fd_ >= 0) ::close(fd_);
    }

private:
    int fd_ = -1;
};

std::string command_output(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

ProgramFolder::ProgramFolder(const std::string& name) {
    dir_ = fs::path(QZ_ENCODER_TEST_DIR) / ("home_" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy_file(QZ_ENCODER_EXE, dir_ / "QZenc_028.exe");
    fs::copy_file(QZ_DGDECODE_LIBRARY, dir_ / "DGDecode.dll");
}

ProgramFolder::~ProgramFolder() = default;

void ProgramFolder::write_settings(const std::string& text) const { std::ofstream(dir_ / "QZ.ini", std::ios::binary) << text; }

void ProgramFolder::remove_dgdecode() const { fs::remove(dir_ / "DGDecode.dll"); }

RunResult ProgramFolder::run(const std::string& log_name, long long file_size_limit, const std::string& qt_platform) const {
    RunResult result;
    const std::string program = (dir_ / "QZenc_028.exe").string();
    const std::string stderr_path = (dir_ / "stderr.txt").string();
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The front end starts the encoder from the program folder with no command line.
        if (::chdir(dir_.c_str()) != 0) ::_exit(126);
        const int err = ::open(stderr_path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (err >= 0) ::dup2(err, 2);
        ::setenv("LD_LIBRARY_PATH", QZ_AVS_STANDIN_DIR, 1);
        ::unsetenv("DISPLAY");
        ::unsetenv("QZENC_ALLOW_SHUTDOWN");  // a test never shuts the machine down
        ::unsetenv("WAYLAND_DISPLAY");
        if (qt_platform.empty()) ::unsetenv("QT_QPA_PLATFORM");
        else ::setenv("QT_QPA_PLATFORM", qt_platform.c_str(), 1);
        if (file_size_limit > 0) {
            ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG, as on a full disk
            struct rlimit limit {rlim_t(file_size_limit), rlim_t(file_size_limit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        ::execv(program.c_str(), argv);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.log = read_text(dir_ / log_name);
    return result;
}

std::string noise_project(int frames) {
    const std::string stem = std::string(QZ_TEST_CLIP_DIR) + "/noise_" + std::to_string(frames);
    const std::string project = stem + ".d2v";
    ClipLock lock;
    if (fs::exists(project)) return project;
    const std::string stream = stem + ".m2v";
    const std::string command = "ffmpeg -v error -y -f lavfi -i testsrc2=size=720x576:rate=25 -vf noise=alls=40:allf=t -frames:v " +
                                std::to_string(frames) + " -c:v mpeg2video -q:v 2 -g 12 -bf 2 " + quoted(stream) + " 2>&1";
    const std::string output = command_output(command);
    EXPECT_TRUE(fs::exists(stream)) << output;
    testclip::D2vSpec spec;
    spec.d2v_path = project;
    spec.stream_files = {stream};
    std::string error;
    EXPECT_TRUE(testclip::write_d2v(spec, error)) << error;
    return project;
}

std::string film_project(int frames) {
    const std::string stem = std::string(QZ_TEST_CLIP_DIR) + "/film_" + std::to_string(frames);
    const std::string project = stem + ".d2v";
    ClipLock lock;
    if (fs::exists(project)) return project;
    testclip::ClipSpec clip;
    clip.path = stem + ".m2v";
    clip.width = 720;
    clip.height = 480;
    clip.rate_numerator = 24000;
    clip.rate_denominator = 1001;
    clip.frames = frames;
    std::vector<std::string> written;
    std::string error;
    EXPECT_TRUE(testclip::write_clip(clip, written, error)) << error;
    testclip::D2vSpec spec;
    spec.d2v_path = project;
    spec.stream_files = written;
    EXPECT_TRUE(testclip::write_d2v(spec, error)) << error;
    return project;
}

std::string write_script(const fs::path& folder, const std::string& name, const std::string& body) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << body;
    return path.string();
}

std::map<std::string, std::string> probe_stream(const std::string& path) {
    std::map<std::string, std::string> values;
    std::istringstream lines(command_output("ffprobe -v error -select_streams v:0 -show_streams " + quoted(path) + " 2>&1"));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && !values.count(line.substr(0, eq))) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

int probe_frame_count(const std::string& path) {
    const std::string out = command_output("ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 " +
                                           quoted(path) + " 2>&1");
    return std::atoi(out.c_str());
}

}  // namespace qz::enctest
