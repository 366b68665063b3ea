#pragma once

#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QTableView;

namespace tw {

class GridModel;
class GridSortFilter;

// A grid as the operator works with it: a filter box and the row count above a view that sorts by
// a clicked column, selects several rows, copies them (Ctrl+C) and exports the grid as CSV (Ctrl+S).
// Both actions belong to the view, so its pop-up menu can offer them.
class GridPanelWidget : public QWidget {
    Q_OBJECT
  public:
    // `onlineColumn` >= 0: the count also says how many rows show "在线" there.
    GridPanelWidget(GridModel &model, const QString &viewName, int onlineColumn, QWidget *parent = nullptr);

    QTableView *view;
    GridSortFilter *proxy;
    QLineEdit *filter;
    QLabel *count;
    QAction *copyAction;   // "复制选中行"
    QAction *exportAction; // "导出CSV…"
    // Where the export goes: the save dialog by default; an empty path cancels.
    std::function<QString(const QString &suggested)> askExportPath;

    // The selected rows as text, header first (what the copy puts on the clipboard).
    QString selectedText() const;
    // Writes the grid as shown (sorted, filtered) to `path`; false when the file cannot be written.
    bool exportTo(const QString &path) const;
    void updateCount();

  private:
    GridModel &model_;
    int onlineColumn_;
    bool countQueued_ = false;
};

// The model row of the view's current row (through its sort and filter); -1 when none.
int currentSourceRow(const QTableView *view);
// Makes model row `row` the view's current one.
void selectSourceRow(QTableView *view, int row);

// A grid with its filter and count; `onlineColumn` >= 0 counts the online rows, `fitted` columns
// grow to their content.
GridPanelWidget *makeGridPanel(GridModel &model, const QString &name, int onlineColumn, QList<int> fitted);
// Applies the model's captions and widths to the view's header.
void applyGridHeader(QTableView *view, const GridModel &model);

} // namespace tw
