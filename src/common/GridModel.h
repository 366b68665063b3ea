#pragma once
// A grid with a fixed header row and rows appended by the parsers. It is a Qt item model so a
// view shows tens of thousands of rows without a widget per cell.

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace tw {

struct GridColumn {
    QString caption;
    int width = 100;
};

class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit GridModel(QList<GridColumn> columns, QObject *parent = nullptr);

    const QList<GridColumn> &columns() const { return columns_; }
    // Writes the header captions and widths again (what a view shows as its header).
    void resetHeader();

    // Cut back to the header row.
    void clearRows();
    // Cells beyond the column count are dropped; missing cells are empty.
    void appendRow(QStringList cells);
    void appendRows(QList<QStringList> rows);
    void setCell(int row, int column, const QString &text);

    // Data rows, without the header.
    int count() const { return static_cast<int>(rows_.size()); }
    const QStringList &row(int r) const { return rows_[r]; }
    QString cell(int r, int c) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    void headerReset();

  private:
    QStringList fitted(QStringList cells) const;

    QList<GridColumn> columns_;
    QList<QStringList> rows_;
};

// The three ONT grids with their captions and widths.
QList<GridColumn> ontListColumns();
QList<GridColumn> ontVersionColumns();
QList<GridColumn> ontDiscoveryColumns();

} // namespace tw
