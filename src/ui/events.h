// User actions become events; the shell hands the model one sink (its connection table) and every
// front end (the script driver, the Qt window) delivers events through it.
#pragma once

namespace qz::ui {

enum class EventKind {
    Clicked,           // button pressed, check box toggled, radio checked
    TextChanged,       // the user changed an edit's (or a combo's edit field's) text
    FocusGained,
    FocusLost,
    SelectionChanged,  // combo item or list row chosen; value = index (-1 none)
    Slid,              // track bar moved; value = position
    Spun,              // up-down moved; value = position
    TabChanged,        // value = tab number 1 to 8
};

struct Event {
    EventKind kind = EventKind::Clicked;
    int dialog = 0;
    int id = 0;
    int value = 0;
};

class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void handle(const Event& event) = 0;
};

}  // namespace qz::ui
