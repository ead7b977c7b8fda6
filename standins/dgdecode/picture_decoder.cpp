#include "picture_decoder.h"

#include <algorithm>
#include <cstdlib>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

namespace qz::dgdecode {

namespace {

// Stream bytes that may pass without a single picture before a run gives up (damaged data).
constexpr int64_t kMaxBytesWithoutPicture = 64 << 20;
// Units beyond the pictures of the entries a request spans (headers without pictures, junk).
constexpr int64_t kSpareUnits = 64;
// An index may point at a GOP start's GOP header rather than at the sequence header before it, or
// at a pack a little later than the one our unit began in: a GOP start this close before the next
// indexed position is taken to be that one.
constexpr int64_t kIndexSlackBytes = 16 << 10;
// How far into the files the first sequence header is looked for.
constexpr int kUnitsToFirstSequenceHeader = 256;

}  // namespace

PictureDecoder::~PictureDecoder() {
    for (AVFrame*& frame : cache_) av_frame_free(&frame);
    av_frame_free(&last_good_);
    av_frame_free(&received_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
}

bool PictureDecoder::open(const D2vProject& project, SourceFiles& files, std::string& error) {
    project_ = &project;
    files_ = &files;
    source_ = open_video_source(files, project.stream_type, project.transport_video_pid, error);
    if (!source_) return false;
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MPEG2VIDEO);
    codec_ = codec ? avcodec_alloc_context3(codec) : nullptr;
    packet_ = av_packet_alloc();
    received_ = av_frame_alloc();
    last_good_ = av_frame_alloc();
    bool frames_ok = received_ && last_good_;
    for (AVFrame*& frame : cache_) {
        frame = av_frame_alloc();
        frames_ok = frames_ok && frame;
    }
    cache_display_.fill(-1);
    if (!codec_ || !packet_ || !frames_ok) {
        error = "cannot set up the MPEG-2 decoder";
        return false;
    }
    // Slice threads keep one picture in, one picture out; frame threads would add delay that a
    // seek has to wait through.
    codec_->thread_type = FF_THREAD_SLICE;
    codec_->thread_count = 0;
    if (avcodec_open2(codec_, codec, nullptr) < 0) {
        error = "cannot open the MPEG-2 decoder";
        return false;
    }
    prime_with_sequence_header();
    return true;
}

// An index whose positions point past the sequence headers (at GOP headers) would leave a fresh
// decoder without picture size and format: it learns them from the first sequence header of the
// files, which stays known across the seeks that follow.
void PictureDecoder::prime_with_sequence_header() {
    if (!source_->seek(0)) return;
    splitter_.reset();
    source_done_ = false;
    bytes_without_unit_ = 0;
    for (int i = 0; i < kUnitsToFirstSequenceHeader && next_unit(); ++i) {
        if (parse_picture_unit(unit_.bytes.data(), unit_.size).has_sequence_header) {
            send(-1);
            break;
        }
    }
    positioned_ = false;
}

int PictureDecoder::stream_rate_numerator() const { return codec_ ? codec_->framerate.num : 0; }
int PictureDecoder::stream_rate_denominator() const { return codec_ ? codec_->framerate.den : 0; }

int PictureDecoder::entry_of(int display) const {
    const auto& entries = project_->entries;
    auto it = std::upper_bound(entries.begin(), entries.end(), display,
                               [](int d, const D2vEntry& e) { return d < e.first_picture; });
    return std::max(0, int(it - entries.begin()) - 1);
}

int PictureDecoder::start_entry_for(int display, int entry) const {
    const D2vEntry& e = project_->entries[size_t(entry)];
    if (entry == 0 || (e.info & kInfoClosedGop)) return entry;
    int local = display - e.first_picture;
    for (int i = 0; i < e.picture_count; ++i) {
        if (picture_type_of_flag(project_->picture_flags[size_t(e.first_picture + i)]) == 1) {
            // A B picture shown before the GOP's I picture refers to the previous GOP too.
            return local < i ? entry - 1 : entry;
        }
    }
    return entry;
}

int64_t PictureDecoder::entry_position(int entry) const {
    const D2vEntry& e = project_->entries[size_t(entry)];
    return files_->start_of(e.file) + e.position;
}

// Entry starts are counted from where a run began; an index position that the counted entry's
// successor has already passed means an entry start was lost to damage, and the count catches up.
int PictureDecoder::entry_of_unit(int counted, int64_t unit_position) const {
    int n = int(project_->entries.size());
    while (counted + 1 < n) {
        int64_t next = entry_position(counted + 1);
        if (next < unit_position && next != entry_position(counted)) {
            ++counted;
        } else {
            break;
        }
    }
    return counted;
}

bool PictureDecoder::restart_at(int entry) {
    avcodec_flush_buffers(codec_);
    splitter_.reset();
    positioned_ = source_->seek(entry_position(entry));
    started_ = false;
    at_end_ = false;
    source_done_ = false;
    start_entry_ = entry;
    feed_entry_ = entry - 1;
    max_output_ = -1;
    bytes_without_unit_ = 0;
    return positioned_;
}

bool PictureDecoder::next_unit() {
    while (!splitter_.take(unit_)) {
        if (source_done_) return false;
        VideoPiece piece;
        if (!source_->next(piece)) {
            splitter_.finish();
            source_done_ = true;
            continue;
        }
        bytes_without_unit_ += int64_t(piece.size);
        if (bytes_without_unit_ > kMaxBytesWithoutPicture) return false;
        splitter_.feed(piece.data, piece.size, piece.position, piece.exact);
    }
    bytes_without_unit_ = 0;
    return true;
}

bool PictureDecoder::feed_one() {
    if (!next_unit()) return false;
    PictureUnitInfo info = parse_picture_unit(unit_.bytes.data(), unit_.size);
    if (!info.has_picture) return true;
    bool indexed = true;
    if (info.entry_start()) {
        int counted = started_ ? feed_entry_ + 1 : start_entry_;
        if (started_ && counted < int(project_->entries.size()) &&
            unit_.position + int64_t(unit_.size) + kIndexSlackBytes < entry_position(counted)) {
            // A GOP start the index does not know (damage that looks like one): numbering goes on
            // with the next indexed one, and this picture gets no number.
            indexed = false;
        } else {
            feed_entry_ = entry_of_unit(counted, unit_.position);
            started_ = true;
        }
    }
    if (!started_ || info.picture_type < 1 || info.picture_type > 3) return true;
    if (info.picture_type == 3 && feed_entry_ < target_entry_) return true;
    int display = -1;
    if (indexed && feed_entry_ < int(project_->entries.size())) {
        const D2vEntry& e = project_->entries[size_t(feed_entry_)];
        if (info.temporal_reference < e.picture_count) display = e.first_picture + info.temporal_reference;
    }
    // B pictures shown well before the one looked for would leave the cache before anyone asks.
    int kept = std::max(cache_capacity_, kMinCachedPictures);
    if (info.picture_type == 3 && display >= 0 && target_ >= 0 && display < target_ - (kept - 1)) return true;
    send(display);
    return true;
}

void PictureDecoder::send(int display) {
    packet_->data = unit_.bytes.data();
    packet_->size = int(unit_.size);
    packet_->pts = display >= 0 ? display : AV_NOPTS_VALUE;
    packet_->dts = AV_NOPTS_VALUE;
    for (int tries = 0; tries < 2; ++tries) {
        if (avcodec_send_packet(codec_, packet_) != AVERROR(EAGAIN)) break;
        receive();
    }
    receive();
}

void PictureDecoder::receive() {
    int pictures = int(project_->picture_flags.size());
    while (avcodec_receive_frame(codec_, received_) == 0) {
        int64_t display = received_->pts;
        if (display >= 0 && display < pictures) {
            remember(received_, int(display));
        } else {
            av_frame_unref(received_);
        }
    }
}

void PictureDecoder::drain() {
    avcodec_send_packet(codec_, nullptr);
    receive();
    at_end_ = true;
    positioned_ = false;
}

void PictureDecoder::remember(AVFrame* frame, int display) {
    max_output_ = std::max(max_output_, display);
    if (target_ >= 0 && display > target_ && first_after_target_ < 0) first_after_target_ = display;
    int slot = -1;
    for (int i = 0; i < kCachedPictures; ++i)
        if (cache_display_[size_t(i)] == display) slot = i;
    if (cache_capacity_ == 0) {
        size_t bytes = size_t(std::max(1, frame->width)) * size_t(std::max(1, frame->height)) * 2;
        cache_capacity_ = int(std::clamp<size_t>(kCacheBudgetBytes / bytes, kMinCachedPictures, kCachedPictures));
    }
    if (slot < 0) {
        slot = cache_next_;
        cache_next_ = (cache_next_ + 1) % cache_capacity_;
    }
    av_frame_unref(cache_[size_t(slot)]);
    // Concealed damage still gives a picture, but not the one that was encoded.
    cache_damaged_[size_t(slot)] = frame->decode_error_flags != 0 || (frame->flags & AV_FRAME_FLAG_CORRUPT);
    av_frame_move_ref(cache_[size_t(slot)], frame);
    cache_display_[size_t(slot)] = display;
}

int PictureDecoder::cached_slot(int display) const {
    for (int i = 0; i < kCachedPictures; ++i)
        if (cache_display_[size_t(i)] == display) return i;
    return -1;
}

const AVFrame* PictureDecoder::cached(int display) const {
    int slot = cached_slot(display);
    return slot >= 0 ? cache_[size_t(slot)] : nullptr;
}

const AVFrame* PictureDecoder::deliver_cached(int display, bool& exact) {
    int slot = cached_slot(display);
    exact = !cache_damaged_[size_t(slot)];
    return deliver(cache_[size_t(slot)]);
}

const AVFrame* PictureDecoder::nearest_cached(int display) const {
    const AVFrame* best = nullptr;
    int best_distance = 0;
    for (int i = 0; i < kCachedPictures; ++i) {
        int d = cache_display_[size_t(i)];
        if (d < 0) continue;
        int distance = std::abs(d - display);
        if (!best || distance < best_distance) {
            best = cache_[size_t(i)];
            best_distance = distance;
        }
    }
    return best;
}

const AVFrame* PictureDecoder::deliver(const AVFrame* frame) {
    if (frame != last_good_) {
        av_frame_unref(last_good_);
        if (av_frame_ref(last_good_, frame) < 0) av_frame_unref(last_good_);
    }
    return frame;
}

const AVFrame* PictureDecoder::picture(int display, bool& exact) {
    beyond_data_ = false;
    if (cached(display)) return deliver_cached(display, exact);
    const auto& entries = project_->entries;
    int n = int(entries.size());
    int entry = entry_of(display);
    int start = start_entry_for(display, entry);
    bool continuing = positioned_ && started_ && !at_end_ && feed_entry_ <= entry && feed_entry_ >= start - 1 &&
                      display > max_output_;
    first_after_target_ = -1;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!continuing && !restart_at(start)) break;
        target_ = display;
        target_entry_ = entry;
        first_after_target_ = -1;
        const D2vEntry& from = entries[size_t(std::clamp(std::min(start, feed_entry_), 0, n - 1))];
        const D2vEntry& last = entries[size_t(std::min(entry + 1, n - 1))];
        int64_t budget = int64_t(last.first_picture) + last.picture_count - from.first_picture + kSpareUnits;
        while (!cached(display) && first_after_target_ < 0 && budget-- > 0) {
            if (started_ && feed_entry_ > entry + 1) break;
            if (!feed_one()) {
                drain();
                break;
            }
        }
        target_ = -1;
        if (cached(display)) return deliver_cached(display, exact);
        if (!continuing) break;
        continuing = false;  // a continued run may have passed it by: once more from its own entry
    }
    exact = false;
    // The files ended and nothing at or after the picture came out: a copy cut inside its GOP.
    if (at_end_ && source_done_ && max_output_ < display) {
        beyond_data_ = true;
        return nullptr;
    }
    const AVFrame* frame = first_after_target_ >= 0 ? cached(first_after_target_) : nullptr;
    if (!frame) frame = nearest_cached(display);
    if (!frame && last_good_->buf[0]) frame = last_good_;
    return frame ? deliver(frame) : nullptr;
}

}  // namespace qz::dgdecode
