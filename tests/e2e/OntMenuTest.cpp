// The ONT list's menu against the simulator: what each operation does to the device model.

#include "ConsoleHarness.h"

#include "ont/OntPage.h"
#include "widgets/GridPanelWidget.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::e2e;

namespace {

using Answer = test::ScriptedOperator::Answer;
const Answer Y = true;
const Answer N = false;
Answer T(const QString &text) {
    return std::optional<QString>(text);
}

QJsonObject ontAt(const QJsonObject &dump, const QString &port, int id) {
    for (const QJsonValue &v : dump["onts"].toArray())
        if (v["port"].toString() == port && v["id"].toInt() == id) return v.toObject();
    return {};
}

QList<int> servicePortsOf(const QJsonObject &dump, const QString &port, int id) {
    QList<int> indexes;
    for (const QJsonValue &v : dump["servicePorts"].toArray())
        if (v["port"].toString() == port && v["ont"].toInt(-1) == id) indexes << v["index"].toInt();
    return indexes;
}

QList<int> multicastPorts(const QJsonObject &dump) {
    QList<int> out;
    for (const QJsonValue &v : dump["multicastUsers"].toArray())
        out << v["servicePort"].toInt();
    return out;
}

struct MenuHarness : ConsoleHarness {
    using ConsoleHarness::ConsoleHarness;

    // "端口查询" of 0/slot/port; waits for the grid to hold the model's ONTs of that port.
    bool listPort(int slot, int port) {
        OntPage *page = window->ontPage;
        page->list.frame->setText(QStringLiteral("0"));
        page->list.slot->setCurrentText(QString::number(slot));
        page->list.port->setCurrentText(QString::number(port));
        window->session.ontListGrid.resetHeader();
        click(page->listPortButton);
        const QString at = QStringLiteral("0/%1/%2").arg(slot).arg(port);
        int expected = 0;
        for (const QJsonValue &v : sim.dump()["onts"].toArray())
            expected += v["port"].toString() == at;
        return QTest::qWaitFor([&] { return window->session.ontListGrid.count() == expected; }, WaitMs) &&
               settle();
    }

    // Makes the row of ONT `id` current, as the right-click does.
    bool select(int id) {
        for (int r = 0; r < window->session.ontListGrid.count(); ++r)
            if (window->session.ontListGrid.cell(r, 1) == QString::number(id)) {
                selectSourceRow(window->ontPage->ontListGrid, r);
                return true;
            }
        return false;
    }

    // Runs a menu item with the operator's answers; true when every answer was used.
    bool choose(const char *caption, std::vector<Answer> answers) {
        op.answers.assign(answers.begin(), answers.end());
        QAction *item = window->ontPage->ontActions.value(QString::fromUtf8(caption));
        if (!item || !item->isEnabled()) return false;
        item->trigger();
        return op.answers.empty();
    }

    bool waitForModel(const std::function<bool(const QJsonObject &)> &done) {
        return QTest::qWaitFor([&] { return done(sim.dump()); }, WaitMs) && settle();
    }
};

} // namespace

// With IPTV on: the ONT's multicast user goes first, then both its service ports, then the ONT;
// its neighbours keep everything.
TEST(OntMenuE2E, DeletingAGponOntWithIptvRemovesItsMulticastUserServicePortsAndItself) {
    MenuHarness h(demoDevice(), QStringLiteral("开启IPTV=真\n[基本]\n点播外层=3444\ngemport=1，2\n"));
    ASSERT_TRUE(h.startAndLogIn());
    const QJsonObject before = h.sim.dump();
    const QList<int> doomed = servicePortsOf(before, "0/1/0", 1);
    ASSERT_EQ(doomed.size(), 2) << "the demo gives ONT 1 an internet and an IPTV service port";
    ASSERT_TRUE(multicastPorts(before).contains(doomed[1]));
    const QList<int> neighbours = servicePortsOf(before, "0/1/0", 0) + servicePortsOf(before, "0/1/0", 2);

    ASSERT_TRUE(h.listPort(1, 0));
    ASSERT_TRUE(h.select(1));
    ASSERT_TRUE(h.choose("删除选定ONT", {Y, Y, Y, T(QStringLiteral("1，2"))}));
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) { return ontAt(d, "0/1/0", 1).isEmpty(); }))
        << h.consoleText().right(1500).toStdString();
    const QJsonObject after = h.sim.dump();
    EXPECT_TRUE(servicePortsOf(after, "0/1/0", 1).isEmpty());
    EXPECT_FALSE(multicastPorts(after).contains(doomed[1]));
    EXPECT_FALSE(ontAt(after, "0/1/0", 0).isEmpty());
    EXPECT_FALSE(ontAt(after, "0/1/0", 2).isEmpty());
    EXPECT_EQ(servicePortsOf(after, "0/1/0", 0) + servicePortsOf(after, "0/1/0", 2), neighbours);
    EXPECT_EQ(h.op.boxes.last().text,
              QStringLiteral("删除命令已发送，请等待程序执行完毕后重新查询以更新列表！"));
    // No error from the OLT along the way: the order was right.
    EXPECT_FALSE(h.consoleText().contains(QStringLiteral("失败")))
        << h.consoleText().right(1500).toStdString();
}

