// The console against the simulator: log in, type commands, fill the ONT grids from paged
// listings, reconnect after the idle time-out, test a connection and gate the grid menus.

#include "ConsoleHarness.h"

#include "app/ChassisPage.h"
#include "app/StatusBarUi.h"
#include "monitor/QueryPage.h"
#include "olt/ChunkStage.h"
#include "olt/OltTexts.h"
#include "olt/TestConnection.h"
#include "ont/OntMenusUi.h"
#include "ont/OntPage.h"
#include "widgets/ReceivingIndicatorWidget.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <iostream>

using namespace tw;
using namespace tw::e2e;

namespace {

// A registered ONT as the ONT list shows it: port, number, SN or MAC, control and run flags.
QString ontLine(const QJsonObject &o) {
    const QString key = o.contains("sn") ? o["sn"].toString() : o["mac"].toString();
    return QStringList{o["port"].toString(), QString::number(o["id"].toInt()), key,
                       o["active"].toBool() ? QStringLiteral("激活") : QStringLiteral("去激活"),
                       o["runState"].toString() == "online" ? QStringLiteral("在线") : QStringLiteral("离线")}
        .join(' ');
}

QStringList modelOnts(const QJsonObject &dump, const QString &portPrefix) {
    QStringList lines;
    for (const QJsonValue &v : dump["onts"].toArray())
        if ((v["port"].toString() + '/').startsWith(portPrefix)) lines << ontLine(v.toObject());
    lines.sort();
    return lines;
}

QStringList gridOnts(const GridModel &grid) {
    QStringList lines;
    for (int r = 0; r < grid.count(); ++r)
        lines << grid.row(r).mid(0, 5).join(' ');
    lines.sort();
    return lines;
}

// The five fields of a full ONT list line are the whole row; nothing is shifted or cut.
void expectWholeRows(const GridModel &grid) {
    for (int r = 0; r < grid.count(); ++r)
        EXPECT_EQ(grid.row(r).size(), 8) << "row " << r << ": " << grid.row(r).join('|').toStdString();
}

} // namespace

using ConsoleSession = OverEachLink;
INSTANTIATE_TEST_SUITE_P(, ConsoleSession, ::testing::Values(Link::Telnet, Link::Ssh), linkName);

TEST_P(ConsoleSession, LogsInInChineseAndShowsATypedBoardListing) {
    ConsoleHarness h(demoDevice(), {}, GetParam());
    ASSERT_TRUE(h.startAndLogIn()) << h.consoleText().toStdString();
    EXPECT_TRUE(h.window->session.connection.isConnected());
    EXPECT_TRUE(h.op.boxes.isEmpty());
    EXPECT_FALSE(h.window->chassisPage->hasDrawing());

    h.typeCommand(QStringLiteral("display board 0"));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("display board 0")));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("单板名称"))) << h.consoleText().toStdString();
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt));
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->chassisPage->hasDrawing(); }, WaitMs));
    const QString pane = h.window->queryPage->queryPane->toPlainText();
    EXPECT_TRUE(pane.contains(QStringLiteral("单板名称"))) << pane.toStdString();
    EXPECT_TRUE(pane.contains(QStringLiteral("H806GPBD"))) << pane.toStdString();
    EXPECT_TRUE(pane.contains(QStringLiteral("H803EPBD"))) << pane.toStdString();
    EXPECT_TRUE(h.consoleText().contains(QStringLiteral("H805GPFD")));
}

// A wrong password is one notice and "登录失败" in the status bar; nothing dials again until the
// operator has mended the password and pressed 重连OLT.
TEST_P(ConsoleSession, AWrongPasswordIsOneNoticeUntilTheOperatorDialsAgain) {
    ConsoleHarness h(demoDevice(), {}, GetParam());
    h.settings->write(settings::OltPassword, encodePassword(QStringLiteral("wrong")));
    if (h.link == Link::Ssh) h.op.answer(true); // the host key is new: trusted
    ASSERT_TRUE(h.window->start());
    QLabel *state = h.window->status->connectionLabel;
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->text() == QStringLiteral("登录失败"); }, WaitMs))
        << state->text().toStdString();
    QTest::qWait(1500); // a second attempt would show here
    QStringList errors;
    for (const test::Box &b : h.op.boxes)
        if (b.title != Operator::HostKeyTitle) errors << b.text;
    EXPECT_EQ(errors.size(), 1) << errors.join(u'|').toStdString();
    EXPECT_FALSE(h.window->session.connection.isConnected());
    EXPECT_EQ(state->text(), QStringLiteral("登录失败"));

    h.settings->write(settings::OltPassword, encodePassword(QStringLiteral("admin")));
    h.click(h.window->consolePane->reconnectButton);
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt)) << h.consoleText().toStdString();
    EXPECT_EQ(state->text(), QStringLiteral("已连接 ") + h.window->session.where());
}

