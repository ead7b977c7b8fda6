#include "qt/binding.h"

#include "qt/list_model.h"
#include "qt/preview_widget.h"
#include "qt/updown.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/ids/preview_pages.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

namespace qz::qt {

namespace {

long long key(int dialog, int id) { return (static_cast<long long>(dialog) << 32) | static_cast<unsigned>(id); }

QString latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

}  // namespace

Binding::Binding(ui::Controls& controls, ui::EventSink& sink, std::function<void()> after_action, QObject* parent)
    : QObject(parent), controls_(controls), actions_(controls, sink), after_action_(std::move(after_action)) {
    controls_.set_observer(this);
}

Binding::~Binding() { controls_.set_observer(nullptr); }

QWidget* Binding::widget(int dialog, int id) const {
    auto it = bound_.find(key(dialog, id));
    return it == bound_.end() ? nullptr : it->second.widget;
}

void Binding::attach(int dialog, int id, QWidget* widget) {
    Bound b;
    b.dialog = dialog;
    b.id = id;
    b.kind = controls_.kind(dialog, id);
    b.widget = widget;
    if (b.kind == ui::Kind::List) {
        auto* view = static_cast<QListView*>(widget);
        b.list = new ControlListModel(controls_, dialog, id, view);
        view->setModel(b.list);
    }
    Bound& stored = bound_[key(dialog, id)] = b;
    by_widget_[widget] = key(dialog, id);
    connect_signals(stored);
    sync(stored, false);
}

void Binding::act(const std::function<ui::ActionResult(ui::UserActions&)>& action) {
    if (syncing_) return;
    action(actions_);
    flush();
    if (after_action_) after_action_();
}

void Binding::connect_signals(Bound& b) {
    const int d = b.dialog, id = b.id;
    switch (b.kind) {
        case ui::Kind::Button:
        case ui::Kind::Check:
        case ui::Kind::Radio: {
            auto* button = static_cast<QAbstractButton*>(b.widget);
            connect(button, &QAbstractButton::clicked, this, [this, d, id, button] {
                act([&](ui::UserActions& a) { return a.click(d, id); });
                // The model decides the checked state, not the widget's own toggle.
                if (!syncing_) button->setChecked(controls_.checked(d, id));
            });
            break;
        }
        case ui::Kind::Edit: {
            auto* edit = static_cast<QLineEdit*>(b.widget);
            connect(edit, &QLineEdit::textEdited, this, [this, d, id](const QString& text) {
                act([&](ui::UserActions& a) { return a.type(d, id, text.toLatin1().toStdString()); });
            });
            edit->installEventFilter(this);
            break;
        }
        case ui::Kind::Combo: {
            auto* combo = static_cast<QComboBox*>(b.widget);
            connect(combo, &QComboBox::activated, this, [this, d, id, combo](int index) {
                std::string caption = combo->itemText(index).toLatin1().toStdString();
                act([&](ui::UserActions& a) { return a.pick(d, id, caption); });
            });
            if (QLineEdit* edit = combo->lineEdit()) {
                connect(edit, &QLineEdit::textEdited, this, [this, d, id](const QString& text) {
                    act([&](ui::UserActions& a) { return a.type(d, id, text.toLatin1().toStdString()); });
                });
            }
            combo->installEventFilter(this);
            break;
        }
        case ui::Kind::List: {
            auto* view = static_cast<QListView*>(b.widget);
            connect(view, &QListView::clicked, this, [this, d, id](const QModelIndex& index) {
                act([&](ui::UserActions& a) { return a.row(d, id, index.row()); });
            });
            break;
        }
        case ui::Kind::TrackBar: {
            auto* slider = static_cast<QSlider*>(b.widget);
            connect(slider, &QSlider::valueChanged, this, [this, d, id](int value) {
                if (syncing_) return;
                act([&](ui::UserActions& a) { return a.slide(d, id, value); });
            });
            break;
        }
        case ui::Kind::UpDown: {
            auto* updown = static_cast<UpDown*>(b.widget);
            connect(updown, &UpDown::stepped, this, [this, d, id](int delta) {
                int target = controls_.pos(d, id) + delta;
                act([&](ui::UserActions& a) { return a.spin(d, id, target); });
            });
            break;
        }
        case ui::Kind::Tab: {
            auto* tabs = static_cast<QTabWidget*>(b.widget);
            connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
                if (syncing_) return;
                act([&](ui::UserActions& a) { return a.tab(index + 1); });
            });
            break;
        }
        case ui::Kind::Preview: b.widget->installEventFilter(this); break;
        case ui::Kind::Static:
        case ui::Kind::Group: break;
    }
}

// The keys of a focused picture are the page's own navigation controls: the arrows step one frame,
// with Ctrl the small step, Page Up and Page Down the large step; Home and End move the slider to
// its ends, the first and the last frame. Disabled controls ignore them as they ignore a click.
bool Binding::navigate_by_key(int dialog, const QKeyEvent& key) {
    namespace ids = ui::preview_ids;
    const bool ctrl = key.modifiers() & Qt::ControlModifier;
    int button = 0;
    switch (key.key()) {
        case Qt::Key_Left: button = ctrl ? ids::kSmallBack : ids::kStepBack; break;
        case Qt::Key_Right: button = ctrl ? ids::kSmallForward : ids::kStepForward; break;
        case Qt::Key_PageUp: button = ids::kLargeBack; break;
        case Qt::Key_PageDown: button = ids::kLargeForward; break;
        case Qt::Key_Home:
        case Qt::Key_End: {
            const bool end = key.key() == Qt::Key_End;
            const int position = end ? controls_.range_max(dialog, ids::kSlider) : controls_.range_min(dialog, ids::kSlider);
            act([&](ui::UserActions& a) { return a.slide(dialog, ids::kSlider, position); });
            return true;
        }
        default: return false;
    }
    act([&](ui::UserActions& a) { return a.click(dialog, button); });
    return true;
}

