#pragma once
// The lines of the result list and of the list box: one read-only list of texts that both
// lists can share without a copy, turned into QStrings only for the rows a view shows.
// A tabulation of 65536 points lists its lines without converting any of them.

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <vector>

namespace quarnis {

class LinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    using Lines = std::shared_ptr<const std::vector<std::u16string>>;

    explicit LinesModel(QObject* parent = nullptr);

    // Shows lines (none for a null pointer), as a reset of the model.
    void setLines(Lines lines);
    const Lines& lines() const { return lines_; }
    const std::vector<std::u16string>& lineTexts() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    Lines lines_;
};

} // namespace quarnis
