// What a user's action does to the model before its handler runs, shared by every front end: a click
// toggles a check box or checks a radio, typing replaces an edit's text, and so on; then the event
// goes to the sink. An action on a disabled control does nothing, as for a real user.
#pragma once

#include "ui/controls.h"
#include "ui/events.h"

#include <string_view>

namespace qz::ui {

enum class ActionResult {
    Done,
    Ignored,         // the control is disabled
    UnknownControl,  // no such dialog or control id
    WrongKind,       // the action does not apply to this kind of control
    NoSuchItem,      // pick: no combo item with that caption; row: out of range
};

const char* action_error_text(ActionResult result);

class UserActions {
public:
    UserActions(Controls& controls, EventSink& sink) : controls_(controls), sink_(sink) {}

    ActionResult click(int dialog, int id);
    ActionResult type(int dialog, int id, std::string_view text);
    ActionResult enter(int dialog, int id);
    ActionResult leave(int dialog, int id);
    ActionResult pick(int dialog, int id, std::string_view caption);
    ActionResult row(int dialog, int id, int index);
    ActionResult slide(int dialog, int id, int position);
    ActionResult spin(int dialog, int id, int position);
    ActionResult tab(int tab_number);

private:
    ActionResult check(int dialog, int id, std::initializer_list<Kind> kinds) const;
    void send(EventKind kind, int dialog, int id, int value = 0) { sink_.handle(Event{kind, dialog, id, value}); }

    Controls& controls_;
    EventSink& sink_;
};

}  // namespace qz::ui
