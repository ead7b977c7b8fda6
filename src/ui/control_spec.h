// The catalogue entry of one control: what it is, how it starts. The catalogue is data, written once
// from the page layouts; the model (controls.h) holds the live state.
#pragma once

#include "ui/ids/dialogs.h"

#include <cstdint>
#include <span>

namespace qz::ui {

using dialog::kPageCount;

enum class Kind : uint8_t {
    Button,
    Check,
    Radio,
    Edit,
    Combo,
    List,
    TrackBar,
    UpDown,
    Static,   // a text the user reads; addressed when it has an id (movie information fields)
    Tab,
    // The picture area of a preview page: `pos` is the revision of its picture, counted up by every
    // draw (a front end repaints when it changes), `text` says what the picture shows ("720x576
    // frame 12"), empty for no picture. The pixels themselves are not in the model.
    Preview,
    Group,    // a group box: layout only, never addressed by the logic
};

const char* kind_name(Kind kind);

// The revisions of a preview picture run 1 .. this, then start at 1 again; 0 is "never drawn".
inline constexpr int kMaxPictureRevision = 2147483647;

enum Flag : uint16_t {
    kReadOnly = 1 << 0,       // edit the user cannot type into
    kDigitsOnly = 1 << 1,     // edit that accepts digits only
    kComboEditable = 1 << 2,  // combo with an edit field
    kMonospace = 1 << 3,      // list shown in the monospace font (listings)
    kNoSelect = 1 << 4,       // list without a selection (the Message log)
    kStartsDisabled = 1 << 5,
    kStartsChecked = 1 << 6,
    kRightAligned = 1 << 7,   // edit whose text is right-aligned (matrix cells)
};

struct ControlSpec {
    int dialog = 0;
    // Control id from the dialog layouts (ui/ids/); unaddressed labels and group boxes carry ids in the
    // bands of ui/ids/layout.h.
    int id = 0;
    Kind kind = Kind::Static;
    const char* caption = "";
    // Radios: the group they belong to (unique within the dialog); checking one unchecks the others.
    int radio_group = 0;
    uint16_t flags = 0;
    // Track bars and up-downs: range and start position.
    int range_min = 0;
    int range_max = 0;
    int initial_pos = 0;
    // Combos: their items, in order.
    const char* const* items = nullptr;
    int item_count = 0;
    // The group box (its id) that visually holds this control, 0 when none; used for layout only.
    int box = 0;
};

// Every control of the main window and the eight pages, in reading order per dialog.
std::span<const ControlSpec> catalogue();

// The title of tab n (1 to 8).
const char* tab_title(int tab_number);

}  // namespace qz::ui
