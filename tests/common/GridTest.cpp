#include "common/GridExport.h"
#include "common/GridModel.h"
#include "common/GridSortFilter.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(GridSort, NumbersAndPortsSortByValue) {
    const struct {
        const char *a, *b;
        int sign;
    } cases[] = {
        {"0/2/0", "0/11/0", -1}, // slot before port, by value
        {"0/1/10", "0/1/9", 1},
        {"0/1/3", "0/1/3", 0},
        {"0/1", "0/1/0", -1},
        {"9", "10", -1},
        {"-5", "3", -1},
        {"12.5", "12.25", 1},
        {"7", "abc", -1},                             // numbers before texts
        {"4857544307020004", "48575443FF470001", -1}, // a serial is a text, even all digits
        {"在线", "离线",
         QString::localeAwareCompare(QStringLiteral("在线"), QStringLiteral("离线")) < 0 ? -1 : 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const int r = compareCells(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
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
