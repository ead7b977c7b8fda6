// The connection table of the main window: which user events of which controls go to which handler.
// It is the one event sink the front ends deliver to.
#pragma once

#include "state/app.h"
#include "ui/events.h"

namespace qz::shell {

using Handler = void (*)(App& app, const ui::Event& event);

// Which events a connection passes on.
enum EventMask : unsigned {
    kOnClickOrChange = 1u << 0,  // clicked, text changed, selection changed, slid, spun
    kOnEntering = 1u << 1,
    kOnLeaving = 1u << 2,
    kOnTab = 1u << 3,
};

struct Connection {
    int dialog;
    int first_id;
    int last_id;
    unsigned events;
    Handler handler;
};

class ConnectionTable final : public ui::EventSink {
public:
    explicit ConnectionTable(App& app) : app_(app) {}
    void handle(const ui::Event& event) override;

    // The handler an event goes to, or nullptr when the control is not connected for it.
    static Handler route(const ui::Event& event);

private:
    App& app_;
};

}  // namespace qz::shell