// "端口查询", "板卡查询" and "机框查询" over paged output: the grid holds exactly the model's ONTs
// of that scope, however the output is cut into chunks. The time of the whole frame's listing is
// printed for each link, to compare them (not a test of speed: that is transport_bench's).
using ConsoleOntListing = OverEachLink;
INSTANTIATE_TEST_SUITE_P(, ConsoleOntListing, ::testing::Values(Link::Telnet, Link::Ssh), linkName);

TEST_P(ConsoleOntListing, PagedListingsFillTheGridWithTheModelsOnts) {
    struct Case {
        const char *fault; // control-channel fault before the query, empty for none
        const char *scope; // port, board or frame
        const char *slot, *port;
    } cases[] = {
        {"", "port", "1", "3"},
        {"", "board", "1", "0"},
        {"", "frame", "0", "0"},
        // Pieces of a TCP segment and of odd sizes, with a pause so they arrive apart: prompts,
        // the paging erase and the end-of-output prompt are cut in two, and must still be seen.
        // (Single-byte cuts are covered where the joining happens; in-process they are slow.)
        {"fault chunk 1460 2", "frame", "0", "0"},
        {"fault chunk 333 2", "frame", "0", "0"},
        {"fault chunk 7 1", "port", "1", "3"},
    };
    for (const Case &k : cases) {
        const std::string name = std::string(k.fault) + " / " + k.scope;
        SCOPED_TRACE(name);
        ConsoleHarness h(demoDevice(), {}, GetParam());
        ASSERT_TRUE(h.startAndLogIn());
        QElapsedTimer listing;
        listing.start();
        if (*k.fault) {
            ASSERT_EQ(h.sim.command(QString::fromUtf8(k.fault)), "ok");
        }
        OntPage *page = h.window->ontPage;
        page->list.frame->setText(QStringLiteral("0"));
        page->list.slot->setCurrentText(QString::fromUtf8(k.slot));
        page->list.port->setCurrentText(QString::fromUtf8(k.port));
        const QString scope = QString::fromUtf8(k.scope);
        QString prefix = QStringLiteral("0/");
        if (scope == "port") {
            h.click(page->listPortButton);
            prefix += QString::fromUtf8(k.slot) + '/' + QString::fromUtf8(k.port) + '/';
        } else if (scope == "board") {
            h.click(page->listBoardButton);
            prefix += QString::fromUtf8(k.slot) + '/';
        } else {
            h.click(page->listFrameButton);
        }
        const QStringList expected = modelOnts(h.sim.dump(), prefix);
        ASSERT_GT(expected.size(), 5);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return h.window->session.ontListGrid.count() >= expected.size(); }, WaitMs))
            << h.window->session.ontListGrid.count() << " of " << expected.size() << "\n"
            << h.consoleText().right(400).toStdString();
        ASSERT_TRUE(h.settle());
        if (!*k.fault && scope == "frame")
            std::cout << "[ timing ] frame listing (" << expected.size() << " ONTs) over "
                      << linkName({GetParam(), 0}) << ": " << listing.elapsed() << " ms\n";
        EXPECT_EQ(gridOnts(h.window->session.ontListGrid).join('\n'), expected.join('\n'));
        expectWholeRows(h.window->session.ontListGrid);
        // The paging prompts were answered and wiped, never shown.
        EXPECT_FALSE(h.consoleText().contains(QStringLiteral("任意键继续显示")));
    }
}