// With IPTV on the deletion lists the ONT's service ports first and goes on only on that
// listing's answer. A listing that is lost (the connection drops in it, or its answer comes too late)
// deletes nothing, then or when later output arrives: the late rest of the listing, the next
// query's. The status bar says the deletion was interrupted.
TEST(OntMenuE2E, ADeletionWhoseListingIsLostDeletesNothingThenOrLater) {
    for (const bool drop : {true, false}) {
        SCOPED_TRACE(drop ? "the connection drops" : "the answer comes too late");
        MenuHarness h(demoDevice(),
                      QStringLiteral("开启IPTV=真\n自动重连=真\n[基本]\n点播外层=3444\ngemport=1，2\n"));
        h.window->session.connection.setRetryDelay(300);
        ASSERT_TRUE(h.startAndLogIn());
        const QJsonObject before = h.sim.dump();
        ASSERT_EQ(servicePortsOf(before, "0/1/0", 1).size(), 2);
        ASSERT_TRUE(h.listPort(1, 0));
        ASSERT_TRUE(h.select(1));
        if (drop) {
            ASSERT_EQ(h.sim.command(QStringLiteral("fault drop-after 60")), "ok");
        } else {
            // The listing's first piece, then nothing for longer than a line may wait.
            h.window->session.connection.runner().setLineTimeout(800);
            ASSERT_EQ(h.sim.command(QStringLiteral("fault chunk 300 2000")), "ok");
        }
        ASSERT_TRUE(h.choose("删除选定ONT", {Y, Y, Y, T(QStringLiteral("1，2"))}));
        ASSERT_TRUE(h.waitForConsole(QStringLiteral("display service-port port 0/1/0 ont 1")));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return h.statusShows(QStringLiteral("删除已中断，未删除 0/1/0 ONT号：1")); }, WaitMs))
            << h.consoleText().right(1500).toStdString();
        // The new session after the drop, or the rest of the listing, up to its prompt.
        if (drop) {
            ASSERT_TRUE(h.waitForConsole(QStringLiteral("语言模式已切换为中文")));
        }
        ASSERT_TRUE(h.settle()) << h.consoleText().right(1500).toStdString();
        ASSERT_EQ(h.sim.command(QStringLiteral("fault off")), "ok");

        // An unrelated query afterwards.
        ASSERT_TRUE(h.listPort(1, 1));
        QTest::qWait(500);
        ASSERT_TRUE(h.settle());
        const QJsonObject after = h.sim.dump();
        EXPECT_FALSE(ontAt(after, "0/1/0", 1).isEmpty());
        EXPECT_EQ(servicePortsOf(after, "0/1/0", 1), servicePortsOf(before, "0/1/0", 1));
        EXPECT_EQ(multicastPorts(after), multicastPorts(before));
        EXPECT_FALSE(h.consoleText().contains(QStringLiteral("ont delete")))
            << h.consoleText().right(1500).toStdString();
    }
}

