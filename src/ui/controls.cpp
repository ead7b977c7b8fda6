#include "ui/controls.h"

#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qz::ui {

namespace {

long long key(int dialog, int id) { return (static_cast<long long>(dialog) << 32) | static_cast<unsigned>(id); }

// Addressing a control that does not exist is a programming error: say which and stop, so a wrong
// id never goes unnoticed.
[[noreturn]] void unknown_control(int dialog, int id) {
    std::fprintf(stderr, "internal error: no control %d on dialog %d\n", id, dialog);
    std::abort();
}

}  // namespace

const char* kind_name(Kind kind) {
    switch (kind) {
        case Kind::Button: return "button";
        case Kind::Check: return "check";
        case Kind::Radio: return "radio";
        case Kind::Edit: return "edit";
        case Kind::Combo: return "combo";
        case Kind::List: return "list";
        case Kind::TrackBar: return "trackbar";
        case Kind::UpDown: return "updown";
        case Kind::Static: return "static";
        case Kind::Tab: return "tab";
        case Kind::Preview: return "preview";
        case Kind::Group: return "group";
    }
    return "unknown";
}

Controls::Controls() {
    auto specs = catalogue();
    states_.reserve(specs.size());
    for (const ControlSpec& spec : specs) {
        ControlState s;
        s.spec = &spec;
        s.text = spec.caption;
        s.enabled = (spec.flags & kStartsDisabled) == 0;
        s.checked = (spec.flags & kStartsChecked) != 0;
        s.range_min = spec.range_min;
        s.range_max = spec.range_max;
        s.pos = spec.initial_pos;
        if (spec.kind == Kind::Edit || spec.kind == Kind::Combo || spec.kind == Kind::List) s.text.clear();
        for (int i = 0; i < spec.item_count; ++i) s.items.emplace_back(spec.items[i]);
        if (spec.kind == Kind::Combo && !s.items.empty()) {
            s.sel = 0;
            s.text = s.items[0];
        }
        if (spec.kind == Kind::Tab) {
            s.range_min = 1;
            s.range_max = kPageCount;
            s.pos = 1;
            s.sel = 0;
            s.text.clear();
            for (int n = 1; n <= kPageCount; ++n) s.items.emplace_back(tab_title(n));
        }
        index_[key(spec.dialog, spec.id)] = states_.size();
        states_.push_back(std::move(s));
    }
}

void Controls::set_observer(ControlObserver* observer) {
    auto lock = hold();
    observer_ = observer;
}

std::unique_lock<std::recursive_mutex> Controls::hold() const { return std::unique_lock(mutex_); }

ControlState& Controls::state(int dialog, int id) {
    auto it = index_.find(key(dialog, id));
    if (it == index_.end()) unknown_control(dialog, id);
    return states_[it->second];
}

const ControlState& Controls::state(int dialog, int id) const {
    auto it = index_.find(key(dialog, id));
    if (it == index_.end()) unknown_control(dialog, id);
    return states_[it->second];
}

void Controls::changed(int dialog, int id) {
    if (observer_) observer_->control_changed(dialog, id);
}

bool Controls::exists(int dialog, int id) const {
    auto lock = hold();
    return index_.count(key(dialog, id)) != 0;
}

Kind Controls::kind(int dialog, int id) const { return spec(dialog, id).kind; }

const ControlSpec& Controls::spec(int dialog, int id) const {
    auto lock = hold();
    return *state(dialog, id).spec;
}

std::string Controls::text(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id).text;
}

void Controls::set_text(int dialog, int id, std::string_view text) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    if (s.text == text) return;
    s.text.assign(text);
    changed(dialog, id);
}

bool Controls::checked(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id).checked;
}

void Controls::set_checked(int dialog, int id, bool checked) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    if (s.checked == checked) return;
    s.checked = checked;
    changed(dialog, id);
}

