// An up-down control: two arrow buttons beside an edit; its position lives in the model.
#pragma once

#include <QWidget>

namespace qz::qt {

class UpDown final : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent);

signals:
    void stepped(int delta);
};

}  // namespace qz::qt
