#include "widgets/GridPanelWidget.h"

#include "common/GridExport.h"
#include "common/GridModel.h"
#include "common/GridSortFilter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSaveFile>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tw {

GridPanelWidget::GridPanelWidget(GridModel &model, const QString &viewName, int onlineColumn, QWidget *parent)
    : QWidget(parent), model_(model), onlineColumn_(onlineColumn) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QHBoxLayout;
    filter = new QLineEdit(this);
    filter->setPlaceholderText(QStringLiteral("筛选（任意列包含）"));
    filter->setClearButtonEnabled(true);
    filter->setMaximumWidth(260);
    count = new QLabel(this);
    bar->addWidget(filter);
    bar->addSpacing(12);
    bar->addWidget(count);
    bar->addStretch(1);
    layout->addLayout(bar);

    proxy = new GridSortFilter(this);
    proxy->setSourceModel(&model);
    view = new QTableView(this);
    view->setObjectName(viewName);
    view->setModel(proxy);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setHighlightSections(false);
    // The OLT's order until the operator clicks a column.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    layout->addWidget(view, 1);

    copyAction = new QAction(QStringLiteral("复制选中行"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copyAction);
    connect(copyAction, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(selectedText()); });
    exportAction = new QAction(QStringLiteral("导出CSV…"), this);
    exportAction->setShortcut(QKeySequence::Save);
    exportAction->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(exportAction);
    askExportPath = [this](const QString &suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("导出CSV"), suggested,
                                            QStringLiteral("CSV (*.csv)"));
    };
    connect(exportAction, &QAction::triggered, this, [this] {
        const QString path = askExportPath(QDir::home().filePath(view->objectName() + ".csv"));
        if (!path.isEmpty() && !exportTo(path))
            QMessageBox::warning(this, QStringLiteral("错误"), QStringLiteral("无法写入文件：") + path);
    });

    connect(filter, &QLineEdit::textChanged, proxy, &GridSortFilter::setFilterText);
    // Rows arrive one by one during a long listing: count once per event-loop turn.
    const auto queue = [this] {
        if (countQueued_) return;
        countQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            countQueued_ = false;
            updateCount();
        });
    };
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(proxy, signal, this, queue);
    connect(proxy, &QAbstractItemModel::modelReset, this, queue);
    connect(proxy, &QAbstractItemModel::layoutChanged, this, queue);
    connect(&model, &QAbstractItemModel::dataChanged, this, queue);
    updateCount();
}

void GridPanelWidget::updateCount() {
    const int all = model_.count();
    const int shown = proxy->rowCount();
    QString text = shown == all ? QStringLiteral("共 %1 行").arg(all)
                                : QStringLiteral("显示 %1 / 共 %2 行").arg(shown).arg(all);
    if (onlineColumn_ >= 0) {
        int online = 0;
        for (int r = 0; r < all; ++r)
            online += model_.cell(r, onlineColumn_) == QStringLiteral("在线");
        text += QStringLiteral("，在线 %1").arg(online);
    }
    count->setText(text);
}

QString GridPanelWidget::selectedText() const {
    QList<int> rows;
    for (const QModelIndex &i : view->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return gridTsv(*proxy, rows);
}

bool GridPanelWidget::exportTo(const QString &path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = gridCsv(*proxy);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int currentSourceRow(const QTableView *view) {
    const QModelIndex current = view->currentIndex();
    if (!current.isValid()) return -1;
    const auto *proxy = qobject_cast<const QAbstractProxyModel *>(view->model());
    return proxy ? proxy->mapToSource(current).row() : current.row();
}

void selectSourceRow(QTableView *view, int row) {
    const auto *proxy = qobject_cast<const QAbstractProxyModel *>(view->model());
    const QAbstractItemModel *source = proxy ? proxy->sourceModel() : view->model();
    const QModelIndex index = source->index(row, 0);
    view->setCurrentIndex(proxy ? proxy->mapFromSource(index) : index);
}

void applyGridHeader(QTableView *view, const GridModel &model) {
    for (int c = 0; c < model.columns().size(); ++c)
        view->setColumnWidth(c, model.columns()[c].width);
}

GridPanelWidget *makeGridPanel(GridModel &model, const QString &name, int onlineColumn, QList<int> fitted) {
    auto *panel = new GridPanelWidget(model, name, onlineColumn);
    QTableView *view = panel->view;
    QObject::connect(&model, &GridModel::headerReset, view, [view, &model] { applyGridHeader(view, model); });
    applyGridHeader(view, model);
    // Serial columns grow to show whole serials once rows have come (never below their set width).
    const auto fit = [view, &model, fitted] {
        QTimer::singleShot(0, view, [view, &model, fitted] {
            for (int c : fitted) {
                view->resizeColumnToContents(c);
                if (view->columnWidth(c) < model.columns()[c].width)
                    view->setColumnWidth(c, model.columns()[c].width);
            }
        });
    };
    if (!fitted.isEmpty()) {
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, view, fit);
        QObject::connect(&model, &QAbstractItemModel::modelReset, view, fit);
    }
    return panel;
}

} // namespace tw
