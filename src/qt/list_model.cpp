#include "qt/list_model.h"

namespace qz::qt {

ControlListModel::ControlListModel(const ui::Controls& controls, int dialog, int id, QObject* parent)
    : QAbstractListModel(parent), controls_(controls), dialog_(dialog), id_(id) {
    rows_ = controls_.item_count(dialog_, id_);
}

int ControlListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ControlListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
    return QString::fromLatin1(controls_.item(dialog_, id_, index.row()));
}

void ControlListModel::rows_appended() {
    int now = controls_.item_count(dialog_, id_);
    if (now < rows_) {
        reset();
        return;
    }
    if (now == rows_) return;
    beginInsertRows(QModelIndex(), rows_, now - 1);
    rows_ = now;
    endInsertRows();
}

void ControlListModel::reset() {
    beginResetModel();
    rows_ = controls_.item_count(dialog_, id_);
    endResetModel();
}

}  // namespace qz::qt
