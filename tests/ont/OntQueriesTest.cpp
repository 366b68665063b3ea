#include "ont/OntQueries.h"
#include "TestDoubles.h"
#include "common/GridModel.h"
#include "common/InputCheck.h"
#include "common/SettingsStore.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
struct Tab {
    test::TempRunDir run;
    SettingsStore settings{run.config()};
    test::ScriptedOperator op;
    test::RecordingSink sink;
    OntQueries q{sink, op, settings};
    GridModel grid{ontListColumns()};
    Tab() { grid.appendRow({QStringLiteral("0/1/0"), QStringLiteral("1")}); }
};
const PortFields Port010{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0")};
const DetailFields Detail{QStringLiteral("0"), QStringLiteral("11"), QStringLiteral("3"), QStringLiteral("7"),
                          QStringLiteral("42")};
} // namespace

TEST(OntQueries, ListQueriesCutTheGridAndOnlyThePortQueryStores) {
    Tab t;
    t.q.listBoard(Port010, t.grid);
    EXPECT_EQ(t.grid.count(), 0);
    EXPECT_TRUE(t.run.readFile(QStringLiteral("config.ini")).isNull());
    t.sink.connected = false; // cut even when the write is lost, which stores nothing
    t.grid.appendRow({QStringLiteral("x")});
    t.q.listPort({QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5")}, t.grid);
    EXPECT_EQ(t.grid.count(), 0);
    EXPECT_TRUE(t.run.readFile(QStringLiteral("config.ini")).isNull());
    t.sink.connected = true;
    t.q.listPort(Port010, t.grid);
    t.q.listFrame(Port010, t.grid);
    EXPECT_EQ(t.sink.writes,
              (QList<QByteArray>{"display ont info 0 1 all\r\n\r\n", "display ont info 0 1 0 all\r\n\r\n",
                                 "display ont info 0 all\r\n\r\n"}));
}

TEST(OntQueries, DetailScripts) {
    Tab t;
    t.q.detail(Detail);
    t.q.registration(Detail);
    t.q.serviceIndex(Detail);
    t.q.serviceFlow(Detail);
    EXPECT_EQ(t.sink.writes,
              (QList<QByteArray>{"display ont info 0 11 3 7\r\n\r\n",
                                 "display current-configuration ont 0/11/3 7\r\n\r\n",
                                 "display service-port port 0/11/3 ont 7 sort-by port\r\ny\r\n\r\n",
                                 "display current-configuration service-port 42\r\n"}));
}

TEST(OntQueries, DiscoveryAsksTheKindExceptForAll) {
    Tab t;
    t.op.answer(false);
    t.q.discoverPort(Port010);
    t.op.answer(true);
    t.q.portState(Port010);
    t.op.answer(true);
    t.q.allPortStates(Port010);
    t.q.discoverAll();
    EXPECT_EQ(t.op.boxes.size(), 3);
    EXPECT_EQ(t.sink.writes,
              (QList<QByteArray>{"interface epon 0/1\r\ndisplay ont autofind 0\r\n   \r\nquit\r\n",
                                 "interface gpon 0/1\r\ndisplay port state 0\r\n     \r\nquit\r\n",
                                 "interface gpon 0/1\r\ndisplay port state all\r\n     \r\nquit\r\n",
                                 "display ont autofind all\r\n"}));
}

TEST(OntQueries, SearchTakesTheShapeOfItsType) {
    Tab t;
    t.q.search(-1, QStringLiteral("x"));
    t.q.search(4, QString());
    t.q.search(4, QStringLiteral(" 4857 5443 "));
    t.q.search(4, QStringLiteral("4857544300000001"));
    t.q.search(0, QStringLiteral("10.0.0.1"));
    t.q.search(1, QStringLiteral("a b"));
    ASSERT_EQ(t.op.boxes.size(), 4);
    EXPECT_EQ(t.op.boxes[0].text, QStringLiteral("请选择查询类型后再试！"));
    EXPECT_EQ(t.op.boxes[0].icon, BoxIcon::Information);
    EXPECT_EQ(t.op.boxes[1].text, QStringLiteral("查询参数不能为空！"));
    EXPECT_TRUE(t.op.boxes[2].text.startsWith(QStringLiteral("“查询参数”应为16位十六进制数字")));
    EXPECT_TRUE(t.op.boxes[3].text.startsWith(QStringLiteral("“查询参数”应为1到24个字符")));
    EXPECT_EQ(t.sink.writes, (QList<QByteArray>{"display ont info by-sn 4857544300000001\r\n",
                                                "display ont info by-ip 10.0.0.1\r\n"}));
}

TEST(OntQueries, VersionQueries) {
    Tab t;
    t.q.versionPort(Port010, t.grid);
    t.q.versionBoard(Port010, t.grid);
    t.q.versionFrame(Port010, t.grid);
    EXPECT_EQ(t.sink.writes,
              (QList<QByteArray>{"display ont version 0 1 0 all\r\n\r\n\r\n",
                                 "display ont version 0 1 all\r\n", "display ont version 0 all\r\n"}));
}

// Typed fields never add CLI lines, an interface line gets a board it can take, and a query sent
// while disconnected says so instead of leaving an empty grid unexplained.
TEST(OntQueries, RefusalsAndALostWriteAreTold) {
    Tab t;
    t.q.search(4, QStringLiteral("4857\r\nreboot system"));
    t.q.listPort({QStringLiteral("0\n"), QStringLiteral("1"), QStringLiteral("0")}, t.grid);
    t.q.discoverPort({QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("0")});
    EXPECT_TRUE(t.sink.writes.isEmpty());
    ASSERT_EQ(t.op.boxes.size(), 3);
    for (const auto &b : t.op.boxes)
        EXPECT_EQ(b.kind, test::Box::Notice);

    t.op.boxes.clear();
    t.sink.connected = false;
    t.q.discoverAll();
    ASSERT_EQ(t.op.boxes.size(), 1);
    EXPECT_EQ(t.op.boxes[0].text, NotConnectedNotice);
}
