#include "ConsoleFixture.h"
#include "common/GridSortFilter.h"
#include "ont/OntMenusUi.h"
#include "ont/OntPage.h"
#include "widgets/GridPanelWidget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tw;
using test::configured;
using test::Console;

namespace {

void fill(GridModel &grid) {
    grid.appendRows({{"0/1/0", "0", "48575443000000A0", "激活", "在线"},
                     {"0/1/0", "1", "48575443000000A1", "激活", "离线"},
                     {"0/11/2", "7", "48575443000000B7", "激活", "在线"},
                     {"0/2/3", "5", "48575443000000C5", "去激活", "离线"}});
}

} // namespace

// Sorted and filtered, the ONT menu still acts on the row the operator sees.
TEST(GridUi, OperationsActOnTheRowShownAfterSortingAndFiltering) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    fill(c.window->session.ontListGrid);
    GridPanelWidget *panel = c.page().listPanel;
    QTableView *view = panel->view;
    view->sortByColumn(0, Qt::DescendingOrder); // 0/11/2, 0/2/3, 0/1/0, 0/1/0
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "0/11/2");
    panel->filter->setText(QStringLiteral("去激活"));
    ASSERT_EQ(view->model()->rowCount(), 1);
    view->setCurrentIndex(view->model()->index(0, 1));

    c.sink.writes.clear();
    c.op.answers = {true, true}; // confirm, GPON
    c.window->ontPage->ontActions.value(QStringLiteral("激活当前选定ONT"))->trigger();
    EXPECT_EQ(c.sent(), QStringLiteral("interface gpon 0/2\r\nont activate 3 5\r\nquit\r\n"));
    EXPECT_TRUE(c.op.boxes[0].text.contains(QStringLiteral("48575443000000C5")));
}

TEST(GridUi, CountsCopyAndExport) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    GridPanelWidget *panel = c.page().listPanel;
    fill(c.window->session.ontListGrid);
    QApplication::processEvents(); // the count follows once per event-loop turn
    EXPECT_EQ(panel->count->text(), QStringLiteral("共 4 行，在线 2"));
    panel->filter->setText(QStringLiteral("0/1/0"));
    QApplication::processEvents();
    EXPECT_EQ(panel->count->text(), QStringLiteral("显示 2 / 共 4 行，在线 2"));

    panel->view->selectAll();
    panel->copyAction->trigger();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("框/槽/端口\tONT编号\t序列号\t")));
    EXPECT_EQ(copied.count(u'\n'), 3);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("onts.csv"));
    ASSERT_TRUE(panel->exportTo(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray csv = f.readAll();
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(csv.count("\r\n"), 3) << "the header and the two rows shown";
    EXPECT_FALSE(panel->exportTo(dir.filePath(QStringLiteral("missing/dir/onts.csv"))));

    // The discovery serial column grows to show a whole serial with its vendor form.
    c.window->session.ontDiscoveryGrid.appendRow(
        {"1", "0/1/2", "4857544360EAF001(HWTC-60EAF001)", "", "", "", "HWTC", "", "", "", ""});
    QApplication::processEvents();
    EXPECT_GT(c.page().ontDiscoveryGrid->columnWidth(2), 150);
}

// The menus' layout and the operations' tables name each item by caption: every operation finds
// its item and every item has an operation, so a caption typed differently in one table shows here.
TEST(GridUi, EveryMenuItemHasItsOperation) {
    Console c(configured());
    OntPage &page = c.page();
    QMenu list, versions;
    const QHash<QString, QAction *> listItems = buildOntMenu(&list);
    const QHash<QString, QAction *> versionItems = buildOntVersionMenu(&versions);
    EXPECT_EQ(wireOntMenus(listItems, page.ontListGrid, c.window->session.ontListGrid, versionItems,
                           page.ontVersionGrid, c.window->session.ontVersionGrid,
                           c.window->session.context()),
              QStringList());
    for (const auto *items : {&page.ontActions, &page.ontVersionActions, &page.ontDiscoveryActions})
        for (auto it = items->begin(); it != items->end(); ++it)
            EXPECT_TRUE(it.value()->isEnabled()) << it.key().toStdString();
}

// Copying and the CSV export are in every grid's pop-up menu, after the operations where a row has
// them and alone elsewhere, and reach the keyboard (Ctrl+C, Ctrl+S, the menu key); the export writes
// the header and every row.
TEST(GridUi, EveryGridMenuOffersCopyAndExport) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    c.window->show();
    QApplication::setActiveWindow(c.window.get());
    OntPage &p = c.page();
    const struct {
        GridPanelWidget *panel;
        QMenu *menu;
    } grids[] = {{p.listPanel, c.window->ontPage->ontMenu},
                 {p.discoveryPanel, c.window->ontPage->ontDiscoveryMenu},
                 {p.versionPanel, c.window->ontPage->ontVersionMenu}};
    for (const auto &g : grids) {
        SCOPED_TRACE(g.panel->view->objectName().toStdString());
        const QList<QAction *> items = g.menu->actions();
        EXPECT_EQ(items.mid(items.size() - 2),
                  (QList<QAction *>{g.panel->copyAction, g.panel->exportAction}));
        auto *own = g.panel->view->findChild<QMenu *>(QStringLiteral("GridOwnMenu"));
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(own->actions(), (QList<QAction *>{g.panel->copyAction, g.panel->exportAction}));
    }

    fill(c.window->session.ontListGrid);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("onts.csv"));
    GridPanelWidget *panel = p.listPanel;
    QString suggested;
    panel->askExportPath = [&](const QString &s) {
        suggested = s;
        return path;
    };
    c.window->pages->setCurrentWidget(c.window->ontPage);
    p.tabs->setCurrentIndex(0);
    panel->view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->view->hasFocus(); }));
    QTest::keyClick(panel->view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("OntListGrid.csv"))) << suggested.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 6) << "the header, four rows, and the end of the last";
    EXPECT_TRUE(lines[0].contains("框/槽/端口,ONT编号,序列号"));
    EXPECT_TRUE(lines[4].startsWith("0/2/3,5,48575443000000C5"));

    // The menu key opens the menu of the current row.
    panel->view->setCurrentIndex(panel->view->model()->index(1, 0));
    QTest::keyClick(panel->view, Qt::Key_Menu);
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup, c.window->ontPage->ontMenu);
    popup->close();
    EXPECT_EQ(currentSourceRow(panel->view), 1);
}
