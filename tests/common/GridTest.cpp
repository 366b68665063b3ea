#include "common/GridExport.h"
#include "common/GridModel.h"
#include "common/GridSortFilter.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(GridSort, CellsSortByTheirColumnsKind) {
    using enum ColumnKind;
    const int textOrder =
        QString::localeAwareCompare(QStringLiteral("在线"), QStringLiteral("离线")) < 0 ? -1 : 1;
    const struct {
        ColumnKind kind;
        const char *a, *b;
        int sign;
    } cases[] = {
        {Port, "0/2/0", "0/11/0", -1}, // slot before port, by value
        {Port, "0/1/10", "0/1/9", 1},
        {Port, "0/1/3", "0/1/3", 0},
        {Port, "0/1", "0/1/0", -1},
        {Port, "0/1/3", "", -1}, // a cell that is no port follows the ports
        {Number, "9", "10", -1},
        {Number, "-5", "3", -1},
        {Number, "12.5", "12.25", 1},
        {Number, "7", "abc", -1}, // numbers before texts
        {Number, "7", "-", -1},
        {Number, "nan", "3", 1}, // no value: sorted as a text
        // A serial number is a text, even all digits: the same in every row.
        {Text, "4857544307020004", "4857544304F5000C", 1},
        {Text, "4857544307020004", "48575443FF470001", -1},
        {Text, "10", "9", -1},
        {Text, "00E0-FC12-3456", "00E0-FC12-3457", -1},
        {Text, "在线", "离线", textOrder},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b + " as kind " + std::to_string(int(c.kind)));
        const int r = compareCells(QString::fromUtf8(c.a), QString::fromUtf8(c.b), c.kind);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
        const int back = compareCells(QString::fromUtf8(c.b), QString::fromUtf8(c.a), c.kind);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << "the order is the same both ways";
    }
}

// The grids declare what their columns hold: the same caption can be a text in one grid and a
// running number in another.
TEST(GridSort, GridsSortEachColumnByItsDeclaredKind) {
    const auto sorted = [](GridModel &model, int column) {
        GridSortFilter proxy;
        proxy.setSourceModel(&model);
        proxy.sort(column);
        QStringList cells;
        for (int r = 0; r < proxy.rowCount(); ++r)
            cells << proxy.index(r, column).data().toString();
        return cells;
    };
    GridModel list(ontListColumns());
    list.appendRows({{"0/1/0", "10", "4857544307020004"},
                     {"0/11/0", "2", "4857544304F5000C"},
                     {"0/2/0", "1", "48575443A1B2C3D4"}});
    EXPECT_EQ(sorted(list, 2), (QStringList{"4857544304F5000C", "4857544307020004", "48575443A1B2C3D4"}));
    EXPECT_EQ(sorted(list, 1), (QStringList{"1", "2", "10"}));
    EXPECT_EQ(sorted(list, 0), (QStringList{"0/1/0", "0/2/0", "0/11/0"}));

    GridModel found(ontDiscoveryColumns());
    found.appendRows({{"10", "0/1/0", "00E0-FC12-3456"}, {"9", "0/1/0", "00E0-FC12-3455"}});
    EXPECT_EQ(sorted(found, 0), (QStringList{"9", "10"}));
    EXPECT_EQ(sorted(found, 2), (QStringList{"00E0-FC12-3455", "00E0-FC12-3456"}));

    GridModel versions(ontVersionColumns());
    versions.appendRows({{"0/1/0", "3", "HWTC", "HG8245H", "V3R017C10S115"},
                         {"0/1/0", "4", "HWTC", "HG8245H", "V3R017C10S20"}});
    EXPECT_EQ(sorted(versions, 4), (QStringList{"V3R017C10S115", "V3R017C10S20"}));
}

