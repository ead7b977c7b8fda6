#include "settings/chapter_file.h"

#include "settings/chapter_list.h"
#include "settings/free_format.h"

#include <algorithm>
#include <cctype>

namespace qz::settings {

namespace {

constexpr size_t kFirstLineLength = 80;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kFrameTag = "<framenum>";
constexpr size_t kFrameWindow = 10;  // characters after the tag that hold the number and its "<"

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_end(char c) { return c == '\n' || c == '\r'; }

std::string_view skip_blanks(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && is_blank(text[first])) ++first;
    return text.substr(first);
}

// The lines of a text; a line ends at LF, CR LF or CR, and the last line needs no end.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = pos_;
        while (end < text_.size() && !is_line_end(text_[end])) ++end;
        line = text_.substr(pos_, end - pos_);
        pos_ = end;
        if (end == text_.size()) return true;
        ++pos_;
        if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return true;
    }
    // Everything after the lines read so far.
    std::string_view rest() const { return text_.substr(std::min(pos_, text_.size())); }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The values of the written form: integers separated by blanks, tabs, commas or line ends.
class Values {
public:
    explicit Values(std::string_view text) : text_(text) {}

    bool next(std::string_view& value) {
        while (pos_ < text_.size() && is_separator(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return false;
        size_t start = pos_;
        while (pos_ < text_.size() && !is_separator(text_[pos_])) ++pos_;
        value = text_.substr(start, pos_ - start);
        return true;
    }

private:
    static bool is_separator(char c) { return is_value_separator(c) || is_line_end(c); }

    std::string_view text_;
    size_t pos_ = 0;
};

enum class Form { Xml, Counted, Plain };

Form form_of(std::string_view first_line) {
    std::string lowered(first_line.substr(0, 8));
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lowered.starts_with("<?xml")) return Form::Xml;
    if (lowered.starts_with("*chapter")) return Form::Counted;
    return Form::Plain;
}

// Collects the chapters of one read and the lines it has to say.
class Reading {
public:
    Reading(ChapterList& list, ChapterFileRead& result) : list_(list), result_(result) {}

    bool full() const { return list_.count >= kChapterCapacity; }
    // Only while the list is not full.
    void store(int32_t frame) {
        list_.frames[static_cast<size_t>(list_.count)] = frame;
        ++list_.count;
    }
    // The XML and plain forms stop once the list is full and say so.
    void store_until_full(int32_t frame) {
        store(frame);
        if (full()) say_capped();
    }
    void say_capped() { result_.log_lines.emplace_back(kChaptersCappedText); }

private:
    ChapterList& list_;
    ChapterFileRead& result_;
};

// Every later line whose first item is the frame number element gives one chapter.
bool read_xml(Lines& lines, Reading& reading) {
    std::string_view line;
    while (!reading.full() && lines.next(line)) {
        std::string_view item = skip_blanks(line);
        item = item.substr(0, std::min(item.size(), item.find_first_of(" \t,/")));
        if (!item.starts_with(kFrameTag)) continue;
        std::string_view window = item.substr(kFrameTag.size(), kFrameWindow);
        size_t number_end = window.find('<');
        int32_t frame = 0;
        if (number_end == std::string_view::npos || number_end == 0) return false;
        if (!parse_int(window.substr(0, number_end), frame)) return false;
        if (frame < kChapterCapacity) reading.store_until_full(frame);
    }
    return true;
}

// The count on the first line, then exactly that many values from the second line on.
bool read_counted(std::string_view first_line, Lines& lines, Reading& reading) {
    std::string_view after_keyword = first_line.substr(std::min<size_t>(8, first_line.size()));
    size_t pos = 0;
    std::string_view token;
    int32_t count = 0;
    // A negative count is no count of chapters: the file is refused like any other unreadable one.
    if (!next_value(after_keyword, pos, token) || !parse_int(token, count) || count < 0) return false;
    if (count > kChapterCapacity) {
        reading.say_capped();
        count = kChapterCapacity;
    }
    Values values(lines.rest());
    for (int32_t i = 0; i < count; ++i) {
        int32_t frame = 0;
        if (!values.next(token) || !parse_int(token, frame)) return false;
        reading.store(frame);
    }
    return true;
}

// The first integer of a line; false when there is none or it is no integer.
bool first_integer(std::string_view line, bool& blank, int32_t& value) {
    size_t pos = 0;
    std::string_view token;
    blank = !next_value(line, pos, token);
    return !blank && parse_int(token, value);
}

// The first integer of every line; blank lines after the first are skipped, anything after the
// integer is ignored.
bool read_plain(std::string_view first_line, Lines& lines, Reading& reading) {
    bool blank = false;
    int32_t frame = 0;
    if (!first_integer(first_line, blank, frame)) return false;
    reading.store_until_full(frame);
    std::string_view line;
    while (!reading.full() && lines.next(line)) {
        if (first_integer(line, blank, frame)) {
            reading.store_until_full(frame);
        } else if (!blank) {
            return false;
        }
    }
    return true;
}

}  // namespace

ChapterFileRead parse_chapter_file(std::string_view text, ChapterList& list) {
    ChapterFileRead result;
    clear_chapters(list);
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    Lines lines(text);
    std::string_view first_line;
    bool ok = lines.next(first_line);
    if (ok) {
        first_line = skip_blanks(first_line.substr(0, kFirstLineLength));
        Reading reading(list, result);
        switch (form_of(first_line)) {
            case Form::Xml: ok = read_xml(lines, reading); break;
            case Form::Counted: ok = read_counted(first_line, lines, reading); break;
            case Form::Plain: ok = read_plain(first_line, lines, reading); break;
        }
    }
    if (!ok) {
        clear_chapters(list);
        result.log_lines.emplace_back(kChapterReadFailedText);
        return result;
    }
    sort_chapters(list);
    result.ok = true;
    result.log_lines.push_back(std::to_string(list.count) + " chapters successfully read");
    return result;
}

std::string format_chapter_file(const ChapterList& list) {
    const int32_t count = std::clamp(list.count, 0, kChapterCapacity);
    std::string text;
    if (count == 0) return text;
    text.reserve(32 + static_cast<size_t>(count) * 8);
    text += "*CHAPTER          ";
    text += std::to_string(count);
    text += '\n';
    for (int32_t i = 0; i < count; ++i) {
        text += std::to_string(list.frames[static_cast<size_t>(i)]);
        text += '\n';
    }
    return text;
}

}  // namespace qz::settings
