// Message boxes, file dialogs and the folder browser as Qt dialogs.
#pragma once

#include "ui/dialog_host.h"

class QWidget;

namespace qz::qt {

class QtDialogHost final : public ui::DialogHost {
public:
    explicit QtDialogHost(QWidget* owner) : owner_(owner) {}
    void set_owner(QWidget* owner) { owner_ = owner; }

    ui::Answer message_box(const std::string& title, const std::string& text, ui::MessageKind kind) override;
    std::optional<std::string> file_dialog(const ui::FileDialogRequest& request) override;
    std::optional<std::string> browse_folder(const std::string& title) override;
    void hide_main_window() override;
    void restore_main_window() override;

private:
    QWidget* owner_;
};

}  // namespace qz::qt
