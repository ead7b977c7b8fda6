// Running the real encoder in a program folder of its own: the executable copied in beside
// "QZ.ini" (it reads the file from its own folder) and, for projects, the "DGDecode.dll" copy the
// front end leaves there. Clips are made once per build tree.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace qz::enctest {

namespace fs = std::filesystem;

struct RunResult {
    int exit_code = -1;
    std::string log;  // the log file's text (the one the settings name, or the fallback beside the encoder)
};

class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& name);
    ~ProgramFolder();

    const fs::path& path() const { return dir_; }
    fs::path file(const std::string& name) const { return dir_ / name; }
    void write_settings(const std::string& text) const;
    void remove_dgdecode() const;

    // Runs the encoder; `file_size_limit` > 0 limits the size of every file it writes, as a full
    // disk would.
    // `qt_platform`, when given, is the Qt platform the progress window uses (no display otherwise).
    RunResult run(const std::string& log_name = "out.log", long long file_size_limit = 0,
                  const std::string& qt_platform = "") const;

private:
    fs::path dir_;
};

// A 720x576 25 fps MPEG-2 clip of moving noise (hard to compress) with its D2V project, made with
// the ffmpeg command; returns the project's path.
std::string noise_project(int frames);

// The frame-numbered test pattern at 23.976 fps, progressive, with its D2V project.
std::string film_project(int frames);

// An Avisynth script in `folder` whose text is `body`.
std::string write_script(const fs::path& folder, const std::string& name, const std::string& body);

// ffprobe's view of the first video stream, as "key=value" pairs of -show_streams.
std::map<std::string, std::string> probe_stream(const std::string& path);

// How many frames ffprobe decodes from the stream (every one must decode).
int probe_frame_count(const std::string& path);

std::string read_text(const fs::path& path);

}  // namespace qz::enctest
