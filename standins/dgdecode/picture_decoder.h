// Decodes the pictures of a project by display index, frame-accurately whatever the order of the
// requests: decoding starts at the index entry (GOP) holding the picture, or one entry earlier
// when the picture is a leading B picture of an open GOP, and goes forward. Each picture carries
// its display index through the decoder as its time stamp, so pictures the decoder drops cannot
// shift the numbering. Sequential requests continue where decoding stands; the last pictures
// are kept for requests that step back a little.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "d2v_project.h"
#include "picture_units.h"
#include "source_files.h"
#include "video_source.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace qz::dgdecode {

class PictureDecoder {
public:
    PictureDecoder() = default;
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;
    ~PictureDecoder();

    // `project` and `files` must outlive the decoder.
    bool open(const D2vProject& project, SourceFiles& files, std::string& error);

    // The picture with this display index. When it cannot be decoded, the nearest one that can
    // (the next one after it, else the one before) and `exact` false; `exact` is false as well
    // for a picture whose damage the decoder concealed. Null when nothing at all could be
    // decoded, or when the files end before the picture (then `beyond_data()`): no neighbour
    // stands in for a picture a cut copy lacks. The frame stays valid until the next call.
    const AVFrame* picture(int display, bool& exact);

    // The last request's picture lies beyond the end of the files.
    bool beyond_data() const { return beyond_data_; }

    // The frame rate the stream's sequence header gives (0/0 before anything was decoded).
    int stream_rate_numerator() const;
    int stream_rate_denominator() const;

private:
    // Decoded pictures kept for requests that step back a little. Every one kept is one more
    // buffer the decoder writes into in turn, and a working set beyond the processor's cache slows
    // decoding by a third (measured at 1920x1080): the number kept follows the picture size.
    static constexpr int kCachedPictures = 16;
    static constexpr int kMinCachedPictures = 4;
    static constexpr size_t kCacheBudgetBytes = 12u << 20;

    int entry_of(int display) const;
    int start_entry_for(int display, int entry) const;
    int entry_of_unit(int counted, int64_t unit_position) const;
    int64_t entry_position(int entry) const;
    void prime_with_sequence_header();
    bool restart_at(int entry);
    bool next_unit();
    bool feed_one();
    void send(int display);
    void receive();
    void drain();
    int cached_slot(int display) const;
    const AVFrame* cached(int display) const;
    const AVFrame* deliver_cached(int display, bool& exact);
    const AVFrame* nearest_cached(int display) const;
    void remember(AVFrame* frame, int display);
    const AVFrame* deliver(const AVFrame* frame);

    const D2vProject* project_ = nullptr;
    SourceFiles* files_ = nullptr;
    std::unique_ptr<VideoSource> source_;
    PictureSplitter splitter_;
    PictureUnit unit_;
    AVCodecContext* codec_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* received_ = nullptr;

    // Where decoding stands.
    bool positioned_ = false;    // the decoder state continues a valid forward run
    bool started_ = false;       // the run has met its first entry start
    bool at_end_ = false;        // the run reached the end of the files
    int start_entry_ = 0;
    int feed_entry_ = -1;        // entry of the last unit read
    int target_entry_ = 0;       // B pictures before this entry are not decoded (nobody refers to them)
    int max_output_ = -1;        // highest display index the run has delivered
    int target_ = -1;            // the display index being looked for
    int first_after_target_ = -1;
    int64_t bytes_without_unit_ = 0;
    bool source_done_ = false;   // the run has read the files to their end
    bool beyond_data_ = false;   // the last request ran out of data before its picture

    std::array<AVFrame*, kCachedPictures> cache_{};
    std::array<int, kCachedPictures> cache_display_{};
    std::array<bool, kCachedPictures> cache_damaged_{};
    int cache_next_ = 0;
    int cache_capacity_ = 0;  // set by the first picture's size
    AVFrame* last_good_ = nullptr;
};

}  // namespace qz::dgdecode
