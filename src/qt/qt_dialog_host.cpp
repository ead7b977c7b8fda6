#include "qt/qt_dialog_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace qz::qt {

namespace {

QString local(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }

}  // namespace

ui::Answer QtDialogHost::message_box(const std::string& title, const std::string& text, ui::MessageKind kind) {
    switch (kind) {
        case ui::MessageKind::Question:
            return QMessageBox::question(owner_, local(title), local(text), QMessageBox::Yes | QMessageBox::No) ==
                           QMessageBox::Yes
                       ? ui::Answer::Yes
                       : ui::Answer::No;
        case ui::MessageKind::Warning: QMessageBox::warning(owner_, local(title), local(text)); break;
        case ui::MessageKind::Error: QMessageBox::critical(owner_, local(title), local(text)); break;
        case ui::MessageKind::Information: QMessageBox::information(owner_, local(title), local(text)); break;
    }
    return ui::Answer::Ok;
}

std::optional<std::string> QtDialogHost::file_dialog(const ui::FileDialogRequest& request) {
    QFileDialog dialog(owner_, local(request.title));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog still accepts a new name, as the pan-scan export relies on.
    dialog.setFileMode(QFileDialog::AnyFile);
    QString pattern = local(request.pattern);
    pattern.replace(';', ' ');
    QString filter = local(request.filter_text).trimmed();
    dialog.setNameFilter(filter.isEmpty() ? pattern : QStringLiteral("%1 (%2)").arg(filter.section('(', 0, 0).trimmed(), pattern));
    dialog.setDefaultSuffix(local(request.default_extension));
    QString folder = local(request.start_folder);
    if (folder.isEmpty() && !request.start_name.empty()) folder = QFileInfo(local(request.start_name)).absolutePath();
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (!request.start_name.empty()) dialog.selectFile(QFileInfo(local(request.start_name)).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ui::with_default_extension(dialog.selectedFiles().first().toLocal8Bit().toStdString(), request.default_extension);
}

std::optional<std::string> QtDialogHost::browse_folder(const std::string& title) {
    QString folder = QFileDialog::getExistingDirectory(owner_, local(title));
    if (folder.isEmpty()) return std::nullopt;
    return folder.toLocal8Bit().toStdString();
}

void QtDialogHost::hide_main_window() {
    if (!owner_) return;
    owner_->hide();
    QApplication::processEvents();  // the window disappears before the encoder takes over
}

void QtDialogHost::restore_main_window() {
    if (!owner_) return;
    owner_->showNormal();
    owner_->activateWindow();
}

}  // namespace qz::qt
