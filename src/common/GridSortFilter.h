#pragma once
// What a grid's view shows of its model: sorted by a clicked column as the column's kind says
// (texts as texts, numbers as numbers, frame/slot/port by slot then port) and filtered by a text
// found in any cell.

#include "common/GridModel.h"

#include <QCollatorSortKey>
#include <QList>
#include <QSortFilterProxyModel>
#include <QVarLengthArray>

#include <memory>
#include <optional>
#include <vector>

namespace tw {

// What a cell sorts by, worked out once so that sorting tens of thousands of rows compares
// prepared values instead of parsing both texts at every comparison.
class SortKey {
  public:
    SortKey(const QString &text, ColumnKind kind);
    // Negative, zero or positive as the first key's text sorts before, with or after the second's;
    // both keys are of the same column.
    static int compare(const SortKey &a, const SortKey &b);

  private:
    const QCollatorSortKey &textKey() const;

    QString text_;
    ColumnKind kind_;
    bool isValue_ = false;             // a number, or a frame/slot/port, that sorts by its value
    QVarLengthArray<qint64, 4> parts_; // frame/slot/port: "0/1/3", "0/11" or a lone number
    double number_ = 0;
    mutable std::optional<QCollatorSortKey> textKey_; // made when two texts meet
};

// Negative, zero or positive as `a` sorts before, with or after `b` in a column of that kind. In a
// number or frame/slot/port column a cell that is none (empty, "-") follows the values; texts go
// as the locale orders them.
int compareCells(const QString &a, const QString &b, ColumnKind kind);

class GridSortFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit GridSortFilter(QObject *parent = nullptr);
    void setSourceModel(QAbstractItemModel *model) override;
    // Rows holding `text` in any cell, ignoring case; an empty text shows every row.
    void setFilterText(const QString &text);

  protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

  private:
    const SortKey &keyOf(const QModelIndex &sourceIndex) const;
    ColumnKind kindOf(int column) const;
    void forgetKeys() const;

    QString filter_;
    QList<QMetaObject::Connection> sourceConnections_;
    // The keys of the sort column by source row, made when a row is first compared and forgotten
    // whenever the source changes.
    mutable int keyColumn_ = -1;
    mutable ColumnKind keyKind_ = ColumnKind::Text;
    mutable std::vector<std::unique_ptr<SortKey>> keys_;
};

} // namespace tw
