// Feeds arbitrary bytes to the Avisynth stand-in as script text, then fetches a few frames of the
// clip it yields (when they are small), so parsing, evaluation and frame making all meet bad input.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

#include "clips.h"
#include "evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace avs_standin;
    try {
        Evaluator evaluator;
        const Value value = evaluator.run_text(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.avs");
        if (value.kind != Value::Kind::clip || !value.clip->has_video()) return 0;
        const ClipInfo& info = value.clip->info();
        if (frame_bytes(*info.format, info.width, info.height) > (std::size_t(1) << 20)) return 0;
        for (const int n : {0, info.frame_count / 2, info.frame_count - 1}) {
            const FramePtr frame = value.clip->frame(n);
            volatile uint8_t sink = frame->plane(0).data[0];
            (void)sink;
        }
    } catch (const std::exception&) {
        // Errors are the expected answer to most inputs; only crashes and sanitizer reports count.
    }
    return 0;
}
