#include "lines_model.h"

namespace quarnis {

namespace {
    const std::vector<std::u16string> kNoLines;
} // namespace

LinesModel::LinesModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void LinesModel::setLines(Lines lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

const std::vector<std::u16string>& LinesModel::lineTexts() const
{
    return lines_ ? *lines_ : kNoLines;
}

int LinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(lineTexts().size());
}

QVariant LinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString::fromStdU16String(lineTexts()[std::size_t(index.row())]);
}

} // namespace quarnis
