// Binds widgets to the control model: one path from the model to the widgets (a coalesced sync of
// the controls that changed), and widget actions turned into the same user actions the script
// driver uses. Widgets hold no state the logic needs.
#pragma once

#include "ui/controls.h"
#include "ui/user_actions.h"

#include <QObject>

#include <functional>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

class QKeyEvent;
class QWidget;

namespace qz::qt {

class ControlListModel;

class Binding final : public QObject, public ui::ControlObserver {
public:
    // `after_action` runs after every handler a widget action reached (e.g. to end the program).
    Binding(ui::Controls& controls, ui::EventSink& sink, std::function<void()> after_action, QObject* parent);
    ~Binding() override;

    // Registers the widget of a control, connects its signals and shows the model's state.
    void attach(int dialog, int id, QWidget* widget);
    QWidget* widget(int dialog, int id) const;

    // Brings every pending change of the model onto the widgets (user-interface thread only).
    void flush();
    void sync_all();

    ui::UserActions& actions() { return actions_; }
    // Runs a user action and its handler, then refreshes the widgets.
    void act(const std::function<ui::ActionResult(ui::UserActions&)>& action);

    // ControlObserver: may be called from the scan's worker thread.
    void control_changed(int dialog, int id) override;
    void item_added(int dialog, int id, const std::string& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        int dialog = 0;
        int id = 0;
        ui::Kind kind = ui::Kind::Static;
        QWidget* widget = nullptr;
        ControlListModel* list = nullptr;
    };

    void connect_signals(Bound& bound);
    // A key pressed on a preview picture: the navigation action it stands for; false for other keys.
    bool navigate_by_key(int dialog, const QKeyEvent& key);
    void sync(Bound& bound, bool rows_appended);
    void schedule_flush();

    ui::Controls& controls_;
    ui::UserActions actions_;
    std::function<void()> after_action_;
    std::unordered_map<long long, Bound> bound_;
    std::unordered_map<QObject*, long long> by_widget_;

    std::mutex pending_mutex_;
    std::unordered_set<long long> changed_;
    std::unordered_set<long long> appended_;
    bool flush_scheduled_ = false;
    bool syncing_ = false;  // widget signals raised by our own sync are not user actions
};

}  // namespace qz::qt
