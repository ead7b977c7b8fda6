// The control model: the live state of every control of the main window and the eight pages,
// addressed by dialog id and control id. Handlers change it; it never calls a handler. Programmatic
// changes fire no event. Every operation is serialised by one lock, so the scene-change worker may
// add log lines and change controls while the user-interface thread reads the model.
#pragma once

#include "ui/control_spec.h"

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qz::ui {

// Told about every change, in order, while the model's lock is held: an observer must not block,
// and it may read the model only from the thread that made the change.
class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void control_changed(int dialog, int id) = 0;
    // A line was appended to a list box (the Message log among them).
    virtual void item_added(int dialog, int id, const std::string& text) = 0;
};

struct ControlState {
    const ControlSpec* spec = nullptr;
    std::string text;
    bool checked = false;
    bool enabled = true;
    int pos = 0;
    int range_min = 0;
    int range_max = 0;
    int sel = -1;
    std::vector<std::string> items;
};

class Controls {
public:
    Controls();  // builds every control of the catalogue in its initial state
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    void set_observer(ControlObserver* observer);

    // Holding the lock makes several operations one step for other threads (the log's pieces).
    std::unique_lock<std::recursive_mutex> hold() const;

    bool exists(int dialog, int id) const;
    Kind kind(int dialog, int id) const;
    const ControlSpec& spec(int dialog, int id) const;

    std::string text(int dialog, int id) const;
    void set_text(int dialog, int id, std::string_view text);

    bool checked(int dialog, int id) const;
    void set_checked(int dialog, int id, bool checked);
    // Checks a radio and unchecks the other radios of its group.
    void check_radio(int dialog, int id);
    // The checked radio of the group that `any_member` belongs to, 0 when none.
    int checked_radio(int dialog, int any_member) const;

    bool enabled(int dialog, int id) const;
    void set_enabled(int dialog, int id, bool enabled);

    // Track bars, up-downs; for the tab control the selected tab number (1 to 8).
    int pos(int dialog, int id) const;
    void set_pos(int dialog, int id, int pos);  // clamped to the range
    int range_min(int dialog, int id) const;
    int range_max(int dialog, int id) const;
    void set_range(int dialog, int id, int min, int max);  // position clamped into it

    // Combos and lists. Selecting a combo item also shows its caption in the edit field.
    int sel(int dialog, int id) const;
    void set_sel(int dialog, int id, int index);
    // Selects the combo item whose caption is `caption`; false when there is none.
    bool select_item(int dialog, int id, std::string_view caption);
    int item_count(int dialog, int id) const;
    std::string item(int dialog, int id, int index) const;
    void add_item(int dialog, int id, std::string text);
    // Replaces all items in one step (one change notification, not one per line).
    void set_items(int dialog, int id, std::vector<std::string> items);
    void clear_items(int dialog, int id);

    // Selected tab number (1 to 8) of the main window's tab control.
    int selected_tab() const;
    void set_selected_tab(int tab_number);

    // Reads a control's whole state (for the Qt binding and the script driver).
    ControlState snapshot(int dialog, int id) const;
    // Visits items [first, first+count) of a list without copying the whole list.
    template <typename Visit>
    void visit_items(int dialog, int id, int first, int count, Visit visit) const {
        auto lock = hold();
        const ControlState& s = state(dialog, id);
        int end = std::min<int>(first + count, static_cast<int>(s.items.size()));
        for (int i = first < 0 ? 0 : first; i < end; ++i) visit(i, s.items[static_cast<size_t>(i)]);
    }

private:
    ControlState& state(int dialog, int id);
    const ControlState& state(int dialog, int id) const;
    void changed(int dialog, int id);

    mutable std::recursive_mutex mutex_;
    std::vector<ControlState> states_;
    std::unordered_map<long long, size_t> index_;
    ControlObserver* observer_ = nullptr;
};

}  // namespace qz::ui