void Controls::check_radio(int dialog, int id) {
    auto lock = hold();
    ControlState& target = state(dialog, id);
    int group = target.spec->radio_group;
    for (ControlState& s : states_) {
        if (s.spec->dialog != dialog || s.spec->kind != Kind::Radio || &s == &target) continue;
        if (group != 0 && s.spec->radio_group == group && s.checked) {
            s.checked = false;
            changed(dialog, s.spec->id);
        }
    }
    if (!target.checked) {
        target.checked = true;
        changed(dialog, id);
    }
}

int Controls::checked_radio(int dialog, int any_member) const {
    auto lock = hold();
    const ControlState& member = state(dialog, any_member);
    int group = member.spec->radio_group;
    if (group == 0) return member.checked ? any_member : 0;
    for (const ControlState& s : states_) {
        if (s.spec->dialog == dialog && s.spec->kind == Kind::Radio && s.spec->radio_group == group && s.checked)
            return s.spec->id;
    }
    return 0;
}

bool Controls::enabled(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id).enabled;
}

void Controls::set_enabled(int dialog, int id, bool enabled) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    if (s.enabled == enabled) return;
    s.enabled = enabled;
    changed(dialog, id);
}

int Controls::pos(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id).pos;
}

void Controls::set_pos(int dialog, int id, int pos) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    int lo = std::min(s.range_min, s.range_max), hi = std::max(s.range_min, s.range_max);
    pos = std::clamp(pos, lo, hi);
    if (s.pos == pos) return;
    s.pos = pos;
    changed(dialog, id);
}

int Controls::range_min(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id).range_min;
}

int Controls::range_max(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id).range_max;
}

void Controls::set_range(int dialog, int id, int min, int max) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    s.range_min = min;
    s.range_max = max;
    s.pos = std::clamp(s.pos, std::min(min, max), std::max(min, max));
    changed(dialog, id);
}

int Controls::sel(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id).sel;
}

void Controls::set_sel(int dialog, int id, int index) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    if (index < 0 || index >= static_cast<int>(s.items.size())) index = -1;
    s.sel = index;
    if (s.spec->kind == Kind::Combo) s.text = index >= 0 ? s.items[static_cast<size_t>(index)] : std::string();
    changed(dialog, id);
}

bool Controls::select_item(int dialog, int id, std::string_view caption) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    for (size_t i = 0; i < s.items.size(); ++i) {
        if (s.items[i] == caption) {
            set_sel(dialog, id, static_cast<int>(i));
            return true;
        }
    }
    return false;
}

int Controls::item_count(int dialog, int id) const {
    auto lock = hold();
    return static_cast<int>(state(dialog, id).items.size());
}

std::string Controls::item(int dialog, int id, int index) const {
    auto lock = hold();
    const ControlState& s = state(dialog, id);
    if (index < 0 || index >= static_cast<int>(s.items.size())) return {};
    return s.items[static_cast<size_t>(index)];
}

void Controls::add_item(int dialog, int id, std::string text) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    s.items.push_back(std::move(text));
    if (observer_) observer_->item_added(dialog, id, s.items.back());
}

void Controls::set_items(int dialog, int id, std::vector<std::string> items) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    s.items = std::move(items);
    if (s.sel >= static_cast<int>(s.items.size())) s.sel = -1;
    changed(dialog, id);
}

void Controls::clear_items(int dialog, int id) {
    auto lock = hold();
    ControlState& s = state(dialog, id);
    s.items.clear();
    s.sel = -1;
    changed(dialog, id);
}

int Controls::selected_tab() const { return pos(dialog::kMainWindow, main_window_ids::kTabs); }

void Controls::set_selected_tab(int tab_number) {
    auto lock = hold();
    ControlState& s = state(dialog::kMainWindow, main_window_ids::kTabs);
    tab_number = std::clamp(tab_number, 1, kPageCount);
    s.pos = tab_number;
    s.sel = tab_number - 1;
    changed(dialog::kMainWindow, main_window_ids::kTabs);
}

ControlState Controls::snapshot(int dialog, int id) const {
    auto lock = hold();
    return state(dialog, id);
}

}  // namespace qz::ui