bool Binding::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto it = by_widget_.find(watched);
        if (it != by_widget_.end() && bound_[it->second].kind == ui::Kind::Preview &&
            navigate_by_key(bound_[it->second].dialog, *static_cast<QKeyEvent*>(event)))
            return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto it = by_widget_.find(watched);
        if (it != by_widget_.end() && bound_[it->second].kind != ui::Kind::Preview) {
            const Bound& b = bound_[it->second];
            const int d = b.dialog, id = b.id;
            bool gained = event->type() == QEvent::FocusIn;
            // Handlers may open dialogs; run them after Qt has finished moving the focus.
            QMetaObject::invokeMethod(
                this,
                [this, d, id, gained] {
                    act([&](ui::UserActions& a) { return gained ? a.enter(d, id) : a.leave(d, id); });
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void Binding::control_changed(int dialog, int id) {
    std::lock_guard lock(pending_mutex_);
    changed_.insert(key(dialog, id));
    schedule_flush();
}

void Binding::item_added(int dialog, int id, const std::string&) {
    std::lock_guard lock(pending_mutex_);
    appended_.insert(key(dialog, id));
    schedule_flush();
}

void Binding::schedule_flush() {
    if (flush_scheduled_) return;
    flush_scheduled_ = true;
    QMetaObject::invokeMethod(this, [this] { flush(); }, Qt::QueuedConnection);
}

void Binding::flush() {
    std::unordered_set<long long> changed, appended;
    {
        std::lock_guard lock(pending_mutex_);
        changed.swap(changed_);
        appended.swap(appended_);
        flush_scheduled_ = false;
    }
    for (long long k : changed) {
        auto it = bound_.find(k);
        if (it != bound_.end()) sync(it->second, false);
    }
    for (long long k : appended) {
        auto it = bound_.find(k);
        if (it != bound_.end() && !changed.count(k)) sync(it->second, true);
    }
}

void Binding::sync_all() {
    for (auto& [k, b] : bound_) sync(b, false);
}

void Binding::sync(Bound& b, bool rows_appended) {
    ui::ControlState s = b.kind == ui::Kind::List ? ui::ControlState{} : controls_.snapshot(b.dialog, b.id);
    bool enabled = controls_.enabled(b.dialog, b.id);
    syncing_ = true;
    b.widget->setEnabled(enabled);
    switch (b.kind) {
        case ui::Kind::Button:
        case ui::Kind::Check:
        case ui::Kind::Radio: {
            auto* button = static_cast<QAbstractButton*>(b.widget);
            QString text = latin1(s.text);
            if (button->text() != text) button->setText(text);
            if (b.kind != ui::Kind::Button) button->setChecked(s.checked);
            break;
        }
        case ui::Kind::Edit: {
            auto* edit = static_cast<QLineEdit*>(b.widget);
            QString text = latin1(s.text);
            if (edit->text() != text) edit->setText(text);
            break;
        }
        case ui::Kind::Combo: {
            auto* combo = static_cast<QComboBox*>(b.widget);
            if (combo->count() != static_cast<int>(s.items.size())) {
                combo->clear();
                for (const std::string& item : s.items) combo->addItem(latin1(item));
            }
            combo->setCurrentIndex(s.sel);
            if (combo->isEditable() && combo->currentText() != latin1(s.text)) combo->setEditText(latin1(s.text));
            break;
        }
        case ui::Kind::List: {
            auto* view = static_cast<QListView*>(b.widget);
            if (rows_appended) b.list->rows_appended();
            else b.list->reset();
            int sel = controls_.sel(b.dialog, b.id);
            if (view->selectionMode() != QAbstractItemView::NoSelection) {
                if (sel >= 0) view->setCurrentIndex(b.list->index(sel));
                else view->clearSelection();
            }
            if (b.dialog == ui::dialog::kMainWindow && b.id == ui::main_window_ids::kMessageLog) view->scrollToBottom();  // newest line in view
            break;
        }
        case ui::Kind::TrackBar: {
            auto* slider = static_cast<QSlider*>(b.widget);
            slider->setRange(s.range_min, s.range_max);
            slider->setValue(s.pos);
            break;
        }
        case ui::Kind::Tab: {
            auto* tabs = static_cast<QTabWidget*>(b.widget);
            tabs->setCurrentIndex(s.pos - 1);
            break;
        }
        case ui::Kind::Static: static_cast<QLabel*>(b.widget)->setText(latin1(s.text)); break;
        case ui::Kind::Group: static_cast<QGroupBox*>(b.widget)->setTitle(latin1(s.text)); break;
        case ui::Kind::Preview: static_cast<PreviewWidget*>(b.widget)->picture_changed(s.pos); break;
        case ui::Kind::UpDown: break;
    }
    syncing_ = false;
}

}  // namespace qz::qt
