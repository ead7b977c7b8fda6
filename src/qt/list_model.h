// A list box shown through a model/view: the rows are read from the control model on demand, so a
// 640000-line chapter list is one update, not 640000 widget items.
#pragma once

#include "ui/controls.h"

#include <QAbstractListModel>

namespace qz::qt {

class ControlListModel final : public QAbstractListModel {
public:
    ControlListModel(const ui::Controls& controls, int dialog, int id, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Called on the user-interface thread: lines were appended, or the list was replaced.
    void rows_appended();
    void reset();

private:
    const ui::Controls& controls_;
    int dialog_;
    int id_;
    int rows_ = 0;  // what the view has been told; only changes on the user-interface thread
};

}  // namespace qz::qt
