#include "ui/user_actions.h"

#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"

#include <algorithm>

namespace qz::ui {

const char* action_error_text(ActionResult result) {
    switch (result) {
        case ActionResult::Done: return "done";
        case ActionResult::Ignored: return "control is disabled";
        case ActionResult::UnknownControl: return "unknown dialog or control id";
        case ActionResult::WrongKind: return "wrong control kind for this command";
        case ActionResult::NoSuchItem: return "no such item";
    }
    return "unknown result";
}

ActionResult UserActions::check(int dialog, int id, std::initializer_list<Kind> kinds) const {
    if (!controls_.exists(dialog, id)) return ActionResult::UnknownControl;
    Kind k = controls_.kind(dialog, id);
    if (std::find(kinds.begin(), kinds.end(), k) == kinds.end()) return ActionResult::WrongKind;
    if (!controls_.enabled(dialog, id)) return ActionResult::Ignored;
    return ActionResult::Done;
}

ActionResult UserActions::click(int dialog, int id) {
    ActionResult r = check(dialog, id, {Kind::Button, Kind::Check, Kind::Radio});
    if (r != ActionResult::Done) return r;
    Kind k = controls_.kind(dialog, id);
    if (k == Kind::Check) controls_.set_checked(dialog, id, !controls_.checked(dialog, id));
    if (k == Kind::Radio) controls_.check_radio(dialog, id);
    send(EventKind::Clicked, dialog, id);
    return ActionResult::Done;
}

ActionResult UserActions::type(int dialog, int id, std::string_view text) {
    ActionResult r = check(dialog, id, {Kind::Edit, Kind::Combo});
    if (r != ActionResult::Done) return r;
    const ControlSpec& spec = controls_.spec(dialog, id);
    if (spec.flags & kReadOnly) return ActionResult::Ignored;
    if (spec.kind == Kind::Combo && !(spec.flags & kComboEditable)) return ActionResult::WrongKind;
    controls_.set_text(dialog, id, text);
    send(EventKind::TextChanged, dialog, id);
    return ActionResult::Done;
}

ActionResult UserActions::enter(int dialog, int id) {
    ActionResult r = check(dialog, id, {Kind::Edit, Kind::Combo, Kind::List, Kind::Button, Kind::Check, Kind::Radio,
                                        Kind::TrackBar, Kind::UpDown});
    if (r != ActionResult::Done) return r;
    send(EventKind::FocusGained, dialog, id);
    return ActionResult::Done;
}

ActionResult UserActions::leave(int dialog, int id) {
    ActionResult r = check(dialog, id, {Kind::Edit, Kind::Combo, Kind::List, Kind::Button, Kind::Check, Kind::Radio,
                                        Kind::TrackBar, Kind::UpDown});
    if (r != ActionResult::Done) return r;
    send(EventKind::FocusLost, dialog, id);
    return ActionResult::Done;
}

ActionResult UserActions::pick(int dialog, int id, std::string_view caption) {
    ActionResult r = check(dialog, id, {Kind::Combo});
    if (r != ActionResult::Done) return r;
    if (!controls_.select_item(dialog, id, caption)) return ActionResult::NoSuchItem;
    send(EventKind::SelectionChanged, dialog, id, controls_.sel(dialog, id));
    return ActionResult::Done;
}

ActionResult UserActions::row(int dialog, int id, int index) {
    ActionResult r = check(dialog, id, {Kind::List});
    if (r != ActionResult::Done) return r;
    if (controls_.spec(dialog, id).flags & kNoSelect) return ActionResult::WrongKind;
    if (index < -1 || index >= controls_.item_count(dialog, id)) return ActionResult::NoSuchItem;
    controls_.set_sel(dialog, id, index);
    send(EventKind::SelectionChanged, dialog, id, index);
    return ActionResult::Done;
}

ActionResult UserActions::slide(int dialog, int id, int position) {
    ActionResult r = check(dialog, id, {Kind::TrackBar});
    if (r != ActionResult::Done) return r;
    controls_.set_pos(dialog, id, position);
    send(EventKind::Slid, dialog, id, controls_.pos(dialog, id));
    return ActionResult::Done;
}

ActionResult UserActions::spin(int dialog, int id, int position) {
    ActionResult r = check(dialog, id, {Kind::UpDown});
    if (r != ActionResult::Done) return r;
    controls_.set_pos(dialog, id, position);
    send(EventKind::Spun, dialog, id, controls_.pos(dialog, id));
    return ActionResult::Done;
}

ActionResult UserActions::tab(int tab_number) {
    if (tab_number < 1 || tab_number > kPageCount) return ActionResult::NoSuchItem;
    if (!controls_.enabled(dialog::kMainWindow, main_window_ids::kTabs)) return ActionResult::Ignored;
    controls_.set_selected_tab(tab_number);
    send(EventKind::TabChanged, dialog::kMainWindow, main_window_ids::kTabs, tab_number);
    return ActionResult::Done;
}

}  // namespace qz::ui
