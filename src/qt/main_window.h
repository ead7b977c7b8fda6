// The main window: the tab control with the eight pages, "about QZ", "encode", "exit" and the
// Message log with its "info" label.
#pragma once

#include "state/app.h"
#include "ui/events.h"
#include "qt/binding.h"
#include "qt/preview_widget.h"

#include <QWidget>

class QTabWidget;

namespace qz::qt {

class MainWindow final : public QWidget {
public:
    MainWindow(App& app, ui::EventSink& sink);

    Binding& binding() { return *binding_; }
    // A size that shows every page without scrolling.
    QSize preferred_size();
    // Ends the program when a handler asked for it.
    void end_if_requested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    App& app_;
    Binding* binding_;
    PreviewPicture picture_;
    QTabWidget* tabs_ = nullptr;
    bool closing_ = false;
};

}  // namespace qz::qt
