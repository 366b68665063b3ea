#pragma once
// A grid with a fixed header row and rows appended by the parsers. It is a Qt item model so a
// view shows tens of thousands of rows without a widget per cell.

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

namespace tw {

// What a column holds, which decides how it sorts: every cell of a column sorts the same way,
// whatever its text looks like (an all-digit serial number is still a text).
enum class ColumnKind {
    Text,   // serial numbers, MACs, descriptions, states: as the locale orders texts
    Number, // ids, counts, figures: by value
    Port,   // frame/slot/port: part by part, so slot then port
};

struct GridColumn {
    QString caption;
    int width = 100;
    ColumnKind kind = ColumnKind::Text;
};

// One row: the texts of its cells one after the other in one string, and where each cell ends.
// A listing of 32,768 ONTs is then 32,768 strings rather than a quarter of a million.
class GridRow {
  public:
    GridRow() = default;
    explicit GridRow(const QStringList &cells);

    int size() const { return int(ends_.size()); }
    // Empty for a cell the row does not have.
    QStringView cell(int c) const;
    QStringList cells() const;

    void append(QStringView cell);
    // For a parser that writes the cells' texts into text() itself: the cell written last ends at
    // `at` (text() is cut to the last end when the row is done).
    QString &text() { return text_; }
    void endCell(qsizetype at) { ends_.append(int(at)); }
    void setCell(int c, QStringView cell);
    // Exactly `columns` cells: the ones beyond dropped, missing ones empty.
    void fit(int columns);

    bool operator==(const GridRow &other) const { return cells() == other.cells(); }

  private:
    int start(int c) const { return c == 0 ? 0 : ends_[c - 1]; }

    QString text_;
    QVarLengthArray<int, 8> ends_;
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
    // Every data row replaced by `rows`, in one model reset: a view takes a listing of tens of
    // thousands of rows at once instead of row by row.
    void replaceRows(QList<GridRow> rows);
    // Cells beyond the column count are dropped; missing cells are empty.
    void appendRow(const QStringList &cells);
    void appendRows(const QList<QStringList> &rows);
    void setCell(int row, int column, const QString &text);

    // Data rows, without the header.
    int count() const { return static_cast<int>(rows_.size()); }
    QStringList row(int r) const { return rows_[r].cells(); }
    const QList<GridRow> &rows() const { return rows_; }
    QString cell(int r, int c) const { return cellView(r, c).toString(); }
    // Valid until the grid changes; empty outside the grid.
    QStringView cellView(int r, int c) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    void headerReset();

  private:
    GridRow fitted(GridRow row) const;

    QList<GridColumn> columns_;
    QList<GridRow> rows_;
};

// The three ONT grids with their captions, widths and kinds.
QList<GridColumn> ontListColumns();
QList<GridColumn> ontVersionColumns();
QList<GridColumn> ontDiscoveryColumns();

} // namespace tw