TEST(OntMenuE2E, DeletingEveryOntOfAPortLeavesTheOtherPorts) {
    MenuHarness h(demoDevice(), QStringLiteral("开启IPTV=真\n"));
    ASSERT_TRUE(h.startAndLogIn());
    const int elsewhere = int(h.sim.dump()["onts"].toArray().size());
    ASSERT_TRUE(h.listPort(1, 1));
    const int onPort = h.window->session.ontListGrid.count();
    ASSERT_GT(onPort, 1);
    ASSERT_TRUE(h.select(0));
    ASSERT_TRUE(h.choose("删除选定端口所有ONT", {Y, Y, Y}));
    ASSERT_TRUE(h.waitForModel([&](const QJsonObject &d) {
        return int(d["onts"].toArray().size()) == elsewhere - onPort;
    })) << h.consoleText().right(1500).toStdString();
    for (const QJsonValue &v : h.sim.dump()["servicePorts"].toArray())
        EXPECT_NE(v["port"].toString(), "0/1/1");
    // The grid follows on the next query.
    ASSERT_TRUE(h.listPort(1, 1));
    EXPECT_EQ(h.window->session.ontListGrid.count(), 0);
}

TEST(OntMenuE2E, DeactivateThenActivate) {
    MenuHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_EQ(ontAt(h.sim.dump(), "0/1/0", 2)["runState"].toString(), "online");
    const QJsonObject neighbour = ontAt(h.sim.dump(), "0/1/0", 3);
    ASSERT_TRUE(h.listPort(1, 0));
    ASSERT_TRUE(h.select(2));
    ASSERT_TRUE(h.choose("停用当前选定ONT", {Y, Y}));
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) {
        const QJsonObject o = ontAt(d, "0/1/0", 2);
        return o["controlFlag"].toString() == "deactivated" && o["runState"].toString() == "offline";
    }));
    ASSERT_TRUE(h.select(2));
    ASSERT_TRUE(h.choose("激活当前选定ONT", {Y, Y}));
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) {
        const QJsonObject o = ontAt(d, "0/1/0", 2);
        return o["controlFlag"].toString() == "active" && o["runState"].toString() == "online";
    }));
    EXPECT_EQ(ontAt(h.sim.dump(), "0/1/0", 3), neighbour);
}

TEST(OntMenuE2E, EachAttributeChangeReachesTheModel) {
    sim::Device device = demoDevice();
    device.lineProfiles.push_back({sim::PonKind::Gpon, 20, "FTTH_LINE_B", {}});
    device.srvProfiles.push_back({sim::PonKind::Gpon, 21, "FTTH_SRV_B", {}});
    MenuHarness h(std::move(device));
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_TRUE(h.listPort(1, 0));
    const struct {
        const char *caption;
        const char *value;
        const char *field;
    } changes[] = {
        {"修改ONT线路模板编号", "20", "lineProfile"},   {"修改ONT业务模板编号", "21", "srvProfile"},
        {"修改ONT逻辑标识(LOID)", "loid-0042", "loid"}, {"修改ONT密码(PASSWORD)", "pw0042", "password"},
        {"修改ONT备注", "zhou 100-1 new", "desc"},      {"修改ONT序列号(SN)", "48575443C0FFEE42", "sn"},
    };
    for (const auto &c : changes) {
        SCOPED_TRACE(c.caption);
        ASSERT_TRUE(h.select(4));
        ASSERT_TRUE(h.choose(c.caption, {Y, T(QString::fromUtf8(c.value)), Y}));
        const QString field = QString::fromLatin1(c.field);
        const QString want = QString::fromUtf8(c.value);
        ASSERT_TRUE(h.waitForModel([&](const QJsonObject &d) {
            const QJsonValue v = ontAt(d, "0/1/0", 4)[field];
            return v.isDouble() ? QString::number(v.toInt()) == want : v.toString() == want;
        })) << h.consoleText().right(800).toStdString();
    }
}

