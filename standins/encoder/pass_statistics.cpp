#include "pass_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qz::encoder {

namespace {

int type_slot(char type) { return type == 'I' ? 0 : type == 'P' ? 1 : 2; }

std::string text(const char* pattern, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

}  // namespace

double psnr(double squared_error, double samples) {
    if (samples <= 0) return 0;
    if (squared_error <= 0) return 99.99;
    return 10.0 * std::log10(255.0 * 255.0 * samples / squared_error);
}

PassStatistics::PassStatistics(int frame_count, double frame_rate)
    : frame_rate_(frame_rate), bytes_by_display_(size_t(std::max(frame_count, 0)), 0) {}

void PassStatistics::add(int64_t display_index, char type, int bytes, double quantiser, const uint64_t* error,
                         int luma_pixels, int chroma_pixels) {
    if (display_index >= 0 && size_t(display_index) < bytes_by_display_.size())
        bytes_by_display_[size_t(display_index)] += uint32_t(bytes);
    total_bytes_ += bytes;
    ++pictures_;
    const int slot = type_slot(type);
    ++count_[slot];
    quantiser_[slot] += quantiser;
    if (error) {
        has_error_ = true;
        for (int i = 0; i < 3; ++i) squared_error_[i] += double(error[i]);
        luma_samples_ += luma_pixels;
        chroma_samples_ += chroma_pixels;
    }
}

double PassStatistics::average_kbps() const {
    if (pictures_ == 0) return 0;
    return double(total_bytes_) * 8.0 * frame_rate_ / double(pictures_) / 1000.0;
}

double PassStatistics::peak_kbps() const {
    const size_t window = size_t(std::max<long>(1, std::lround(frame_rate_)));
    if (bytes_by_display_.empty()) return 0;
    const size_t span = std::min(window, bytes_by_display_.size());
    int64_t sum = 0, best = 0;
    for (size_t i = 0; i < bytes_by_display_.size(); ++i) {
        sum += bytes_by_display_[i];
        if (i >= span) sum -= bytes_by_display_[i - span];
        if (i + 1 >= span) best = std::max(best, sum);
    }
    return double(best) * 8.0 * frame_rate_ / double(span) / 1000.0;
}

std::vector<std::string> PassStatistics::lines(const std::string& title, double seconds) const {
    std::vector<std::string> out;
    out.push_back(text("%s: %d pictures in %.2f s (%.2f fps), %lld bytes", title.c_str(), pictures_, seconds,
                       seconds > 0 ? pictures_ / seconds : 0.0, static_cast<long long>(total_bytes_)));
    static const char kNames[3] = {'I', 'P', 'B'};
    for (int i = 0; i < 3; ++i)
        if (count_[i] > 0)
            out.push_back(text("  %c pictures: %d, mean quantiser %.2f", kNames[i], count_[i], quantiser_[i] / count_[i]));
    out.push_back(text("  average bitrate %.0f kbit/s, peak bitrate %.0f kbit/s (one second windows)", average_kbps(),
                       peak_kbps()));
    if (has_error_)
        out.push_back(text("  PSNR Y %.2f dB, U %.2f dB, V %.2f dB", psnr(squared_error_[0], luma_samples_),
                           psnr(squared_error_[1], chroma_samples_), psnr(squared_error_[2], chroma_samples_)));
    return out;
}

}  // namespace qz::encoder