// "全部状态" of an 8-port board (49 lines) pages at the 40-line screen. The pager reads whatever comes while
// it waits, so the script's "quit" must not be typed ahead: the CLI comes back to configuration mode and the
// next listing fills its grid.
TEST(ConsoleOntQueries, APagedPortStateListingLeavesTheCliReadyForTheNextListing) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    OntPage *page = h.window->ontPage;
    page->discovery.frame->setText(QStringLiteral("0"));
    page->discovery.slot->setCurrentText(QStringLiteral("1"));
    h.op.answers = {true}; // GPON
    h.click(page->allStatesButton);
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("0/1/7"))) << h.consoleText().right(1500).toStdString();
    ASSERT_TRUE(h.settle());
    EXPECT_TRUE(h.consoleText().trimmed().endsWith(ConfigPrompt)) << h.consoleText().right(300).toStdString();

    page->list.frame->setText(QStringLiteral("0"));
    page->list.slot->setCurrentText(QStringLiteral("1"));
    page->list.port->setCurrentText(QStringLiteral("3"));
    h.click(page->listPortButton);
    const QStringList expected = modelOnts(h.sim.dump(), QStringLiteral("0/1/3/"));
    ASSERT_FALSE(expected.isEmpty());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return h.window->session.ontListGrid.count() >= expected.size(); }, WaitMs))
        << h.consoleText().right(400).toStdString();
    EXPECT_EQ(gridOnts(h.window->session.ontListGrid).join('\n'), expected.join('\n'));
}

// A paging prompt cut in two is still answered once its second half arrives, and the listing
// completes without a stray row.
TEST(ConsoleOntList, SplitPagingPromptIsJoinedAndAnswered) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_EQ(h.sim.command(QStringLiteral("fault split-paging")), "ok");
    OntPage *page = h.window->ontPage;
    page->list.slot->setCurrentText(QStringLiteral("1"));
    h.click(page->listBoardButton);
    const QStringList expected = modelOnts(h.sim.dump(), QStringLiteral("0/1/"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return h.window->session.ontListGrid.count() >= expected.size(); }, WaitMs))
        << h.window->session.ontListGrid.count() << " of " << expected.size();
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(gridOnts(h.window->session.ontListGrid).join('\n'), expected.join('\n'));
    EXPECT_FALSE(h.consoleText().contains(QStringLiteral("任意键继续显示")));
}

TEST(ConsoleOntQueries, DiscoverySearchAndVersionsFillTheirViews) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    OntPage *page = h.window->ontPage;

    // "ONT 发现" / "查询": every autofind entry of the model, one row each.
    const QJsonArray autofind = h.sim.dump()["autofind"].toArray();
    ASSERT_FALSE(autofind.isEmpty());
    h.click(page->discoverAllButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->session.ontDiscoveryGrid.count() >= autofind.size(); },
                                WaitMs));
    ASSERT_TRUE(h.settle());
    // The OLT lists them by port; compare port and key as sets.
    QStringList expectedFound, shownFound;
    for (const QJsonValue &v : autofind)
        expectedFound << v["port"].toString() + ' ' +
                             (v.toObject().contains("sn") ? v["sn"].toString() : v["mac"].toString());
    for (int r = 0; r < h.window->session.ontDiscoveryGrid.count(); ++r)
        shownFound << h.window->session.ontDiscoveryGrid.cell(r, 1) + ' ' +
                          h.window->session.ontDiscoveryGrid.cell(r, 2).section('(', 0, 0);
    expectedFound.sort();
    shownFound.sort();
    EXPECT_EQ(shownFound.join('\n'), expectedFound.join('\n'));

    // "ONT 查询" by SN: the ONT's own record in the search pane.
    QJsonObject target;
    for (const QJsonValue &v : h.sim.dump()["onts"].toArray())
        if (v["port"].toString() == "0/2/1" && v["id"].toInt() == 3) target = v.toObject();
    ASSERT_TRUE(target.contains("sn"));
    page->searchType->setCurrentIndex(4);
    page->searchParameter->setText(target["sn"].toString());
    h.click(page->searchButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return page->searchPane->toPlainText().contains(target["desc"].toString()); }, WaitMs))
        << page->searchPane->toPlainText().toStdString();
    const QString found = page->searchPane->toPlainText();
    EXPECT_TRUE(found.contains(target["sn"].toString()));
    EXPECT_TRUE(found.contains(target["equipmentId"].toString()) ||
                found.contains(QStringLiteral("0/ 2/1")) || found.contains(QStringLiteral("0/2/1")))
        << found.toStdString();
    ASSERT_TRUE(h.settle());

    // "ONT 版本" / "机框查询": one row per registered ONT with its vendor and versions; an ONT that
    // is not plugged in has none to report.
    const QJsonArray onts = h.sim.dump()["onts"].toArray();
    page->version.frame->setText(QStringLiteral("0"));
    h.click(page->versionFrameButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return h.window->session.ontVersionGrid.count() >= onts.size(); }, WaitMs))
        << h.window->session.ontVersionGrid.count() << " of " << onts.size();
    ASSERT_TRUE(h.settle());
    ASSERT_EQ(h.window->session.ontVersionGrid.count(), onts.size());
    QStringList expected, shown;
    for (const QJsonValue &v : onts)
        expected << QStringList{v["port"].toString(), QString::number(v["id"].toInt()),
                                v["plugged"].toBool() ? v["vendor"].toString() : "-",
                                v["plugged"].toBool() ? v["version"].toString() : "-",
                                v["plugged"].toBool() ? v["software"].toString() : "-"}
                        .join(' ');
    for (int r = 0; r < h.window->session.ontVersionGrid.count(); ++r)
        shown << h.window->session.ontVersionGrid.row(r).mid(0, 5).join(' ');
    expected.sort();
    shown.sort();
    EXPECT_EQ(shown.join('\n'), expected.join('\n'));
}

