#pragma once
// What a grid's view shows of its model: sorted by a clicked column (numbers as numbers,
// frame/slot/port by slot then port) and filtered by a text found in any cell.

#include <QSortFilterProxyModel>

namespace tw {

// Negative, zero or positive as `a` sorts before, with or after `b`: two frame/slot/port texts
// part by part, two numbers by value, a number before a text, texts as the locale orders them.
int compareCells(const QString &a, const QString &b);

class GridSortFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit GridSortFilter(QObject *parent = nullptr);
    // Rows holding `text` in any cell, ignoring case; an empty text shows every row.
    void setFilterText(const QString &text);
    const QString &filterText() const { return filter_; }

  protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

  private:
    QString filter_;
};

} // namespace tw
