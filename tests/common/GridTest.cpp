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