// The idle notice with 自动重连 on brings a new connection and a new login; with it off the
// console stays disconnected.
using ConsoleIdleTimeout = OverEachLink;
INSTANTIATE_TEST_SUITE_P(, ConsoleIdleTimeout, ::testing::Values(Link::Telnet, Link::Ssh), linkName);

TEST_P(ConsoleIdleTimeout, ReconnectsOnlyWhenAutoReconnectIsOn) {
    for (const bool autoReconnect : {true, false}) {
        SCOPED_TRACE(autoReconnect ? "自动重连=真" : "自动重连=假");
        sim::Device device = demoDevice();
        device.idleSeconds = 1;
        ConsoleHarness h(std::move(device),
                         autoReconnect ? QStringLiteral("自动重连=真\n") : QStringLiteral("自动重连=假\n"),
                         GetParam());
        ASSERT_TRUE(h.startAndLogIn());
        ASSERT_TRUE(h.waitForConsole(QStringLiteral("请重建连接后登录")));
        if (autoReconnect) {
            ASSERT_TRUE(h.waitForConsole(QStringLiteral("语言模式已切换为中文")))
                << h.consoleText().toStdString();
            ASSERT_TRUE(h.waitForConsole(ConfigPrompt));
            EXPECT_TRUE(h.op.boxes.isEmpty());
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !h.window->session.connection.isConnected(); }, WaitMs));
            // Long enough for a reconnect and a login to show, had one started.
            QTest::qWait(1500);
            EXPECT_FALSE(h.window->session.connection.isConnected());
            EXPECT_EQ(h.consoleText().count(QStringLiteral("语言模式已切换为中文")), 1);
        }
    }
}

TEST(ConsoleTestConnection, ReportsSuccessBadAddressAndRejectedLogin) {
    Simulator sim(demoDevice());
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QString closedPort = QString::number(closed.serverPort());
    closed.close();

    struct Case {
        QString port, password, box;
    } cases[] = {
        {QString::number(sim.port()), QStringLiteral("admin"), olt::TestSucceeded},
        {closedPort, QStringLiteral("admin"), olt::TestBadAddress},
        {QString::number(sim.port()), QStringLiteral("wrong"), olt::TestRejected},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.box.toStdString());
        test::ScriptedOperator op;
        TestConnection connection(op);
        connection.start(QStringLiteral("127.0.0.1"), k.port, QStringLiteral("root"), k.password);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !op.boxes.isEmpty(); }, WaitMs));
        QTest::qWait(300); // a second box would show here
        ASSERT_EQ(op.boxes.size(), 1) << "the test ends at its first result";
        EXPECT_EQ(op.boxes[0].text, k.box);
    }
}

TEST(ConsoleGridMenu, OpensOnAFilledRowOnly) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    EXPECT_FALSE(gridMenuOpens(h.window->session.ontListGrid, 0));
    h.window->ontPage->list.slot->setCurrentText(QStringLiteral("1"));
    h.window->ontPage->list.port->setCurrentText(QStringLiteral("0"));
    h.click(h.window->ontPage->listPortButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->session.ontListGrid.count() > 0; }, WaitMs));
    EXPECT_TRUE(gridMenuOpens(h.window->session.ontListGrid, 0));
    EXPECT_FALSE(gridMenuOpens(h.window->session.ontListGrid, -1));
    EXPECT_FALSE(gridMenuOpens(h.window->session.ontDiscoveryGrid, 0));
}

