// The built-in functions: clip sources, clip filters, Import and a few clip properties.
#include "functions.h"

#include <cmath>
#include <cstdint>
#include <numeric>

#include "arguments.h"
#include "clips.h"
#include "evaluator.h"
#include "formats.h"

namespace avs_standin {

namespace {

using Run = Value (*)(Evaluator&, const BoundArgs&);

struct FunctionSpec {
    const char* name;
    std::vector<ParamSpec> params;
    Run run;
};

[[noreturn]] void fail(const std::string& message) { throw ScriptError(message); }

// Frame rates as the reduced fraction of numerator and denominator.
struct Rate {
    unsigned numerator, denominator;
};

Rate reduced(uint64_t numerator, uint64_t denominator) {
    const uint64_t divisor = std::gcd(numerator, denominator);
    return {unsigned(numerator / divisor), unsigned(denominator / divisor)};
}

// The simplest fraction within the precision of a float (what a script's 29.97 can mean).
Rate rate_from_float(double fps) {
    uint64_t h0 = 0, h1 = 1, k0 = 1, k1 = 0;
    double rest = fps;
    for (int step = 0; step < 40; ++step) {
        const double whole = std::floor(rest);
        const uint64_t a = uint64_t(whole);
        const uint64_t h = a * h1 + h0, k = a * k1 + k0;
        if (h > 0xFFFFFFFFu || k > 1000000u) break;
        h0 = h1, h1 = h, k0 = k1, k1 = k;
        if (std::fabs(double(h1) / double(k1) - fps) <= fps * 1e-7 || rest - whole < 1e-12) break;
        rest = 1.0 / (rest - whole);
    }
    return reduced(h1, k1);
}

Rate frame_rate(const BoundArgs& args, std::size_t fps_index, std::size_t denominator_index, Rate fallback,
                const char* who) {
    if (!args.given(fps_index) && !args.given(denominator_index)) return fallback;
    const double fps = args.number(fps_index, double(fallback.numerator) / fallback.denominator);
    if (!(fps > 0.0) || fps > 1000000.0) fail(std::string(who) + ": fps must be greater than 0 and at most 1000000");
    if (!args.given(denominator_index)) return rate_from_float(fps);
    // With a denominator the fps is the numerator of the rate (30000 over 1001).
    const int denominator = args.integer(denominator_index, 1);
    if (denominator <= 0) fail(std::string(who) + ": fps_denominator must be greater than 0");
    const double numerator = std::round(fps);
    if (numerator < 1.0) fail(std::string(who) + ": fps must be at least 1 when fps_denominator is given");
    return reduced(uint64_t(numerator), uint64_t(denominator));
}

const PixelFormat& pixel_format(const std::string& name, const char* who) {
    const PixelFormat* format = find_pixel_format(name);
    if (!format) fail(std::string(who) + ": pixel_type must be one of " + pixel_format_names() + ", not \"" + name + "\"");
    return *format;
}

// BlankClip(clip template, int length, int width, int height, string pixel_type, float fps,
//           int fps_denominator, color=$RRGGBB, color_yuv=$YYUUVV)
Value blank_clip(Evaluator&, const BoundArgs& args) {
    ClipInfo info;
    info.width = 640, info.height = 480, info.frame_count = 240, info.format = find_pixel_format("RGB32");
    if (const ClipPtr templ = args.clip(0)) {
        info.frame_count = templ->info().frame_count;
        info.fps_numerator = templ->info().fps_numerator, info.fps_denominator = templ->info().fps_denominator;
        if (templ->has_video()) info.width = templ->info().width, info.height = templ->info().height, info.format = templ->info().format;
    }
    info.frame_count = args.integer(1, info.frame_count);
    if (info.frame_count < 0) fail("BlankClip: length must not be negative");
    info.width = args.integer(2, info.width);
    info.height = args.integer(3, info.height);
    if (args.given(4)) info.format = &pixel_format(args.text(4, ""), "BlankClip");
    const Rate rate = frame_rate(args, 5, 6, {info.fps_numerator, info.fps_denominator}, "BlankClip");
    info.fps_numerator = rate.numerator, info.fps_denominator = rate.denominator;
    require_valid_size(*info.format, info.width, info.height, "BlankClip");

    if (args.given(7) && args.given(8)) fail("BlankClip: color and color_yuv may not both be given");
    if (args.given(8) && info.format->rgb) fail("BlankClip: color_yuv is only valid for YUV clips");
    const uint32_t rgb = uint32_t(args.integer(7, 0));
    SolidColour colour;
    colour.b = uint8_t(rgb), colour.g = uint8_t(rgb >> 8), colour.r = uint8_t(rgb >> 16), colour.a = uint8_t(rgb >> 24);
    const Yuv yuv = rgb_to_yuv_bt601(rgb & 0xFFFFFFu);
    colour.y = yuv.y, colour.u = yuv.u, colour.v = yuv.v;
    if (args.given(8)) {
        const uint32_t packed = uint32_t(args.integer(8, 0));
        colour.y = uint8_t(packed >> 16), colour.u = uint8_t(packed >> 8), colour.v = uint8_t(packed);
    }
    return Value::of_clip(make_solid_clip(info, colour));
}

// ColorBars(int width, int height, string pixel_type): one hour of NTSC-rate bars.
Value color_bars(Evaluator&, const BoundArgs& args) {
    ClipInfo info;
    info.width = args.integer(0, 640);
    info.height = args.integer(1, 480);
    info.format = &pixel_format(args.text(2, "RGB32"), "ColorBars");
    info.fps_numerator = 30000, info.fps_denominator = 1001, info.frame_count = 107892;
    require_valid_size(*info.format, info.width, info.height, "ColorBars");
    return Value::of_clip(make_color_bars(info));
}

// Trim(clip, int first_frame, int last_frame, bool pad, length=, end=): last_frame 0 means to the
// end, a negative last_frame is a frame count.
Value trim(Evaluator&, const BoundArgs& args) {
    const ClipPtr clip = args.clip(0);
    const int64_t frames = clip->info().frame_count;
    const int64_t first = std::max(args.integer(1, 0), 0);
    if (int(args.given(2)) + int(args.given(4)) + int(args.given(5)) > 1)
        fail("Trim: only one of last_frame, length and end may be given");
    int64_t last = frames - 1;
    if (args.given(4)) {
        if (args.integer(4, 0) < 0) fail("Trim: length must not be negative");
        last = first + args.integer(4, 0) - 1;
    } else if (args.given(5)) {
        last = args.integer(5, 0);
    } else if (args.integer(2, 0) < 0) {
        last = first - args.integer(2, 0) - 1;
    } else if (args.integer(2, 0) > 0) {
        last = args.integer(2, 0);
    }
    last = std::min(last, frames - 1);
    const int64_t count = first > last ? 0 : last - first + 1;
    return Value::of_clip(make_trim(clip, int(std::min(first, frames)), int(count)));
}

std::vector<ClipPtr> clip_list(const BoundArgs& args, std::size_t index, const char* who) {
    std::vector<ClipPtr> clips;
    for (const Value& value : args.all(index)) clips.push_back(value.clip);
    if (clips.size() < 2) fail(std::string(who) + ": needs at least two clips");
    return clips;
}

// Dissolve(clip, clip, ..., int overlap)
Value dissolve(Evaluator&, const BoundArgs& args) {
    const std::vector<ClipPtr> clips = clip_list(args, 0, "Dissolve");
    ClipPtr result = clips[0];
    for (std::size_t i = 1; i < clips.size(); ++i) result = make_dissolve(result, clips[i], args.integer(1, 0));
    return Value::of_clip(result);
}

// Without audio, aligned and unaligned splices are the same.
Value splice(const BoundArgs& args, const char* who) {
    const std::vector<ClipPtr> clips = clip_list(args, 0, who);
    ClipPtr result = clips[0];
    for (std::size_t i = 1; i < clips.size(); ++i) result = make_splice(result, clips[i], "Splice");
    return Value::of_clip(result);
}
Value aligned_splice(Evaluator&, const BoundArgs& args) { return splice(args, "AlignedSplice"); }
Value unaligned_splice(Evaluator&, const BoundArgs& args) { return splice(args, "UnalignedSplice"); }

Value kill_video(Evaluator&, const BoundArgs& args) { return Value::of_clip(make_video_less(args.clip(0))); }
Value width(Evaluator&, const BoundArgs& args) { return Value::of_int(args.clip(0)->info().width); }
Value height(Evaluator&, const BoundArgs& args) { return Value::of_int(args.clip(0)->info().height); }
Value frame_count(Evaluator&, const BoundArgs& args) { return Value::of_int(args.clip(0)->info().frame_count); }
Value clip_frame_rate(Evaluator&, const BoundArgs& args) {
    const ClipInfo& info = args.clip(0)->info();
    return Value::of_float(double(info.fps_numerator) / double(info.fps_denominator));
}

// Import(string path, ...): evaluates each script in turn; the value is the last one's.
Value import(Evaluator& evaluator, const BoundArgs& args) {
    Value result;
    for (const Value& path : args.all(0)) result = evaluator.import_file(path.text);
    return result;
}

const std::vector<FunctionSpec>& functions() {
    static const std::vector<FunctionSpec> table = {
        {"BlankClip",
         {{"clip", arg_clip},
          {"length", arg_int},
          {"width", arg_int},
          {"height", arg_int},
          {"pixel_type", arg_string},
          {"fps", arg_float},
          {"fps_denominator", arg_int},
          {"color", arg_int, false, false, true},
          {"color_yuv", arg_int, false, false, true}},
         blank_clip},
        {"ColorBars", {{"width", arg_int}, {"height", arg_int}, {"pixel_type", arg_string}}, color_bars},
        {"Trim",
         {{"clip", arg_clip, true},
          {"first_frame", arg_int, true},
          {"last_frame", arg_int},
          {"pad", arg_bool},
          {"length", arg_int, false, false, true},
          {"end", arg_int, false, false, true}},
         trim},
        {"Dissolve", {{"clip", arg_clip, true, true}, {"overlap", arg_int, true}}, dissolve},
        {"AlignedSplice", {{"clip", arg_clip, true, true}}, aligned_splice},
        {"UnalignedSplice", {{"clip", arg_clip, true, true}}, unaligned_splice},
        {"KillVideo", {{"clip", arg_clip, true}}, kill_video},
        {"Width", {{"clip", arg_clip, true}}, width},
        {"Height", {{"clip", arg_clip, true}}, height},
        {"FrameCount", {{"clip", arg_clip, true}}, frame_count},
        {"FrameRate", {{"clip", arg_clip, true}}, clip_frame_rate},
        {"Import", {{"path", arg_string, true, true}}, import},
    };
    return table;
}

const FunctionSpec* find_function(std::string_view name) {
    for (const FunctionSpec& spec : functions())
        if (same_name(spec.name, name)) return &spec;
    return nullptr;
}

}  // namespace

bool builtin_exists(std::string_view name) { return find_function(name) != nullptr; }

Value call_builtin(Evaluator& evaluator, std::string_view name, const CallArgs& args, bool implicit_last) {
    const FunctionSpec* spec = find_function(name);
    if (!spec) fail("Script error: there is no function named '" + std::string(name) + "'");
    std::string why;
    std::optional<BoundArgs> bound = bind_arguments(spec->params, args, why);
    const Value* last = evaluator.variable("last");
    if (!bound && implicit_last && last && last->kind == Value::Kind::clip && (spec->params[0].types & arg_clip)) {
        CallArgs with_last = args;
        with_last.values.insert(with_last.values.begin(), *last);
        with_last.names.insert(with_last.names.begin(), std::string());
        std::string ignored;
        bound = bind_arguments(spec->params, with_last, ignored);
    }
    if (!bound) fail("Script error: Invalid arguments to function '" + std::string(spec->name) + "': " + why);
    return spec->run(evaluator, *bound);
}

}  // namespace avs_standin
