// What one pass produced: pictures by type with their mean quantiser, bytes, average and peak
// bitrate (the most bits in any one second of pictures, in display order), and PSNR.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz::encoder {

class PassStatistics {
public:
    PassStatistics(int frame_count, double frame_rate);

    void add(int64_t display_index, char type, int bytes, double quantiser, const uint64_t* error, int luma_pixels,
             int chroma_pixels);

    int64_t total_bytes() const { return total_bytes_; }
    int pictures() const { return pictures_; }
    double average_kbps() const;
    double peak_kbps() const;  // over one-second windows of display order
    // The "per-pass statistics" lines of the log.
    std::vector<std::string> lines(const std::string& title, double seconds) const;

private:
    double frame_rate_;
    std::vector<uint32_t> bytes_by_display_;
    int64_t total_bytes_ = 0;
    int pictures_ = 0;
    int count_[3] = {0, 0, 0};        // I P B
    double quantiser_[3] = {0, 0, 0};
    double squared_error_[3] = {0, 0, 0};
    double luma_samples_ = 0, chroma_samples_ = 0;
    bool has_error_ = false;
};

double psnr(double squared_error, double samples);

}  // namespace qz::encoder