// A slow listing of a whole chassis shows that it is running and how far it has come; "中断命令(&Q)"
// stops it at the next pager, a few pages on (not once the OLT has printed the rest), and the status
// bar says it was cut short with what came, never that the listing is complete.
TEST(ConsoleOntList, ASlowListingShowsItsProgressAndStopsWithinAFewPages) {
    ConsoleHarness h(sim::fullScenario(1));
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_EQ(h.sim.command(QStringLiteral("fault chunk 256 40")), "ok");
    OntPage *page = h.window->ontPage;
    page->list.frame->setText(QStringLiteral("0"));
    h.click(page->listFrameButton);
    QLabel *label = h.window->status->receivingIndicator->label;
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->status->receivingIndicator->isVisible(); }, WaitMs));
    const auto lines = [&] { return label->text().section(u' ', 2, 2).toInt(); };
    const int first = lines();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines() > first + 10; }, WaitMs)) << label->text().toStdString();
    h.click(h.window->status->receivingIndicator->stopButton);
    const int atStop = lines();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.window->status->receivingIndicator->isVisible(); }, WaitMs));
    ASSERT_EQ(h.sim.command(QStringLiteral("fault off")), "ok");
    ASSERT_TRUE(h.settle());

    const int all = int(h.sim.dump()["onts"].toArray().size());
    const qsizetype got = h.window->session.ontListGrid.count();
    const int pageLines = 40; // the simulator's screen
    EXPECT_LT(got, atStop + (Pager::KeysAhead + 3) * pageLines) << "rows of " << all << " after the break";
    const QString told = QStringLiteral("已中断：已收到 %1 个ONT").arg(got);
    EXPECT_TRUE(h.statusShows(told)) << told.toStdString();

    // The CLI is home and the next listing runs whole.
    page->list.slot->setCurrentText(QStringLiteral("1"));
    page->list.port->setCurrentText(QStringLiteral("0"));
    h.click(page->listPortButton);
    ASSERT_TRUE(h.settle());
    EXPECT_GT(h.window->session.ontListGrid.count(), 0);
    EXPECT_FALSE(h.consoleText().right(400).contains(QStringLiteral("Unknown")))
        << h.consoleText().right(400).toStdString();
}

// A query asked for while a slow listing still arrives is not lost: it waits for the listing, then
// runs, and both grids fill.
TEST(ConsoleOntList, AQueryAskedForDuringAListingRunsAfterIt) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    const int onts = int(h.sim.dump()["onts"].toArray().size());
    const int waiting = int(h.sim.dump()["autofind"].toArray().size());
    ASSERT_GT(waiting, 0);
    ASSERT_EQ(h.sim.command(QStringLiteral("fault chunk 256 20")), "ok");
    OntPage *page = h.window->ontPage;
    page->list.frame->setText(QStringLiteral("0"));
    h.click(page->listFrameButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->status->receivingIndicator->isVisible(); }, WaitMs));
    h.click(page->discoverAllButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return h.window->session.ontDiscoveryGrid.count() == waiting; }, WaitMs))
        << h.consoleText().right(1500).toStdString();
    EXPECT_EQ(h.window->session.ontListGrid.count(), onts);
    ASSERT_EQ(h.sim.command(QStringLiteral("fault off")), "ok");
    ASSERT_TRUE(h.settle());
}

TEST(ConsoleHelp, ThePartialCommandStaysAndIsCompletedOrReplaced) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    h.window->console->entry->setPlainText(QStringLiteral("display ont "));
    h.window->consolePane->helpButton->click();
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("autofind")));
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt + QStringLiteral("display ont ")));
    EXPECT_EQ(h.window->console->entry->toPlainText(), QStringLiteral("display ont "));

    // Completed in the box, only the rest goes out: the OLT runs the whole command.
    h.window->console->entry->setPlainText(QStringLiteral("display ont autofind all"));
    h.window->consolePane->executeButton->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.window->session.ontDiscoveryGrid.count() > 0; }, WaitMs));
    ASSERT_TRUE(h.settle()) << h.consoleText().right(1500).toStdString();

    // Another command after a help erases the held text first.
    h.window->console->entry->setPlainText(QStringLiteral("display bo"));
    h.window->consolePane->helpButton->click();
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt + QStringLiteral("display bo")));
    h.typeCommand(QStringLiteral("display board 0"));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("display board 0")));
    ASSERT_TRUE(h.settle()) << h.consoleText().right(1500).toStdString();
    const QString after = h.consoleText().mid(h.consumed);
    EXPECT_FALSE(after.contains(QStringLiteral("Unknown command"))) << after.toStdString();
    EXPECT_FALSE(after.contains(QStringLiteral("错误"))) << after.toStdString();
}