TEST(OntMenuE2E, ServicePortsByIndexAndByVlan) {
    MenuHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_TRUE(h.listPort(1, 0));
    const QList<int> ports = servicePortsOf(h.sim.dump(), "0/1/0", 0);
    ASSERT_FALSE(ports.isEmpty());
    ASSERT_TRUE(h.select(0));
    ASSERT_TRUE(h.choose("按索引删除业务流", {T(QString::number(ports[0]))}));
    ASSERT_TRUE(h.waitForModel(
        [&](const QJsonObject &d) { return !servicePortsOf(d, "0/1/0", 0).contains(ports[0]); }));

    // By VLAN, after its question: every service port of VLAN 100 goes, VLAN 3444's stay.
    int withVlan100 = 0;
    for (const QJsonValue &v : h.sim.dump()["servicePorts"].toArray())
        withVlan100 += v["vlan"].toInt() == 100;
    ASSERT_GT(withVlan100, 0);
    ASSERT_TRUE(h.choose("按VLAN删除业务流", {T(QStringLiteral("100")), Y}));
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) {
        for (const QJsonValue &v : d["servicePorts"].toArray())
            if (v["vlan"].toInt() == 100) return false;
        return true;
    })) << h.consoleText().right(800).toStdString();
    EXPECT_FALSE(h.sim.dump()["servicePorts"].toArray().isEmpty()) << "VLAN 3444's stay";
}

TEST(OntMenuE2E, AnInspectionFillsTheClearedConsoleWithTheAnswer) {
    MenuHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_TRUE(h.listPort(1, 0));
    ASSERT_TRUE(h.select(3));
    ASSERT_TRUE(h.choose("查看选定ONT状态", {Y}));
    EXPECT_FALSE(h.consoleText().contains(QStringLiteral("语言模式"))) << "the console was cleared";
    h.consumed = 0;
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("display ont info 0 1 0 3")));
    ASSERT_TRUE(h.waitForConsole(ontAt(h.sim.dump(), "0/1/0", 3)["sn"].toString()))
        << h.consoleText().toStdString();
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt));
    EXPECT_EQ(h.op.boxes.last().text, QStringLiteral("命令已执行，请在命令行查看详细信息！"));
}

// Through the real grid: a right-click on a row opens the menu with its items enabled; "删除选定ONT"
// there removes the ONT, and the next port query no longer lists it.
TEST(OntMenuE2E, RightClickDeleteRemovesTheRowFromTheNextQuery) {
    MenuHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_TRUE(h.listPort(1, 2));
    QTableView *view = h.window->ontPage->ontListGrid;
    int row = -1;
    for (int r = 0; r < h.window->session.ontListGrid.count(); ++r)
        if (servicePortsOf(h.sim.dump(), "0/1/2", h.window->session.ontListGrid.cell(r, 1).toInt()).size() ==
            1)
            row = r;
    ASSERT_GE(row, 0) << "an ONT with only its internet service port";
    const int id = h.window->session.ontListGrid.cell(row, 1).toInt();
    selectSourceRow(view, row);
    const QPoint at = view->visualRect(view->currentIndex()).center();
    emit view->customContextMenuRequested(at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->ontPage->ontMenu->isVisible(); }, WaitMs));
    for (QAction *item : h.window->ontPage->ontActions)
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    h.window->ontPage->ontMenu->hide();

    ASSERT_TRUE(h.choose("删除选定ONT", {Y, Y, T(QStringLiteral("1"))}));
    ASSERT_TRUE(h.waitForModel([&](const QJsonObject &d) { return ontAt(d, "0/1/2", id).isEmpty(); }))
        << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.listPort(1, 2));
    for (int r = 0; r < h.window->session.ontListGrid.count(); ++r)
        EXPECT_NE(h.window->session.ontListGrid.cell(r, 1), QString::number(id));
}

// Answering EPON for a GPON port fails the interface line ("单板类型错误", answered with "config");
// a "quit" typed by hand leaves the CLI at the privileged prompt, and the console goes back to
// configuration mode by itself. Either way later queries still complete.
TEST(OntMenuE2E, TheConsoleIsNeverLeftOutsideConfigurationMode) {
    MenuHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_TRUE(h.listPort(1, 0));
    ASSERT_TRUE(h.select(2));
    ASSERT_TRUE(h.choose("重启选定ONT", {Y, N}));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("单板类型错误")));
    ASSERT_TRUE(h.settle());
    ASSERT_TRUE(h.listPort(1, 0)) << h.consoleText().right(800).toStdString();

    h.typeCommand(QStringLiteral("quit"));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("已自动发送 config")))
        << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.settle());
    ASSERT_TRUE(h.listPort(1, 1)) << h.consoleText().right(800).toStdString();
    EXPECT_GT(h.window->session.ontListGrid.count(), 0);
}
