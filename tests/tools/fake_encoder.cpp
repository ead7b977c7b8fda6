// A stand-in encoder for tests of the encode launch: started with no arguments, it records where it ran
// and what it found beside it, then ends as asked by FAKE_ENCODER_MODE ("crash" raises SIGSEGV,
// "fail" exits with 3, anything else exits with 0) after FAKE_ENCODER_SLEEP_MS milliseconds. With
// FAKE_ENCODER_REWRITE_FILE it first replaces that file's text by FAKE_ENCODER_REWRITE_TEXT, as a
// user editing the input script while the encoder runs would.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

int main(int argc, char**) {
    char cwd[4096] = {};
    if (!getcwd(cwd, sizeof cwd - 1)) return 4;
    std::string folder(cwd);

    std::ifstream settings(folder + "/QZ.ini", std::ios::binary);
    std::stringstream content;
    content << settings.rdbuf();
    std::ofstream(folder + "/fake_encoder_seen_QZ.ini", std::ios::binary) << content.str();

    std::ofstream report(folder + "/fake_encoder_ran.txt");
    report << "cwd=" << folder << "\n";
    report << "arguments=" << (argc - 1) << "\n";
    report << "dgdecode_copy=" << (access((folder + "/DGDecode.dll").c_str(), F_OK) == 0 ? 1 : 0) << "\n";
    report.close();

    const char* rewrite_file = std::getenv("FAKE_ENCODER_REWRITE_FILE");
    const char* rewrite_text = std::getenv("FAKE_ENCODER_REWRITE_TEXT");
    if (rewrite_file && rewrite_text) std::ofstream(rewrite_file, std::ios::trunc) << rewrite_text;

    if (const char* sleep_ms = std::getenv("FAKE_ENCODER_SLEEP_MS"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(sleep_ms)));
    const char* mode = std::getenv("FAKE_ENCODER_MODE");
    if (mode && std::strcmp(mode, "crash") == 0) {
        std::signal(SIGSEGV, SIG_DFL);  // die by the signal even where a sanitizer catches it
        std::raise(SIGSEGV);
    }
    if (mode && std::strcmp(mode, "fail") == 0) return 3;
    return 0;
}