TEST(GridSort, SortFilterCopyAndCsv) {
    GridModel model(ontListColumns());
    model.appendRows({{"0/11/0", "3", "SN-C", "激活", "在线"},
                      {"0/2/1", "10", "SN-A,\"x\"", "激活", "离线"},
                      {"0/2/1", "9", "SN-B", "去激活", "在线"}});
    GridSortFilter proxy;
    proxy.setSourceModel(&model);
    proxy.sort(0);
    const auto order = [&] {
        QStringList ids;
        for (int r = 0; r < proxy.rowCount(); ++r)
            ids << proxy.index(r, 1).data().toString();
        return ids.join(u',');
    };
    EXPECT_EQ(order(), "10,9,3") << "0/2/1 before 0/11/0; equal ports keep the OLT's order";
    proxy.sort(1);
    EXPECT_EQ(order(), "3,9,10");
    proxy.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(order(), "10,9,3");

    proxy.setFilterText(QStringLiteral("sn-b"));
    EXPECT_EQ(order(), "9");
    proxy.setFilterText(QStringLiteral("在线"));
    EXPECT_EQ(order(), "9,3") << "any column, still sorted";
    // New rows follow the sort and the filter.
    model.appendRow({"0/1/0", "12", "SN-D", "激活", "在线"});
    EXPECT_EQ(order(), "12,9,3");
    proxy.setFilterText({});

    const QString header =
        QStringLiteral("框/槽/端口\tONT编号\t序列号\t控制标志\t运行标志\t配置状态\t匹配状态\t保护侧\n");
    EXPECT_EQ(gridTsv(proxy, {0, 3}), header + QStringLiteral("0/1/0\t12\tSN-D\t激活\t在线\t\t\t\n"
                                                              "0/11/0\t3\tSN-C\t激活\t在线\t\t\t\n"));
    const QByteArray csv = gridCsv(proxy);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(csv.mid(3));
    EXPECT_TRUE(text.startsWith(QStringLiteral("框/槽/端口,ONT编号,序列号,")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n0/2/1,10,\"SN-A,\"\"x\"\"\",激活,离线,,,\r\n")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 5);
}

TEST(GridRow, CellsKeepTheirTextsThroughEdits) {
    GridRow row(QStringList{"a", "", "ccc"});
    EXPECT_EQ(row.cells(), (QStringList{"a", "", "ccc"}));
    row.setCell(1, u"bb");
    row.setCell(0, u"");
    row.setCell(2, u"d");
    row.setCell(3, u"none"); // no such cell
    EXPECT_EQ(row.cells(), (QStringList{"", "bb", "d"}));
    row.fit(5);
    EXPECT_EQ(row.cells(), (QStringList{"", "bb", "d", "", ""}));
    row.setCell(4, u"e");
    row.fit(2);
    EXPECT_EQ(row.cells(), (QStringList{"", "bb"}));
    row.append(u"x");
    EXPECT_EQ(row.cell(2), u"x");
    EXPECT_EQ(row.cell(3), QStringView());
}

// A listing of thousands of rows reaches a view in one reset; a sorted view sorts it again, and
// rows whose cells change move to where their new cells belong.
TEST(GridSort, ReplacedAndEditedRowsSortByTheirNewCells) {
    GridModel model(ontListColumns());
    GridSortFilter proxy;
    proxy.setSourceModel(&model);
    proxy.sort(1);
    int resets = 0, inserts = 0;
    QObject::connect(&proxy, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&proxy, &QAbstractItemModel::rowsInserted, [&] { ++inserts; });
    QList<GridRow> rows;
    for (int id = 999; id >= 0; --id)
        rows.append(GridRow(QStringList{"0/1/0", QString::number(id)}));
    model.replaceRows(rows);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(inserts, 0);
    ASSERT_EQ(proxy.rowCount(), 1000);
    EXPECT_EQ(proxy.index(0, 1).data().toString(), "0");
    EXPECT_EQ(proxy.index(999, 1).data().toString(), "999");
    EXPECT_EQ(model.row(0).size(), 8) << "rows are fitted to the columns";

    model.setCell(999, 1, QStringLiteral("5000")); // the row that held "0"
    EXPECT_EQ(proxy.index(0, 1).data().toString(), "1");
    EXPECT_EQ(proxy.index(999, 1).data().toString(), "5000");

    model.replaceRows({GridRow(QStringList{"0/1/0", "7"}), GridRow(QStringList{"0/1/0", "3"})});
    EXPECT_EQ(proxy.index(0, 1).data().toString(), "3");
    EXPECT_EQ(proxy.index(1, 1).data().toString(), "7");
    proxy.setFilterText(QStringLiteral("7"));
    EXPECT_EQ(proxy.rowCount(), 1);
}
