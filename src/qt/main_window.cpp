#include "qt/main_window.h"

#include "commands/main_window.h"
#include "qt/fonts.h"
#include "qt/page_builder.h"
#include "qt/window_geometry.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_window.h"
#include "ui/ids/preview_pages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QUrl>

#include <utility>
#include <vector>

namespace qz::qt {

MainWindow::MainWindow(App& app, ui::EventSink& sink) : app_(app), picture_(app) {
    binding_ = new Binding(app.controls, sink, [this] { end_if_requested(); }, this);
    setWindowTitle(QString::fromLatin1(commands::kWindowCaption));
    setAcceptDrops(true);
    QApplication::instance()->installEventFilter(this);

    auto* tabs = tabs_ = new QTabWidget(this);
    for (int n = 1; n <= ui::kPageCount; ++n)
        tabs->addTab(build_page(ui::dialog::page_of_tab(n), *binding_, tabs), QString::fromLatin1(ui::tab_title(n)));
    tabs->setObjectName(QStringLiteral("c101_1001"));
    binding_->attach(ui::dialog::kMainWindow, ui::main_window_ids::kTabs, tabs);
    for (int page : ui::dialog::kPreviewPages)
        static_cast<PreviewWidget*>(binding_->widget(page, ui::preview_ids::kPicture))->set_picture(&picture_);
    match_preview_side_columns(*this);

    auto* info = make_control_widget(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLogLabel, *binding_, this);
    auto* log = static_cast<QListView*>(make_control_widget(ui::dialog::kMainWindow, ui::main_window_ids::kMessageLog, *binding_, this));
    log->setFont(dialog_font());
    log->setMinimumHeight(log->fontMetrics().height() * 5 + 6);
    log->setMaximumHeight(log->fontMetrics().height() * 7 + 6);

    auto* grid = new QGridLayout(this);
    grid->addWidget(tabs, 0, 0, 1, 3);
    grid->addWidget(info, 1, 0, Qt::AlignTop);
    grid->addWidget(log, 1, 1);
    auto* buttons = new QVBoxLayout();
    for (int id : {ui::main_window_ids::kAboutButton, ui::main_window_ids::kEncodeButton, ui::main_window_ids::kExitButton})
        buttons->addWidget(make_control_widget(ui::dialog::kMainWindow, id, *binding_, this));
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

QSize MainWindow::preferred_size() {
    // The window's own hint when every page's scroll area asks for the whole of its page.
    std::vector<std::pair<QScrollArea*, QSize>> minimums;
    for (int i = 0; i < tabs_->count(); ++i) {
        auto* scroll = static_cast<QScrollArea*>(tabs_->widget(i));
        minimums.emplace_back(scroll, scroll->minimumSize());
        scroll->setMinimumSize(scroll->widget()->sizeHint());
    }
    layout()->invalidate();
    const QSize size = sizeHint();
    for (auto [scroll, minimum] : minimums) scroll->setMinimumSize(minimum);
    layout()->invalidate();
    return size;
}

void MainWindow::end_if_requested() {
    if (!app_.end_requested || closing_) return;
    closing_ = true;
    close();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    keep_window_place(*this, app_.paths.program_folder);
    if (!closing_) {
        commands::request_end(app_);  // closing the window ends the program like "exit"
        closing_ = true;
        QApplication::quit();
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        if (commands::open_dropped_file(app_, url.toLocalFile().toLocal8Bit().toStdString())) {
            event->acceptProposedAction();
            break;
        }
    }
    binding_->flush();
    end_if_requested();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Escape is the dialog's cancel: it ends the program like "exit".
    if (event->key() == Qt::Key_Escape) {
        commands::request_end(app_);
        end_if_requested();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The picture of a newly shown preview page is drawn at the first mouse press after it was shown.
    if (event->type() == QEvent::MouseButtonPress && app_.preview_refresh_pending) {
        commands::refresh_preview_on_press(app_);
        binding_->flush();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qz::qt
