// Opening damaged MPEG-2 input: the fuzz bytes become a stream file (elementary or program stream
// by the first byte), indexed as the clip maker indexes (or, when no GOP start is found, with a
// made-up index), then opened and read frame by frame.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "d2v_video.h"
#include "d2v_writer.h"
#include "fuzz/fuzz_work_folder.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

// One folder per process, removed with the stream and index files at exit.
const qz::fuzz::WorkFolder& work_folder() {
    static const qz::fuzz::WorkFolder folder("qz_mpeg2_fuzz");
    return folder;
}

// An index that claims a GOP of twelve pictures at a few positions taken from the input.
void write_made_up_index(const std::string& d2v_name, const std::string& stream, int stream_type, const uint8_t* data,
                         size_t size) {
    std::string text = "DGIndexProjectFile16\n1\n" + stream + "\n\nStream_Type=" + std::to_string(stream_type) +
                       "\nField_Operation=0\nFrame_Rate=25000 (25/1)\n\n";
    for (int entry = 0; entry < 3; ++entry) {
        size_t position = size ? (size_t(data[size_t(entry) % size]) * 97 * size_t(entry)) % (size + 1) : 0;
        text += "900 0 0 " + std::to_string(position) + " 0 0 0 d2 b2 b2 e2 b2 b2 e2 b3 b2 e2 b2 b2";
        text += entry == 2 ? " ff\n" : "\n";
    }
    text += "\nFINISHED\n";
    work_folder().write(d2v_name, text.data(), text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    av_log_set_level(AV_LOG_QUIET);
    uint8_t mode = data[0];
    ++data;
    --size;
    bool program = mode & 1;
    std::string stream = work_folder().write(program ? "input.mpg" : "input.m2v", data, size);
    if (stream.empty()) return 0;
    std::string d2v = work_folder().path() + "/input.d2v";

    qz::testclip::D2vSpec spec;
    spec.d2v_path = d2v;
    spec.stream_files = {stream};
    spec.field_operation = (mode >> 2) % 3;
    std::string error;
    if ((mode & 2) || !qz::testclip::write_d2v(spec, error)) write_made_up_index("input.d2v", stream, program ? 1 : 0, data, size);

    qz::dgdecode::D2vVideo video;
    if (!video.open(d2v, error)) return 0;
    int count = video.info().num_frames;
    bool exact = false;
    // A frame is a picture, or null when it lies beyond the end of the data; neither may crash.
    for (int n : {0, count - 1, count / 2, 1, 13, count - 2, 0}) video.frame(n, exact);
    return 0;
}
