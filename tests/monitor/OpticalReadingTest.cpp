// A reading of optical levels against a sink whose answers the test gives: the ports it reads and
// the scripts it sends, progress, interruption, what it keeps in the history, and how the rows are
// joined with the ONT list (offline ONTs and missing levels as such, never 0).

#include "monitor/OpticalReading.h"
#include "monitor/OpticalTable.h"

#include "TestDoubles.h"
#include "common/GridModel.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tw;
using test::RecordingSink;

namespace {

const QDateTime T0 = QDateTime::fromString("2024-05-20T08:00:00Z", Qt::ISODate);

// The OLT's English GPON listing of one port; an empty level is printed as "-".
QString listing(const QList<std::pair<int, QString>> &rxById) {
    QString out =
        QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                       "  ONT  Rx power  Tx power  OLT Rx ONT  Temperature  Voltage  Current  Distance\r\n"
                       "  ID   (dBm)     (dBm)     power(dBm)  (C)          (V)      (mA)     (m)\r\n"
                       "  -----------------------------------------------------------------------------\r\n");
    for (const auto &[id, rx] : rxById)
        out += QString::asprintf("  %3d  %-10s%-10s%-12s%-13s%-9s%-9s%s\r\n", id, qPrintable(rx), "2.10",
                                 "-24.00", "45", "3.300", "12", "1200");
    return out + QStringLiteral(
                     "  -----------------------------------------------------------------------------\r\n");
}

const QString BoardList =
    QStringLiteral("  -------------------------------------------------------------------------\r\n"
                   "  槽位号  单板名称   状态            子类型0  子类型1    在线/离线\r\n"
                   "  -------------------------------------------------------------------------\r\n"
                   "  0\r\n"
                   "  1       H806GPBD   正常\r\n"
                   "  3       H803EPBD   正常\r\n"
                   "  4       H805GPFD   正常\r\n"
                   "  7       H801SCUN   主用正常\r\n"
                   "  19      H801X2CS   正常\r\n"
                   "  -------------------------------------------------------------------------\r\n");

const QString NotOnline = QStringLiteral("  失败：ONT不在线");

struct Reading : ::testing::Test {
    QTemporaryDir dir;
    OpticalHistory history{RunDirectory{dir.path()}};
    GridModel ontList{ontListColumns()};
    RecordingSink sink;
    OpticalReading reading{sink, &history, &ontList};
    QList<std::pair<int, int>> progress;
    QList<OpticalResult> results;

    void SetUp() override {
        sink.holdRuns = true;
        reading.clock = [] { return T0; };
        reading.progress = [this](int done, int total) { progress.append({done, total}); };
        reading.finished = [this](const OpticalResult &r) { results.append(r); };
        for (const QStringList &row : {QStringList{"0/1/3", "0", "SERIAL-A", "", "online"},
                                       {"0/1/3", "1", "SERIAL-B", "", "online"},
                                       {"0/1/3", "2", "SERIAL-C", "", "offline"},
                                       {"0/1/5", "0", "SERIAL-D", "", "offline"},
                                       {"0/2/0", "0", "SERIAL-E", "", "online"}})
            ontList.appendRow(row);
    }

    // Answers the held port script: the listing to its display line, or a failure text.
    void answerPort(const QString &answer) {
        sink.answer({{QStringLiteral("display ont optical-info"), answer}});
    }
    QString heldScript(int i = 0) const { return sink.held.value(i).script; }
};

TEST_F(Reading, ABoardIsReadPortByPortWithProgressAndJoinedRows) {
    ASSERT_TRUE(reading.start({OpticalScope::Board, 0, 1, 0}));
    ASSERT_EQ(heldScript(), QStringLiteral("display board 0\r\n"));
    sink.answer({{QStringLiteral("display board"), BoardList}});
    for (int port = 0; port < 8; ++port) {
        SCOPED_TRACE(port);
        ASSERT_TRUE(reading.running());
        // The ONT menu's own per-port script, one port at a time.
        ASSERT_EQ(sink.held.size(), 1);
        EXPECT_EQ(heldScript(),
                  QStringLiteral("interface gpon 0/1\r\ndisplay ont optical-info %1 all\r\ny\r\nquit\r\n")
                      .arg(port));
        EXPECT_TRUE(sink.held.front().options.stopAtFailure);
        EXPECT_TRUE(sink.held.front().options.homeMode);
        answerPort(port == 3 ? listing({{1, "-"}, {0, "-28.50"}}) : NotOnline);
    }
    ASSERT_EQ(results.size(), 1);
    EXPECT_FALSE(reading.running());
    EXPECT_EQ(progress.first(), std::pair(0, 8));
    EXPECT_EQ(progress.last(), std::pair(8, 8));
    EXPECT_EQ(progress.size(), 9);
    EXPECT_EQ(readingProgressText(5, 16), QStringLiteral("已读取 5/16 个端口"));

    const OpticalResult &r = results.front();
    EXPECT_EQ(r.status, OpticalResult::Done);
    EXPECT_EQ(r.portsRead, 8);
    EXPECT_TRUE(r.portFailures.isEmpty())
        << "none online is no failure: " << r.portFailures.join(" ").toStdString();
    // Listed rows, the list's ONT the OLT did not list, and an offline port's ONT; by port and ID.
    ASSERT_EQ(r.entries.size(), 4u);
    const OpticalThresholds limits;
    QList<QStringList> rows;
    for (const OpticalEntry &e : r.entries)
        rows << opticalEntryCells(e, limits);
    EXPECT_EQ(rows[0], (QStringList{"0/1/3", "0", "SERIAL-A", "", "-28.50", "2.10", "-24.00", "45", "3.300",
                                    "12", "1200", "过低"}));
    EXPECT_EQ(rows[1].mid(0, 5), (QStringList{"0/1/3", "1", "SERIAL-B", "", "-"}));
    EXPECT_EQ(rows[1].last(), QStringLiteral("无读数"));
    EXPECT_EQ(rows[2],
              (QStringList{"0/1/3", "2", "SERIAL-C", "", "-", "-", "-", "-", "-", "-", "-", "离线"}));
    EXPECT_EQ(rows[3].mid(0, 3), (QStringList{"0/1/5", "0", "SERIAL-D"}));
    EXPECT_TRUE(r.entries[3].offline);

    // One reading in the history, of the listed rows only, under the list's serials.
    EXPECT_TRUE(r.storeError.isEmpty()) << r.storeError.toStdString();
    EXPECT_EQ(history.readingCount(), 1);
    const auto a = history.trend(QStringLiteral("SERIAL-A"));
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].taken, T0);
    EXPECT_EQ(a[0].rxPower, -28.5);
    EXPECT_EQ(std::tuple(a[0].slot, a[0].port, a[0].ontId), std::tuple(1, 3, 0));
    const auto b = history.trend(QStringLiteral("SERIAL-B"));
    ASSERT_EQ(b.size(), 1u);
    EXPECT_FALSE(b[0].rxPower.has_value()) << "a missing level is kept missing, not 0";
    EXPECT_TRUE(history.trend(QStringLiteral("SERIAL-C")).empty());
}

TEST_F(Reading, TheChassisReadsEveryPonBoardInItsOwnInterfaceKind) {
    EXPECT_EQ(
        ponBoardsOf(BoardList),
        (QList<PonBoard>{{0, 1, PonKind::Gpon, 8}, {0, 3, PonKind::Epon, 8}, {0, 4, PonKind::Gpon, 16}}));
    ASSERT_TRUE(reading.start({OpticalScope::Chassis, 0, 0, 0}));
    sink.answer({{QStringLiteral("display board"), BoardList}});
    QStringList interfaces;
    while (!sink.held.isEmpty()) {
        interfaces << heldScript().section(QStringLiteral("\r\n"), 0, 0) + u' ' +
                          heldScript().section(QStringLiteral("\r\n"), 1, 1).section(u' ', 3, 3);
        answerPort(NotOnline);
    }
    ASSERT_EQ(interfaces.size(), 32);
    EXPECT_EQ(interfaces[0], QStringLiteral("interface gpon 0/1 0"));
    EXPECT_EQ(interfaces[8], QStringLiteral("interface epon 0/3 0"));
    EXPECT_EQ(interfaces[31], QStringLiteral("interface gpon 0/4 15"));
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].portsTotal, 32);
    EXPECT_EQ(history.readingCount(), 0) << "nothing listed, nothing stored";
}

// 中断 stops after the port being read, sends the break key at once, and keeps what was read.
TEST_F(Reading, AnInterruptEndsAfterTheCurrentPortAndKeepsWhatWasRead) {
    const QList<PonBoard> boards{{0, 1, PonKind::Gpon, 8}};
    ASSERT_TRUE(reading.start({OpticalScope::Board, 0, 1, 0}, boards));
    answerPort(NotOnline);
    answerPort(listing({{4, "-19.00"}}));
    ASSERT_EQ(sink.held.size(), 1); // port 2 is being read
    reading.interrupt();
    EXPECT_EQ(sink.writes.last(), QByteArray("Q\r\n"));
    EXPECT_TRUE(reading.running()) << "the port being read still ends its script";
    answerPort(listing({{0, "-20.00"}}));
    EXPECT_TRUE(sink.held.isEmpty()) << "no further port";
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].status, OpticalResult::Interrupted);
    EXPECT_EQ(results[0].portsRead, 3);
    EXPECT_EQ(results[0].entries.size(), 2u);
    EXPECT_EQ(history.readingCount(), 1);
    EXPECT_EQ(progress.last(), std::pair(3, 8));
}

// A connection that drops, a port the OLT refuses, a sink that is not connected.
TEST_F(Reading, FailuresEndOrMarkTheReadingAndNeverLoseWhatCameIn) {
    const QList<PonBoard> boards{{0, 1, PonKind::Gpon, 8}, {0, 2, PonKind::Gpon, 8}};
    ASSERT_TRUE(reading.start({OpticalScope::Chassis, 0, 0, 0}, boards));
    answerPort(listing({{0, "-20.00"}}));
    sink.answer({{QStringLiteral("display ont optical-info"), QStringLiteral("  % Parameter error")}});
    sink.answer({}, ScriptOutcome::Interrupted);
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].status, OpticalResult::Interrupted);
    EXPECT_EQ(results[0].reason, QStringLiteral("与OLT的连接已断开"));
    EXPECT_EQ(results[0].portFailures, QStringList{QStringLiteral("0/1/1：% Parameter error")});
    EXPECT_EQ(results[0].portsRead, 2);
    EXPECT_EQ(history.readingCount(), 1);

    // A board that refuses its interface: its ONTs are not called offline.
    ASSERT_TRUE(reading.start({OpticalScope::Port, 0, 2, 0}, boards));
    sink.answer({{QStringLiteral("interface"), QStringLiteral("  失败：单板不存在")}});
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[1].status, OpticalResult::Done);
    EXPECT_EQ(results[1].portFailures, QStringList{QStringLiteral("0/2/0：失败：单板不存在")});
    EXPECT_TRUE(results[1].entries.empty());

    // A port no PON board has ends at once, and a sink that is not connected starts nothing.
    ASSERT_TRUE(reading.start({OpticalScope::Port, 0, 1, 9}, boards));
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results[2].status, OpticalResult::Failed);
    EXPECT_EQ(results[2].reason, QStringLiteral("0/1/9 不是PON端口"));
    sink.connected = false;
    EXPECT_FALSE(reading.start({OpticalScope::Port, 0, 1, 0}));
    EXPECT_FALSE(reading.running());
    EXPECT_EQ(results.size(), 3);
}

TEST(OpticalTable, SummaryCountsAndMedianLeaveOutWhatHasNoLevel) {
    const OpticalThresholds limits;
    std::vector<OpticalEntry> entries;
    for (std::optional<double> rx : {std::optional(-28.0), std::optional(-26.0), std::optional(-7.5),
                                     std::optional(-20.0), std::optional<double>()}) {
        OpticalEntry e;
        e.row.rxPower = rx;
        entries.push_back(e);
    }
    entries.push_back(OpticalEntry{{}, {}, {}, true});
    const OpticalSummary s = summarize(entries, limits);
    EXPECT_EQ(std::tuple(s.onts, s.offline, s.noValue, s.outOfRange), std::tuple(6, 1, 1, 3));
    EXPECT_EQ(summaryText(s),
              QStringLiteral("ONT 6 个（离线 1，无读数 1），超出范围 3 个；接收光功率 最小 -28.00 / "
                             "中位 -23.00 / 最大 -7.50 dBm"));
    EXPECT_EQ(summaryText(summarize({}, limits)), QStringLiteral("ONT 0 个，超出范围 0 个"));
}

// The limits and periods as config.ini holds them: hand-edited nonsense gives the defaults.
TEST(OpticalTable, SettingsReadBackOrFallBack) {
    const struct {
        const char *ini;
        OpticalThresholds limits;
        int period, retention;
    } cases[] = {
        {"", {-27, -25, -8}, 0, 90},
        {"[光功率]\n过低门限=-28.5\n偏低门限=-24\n过载门限=-7\n周期读取=15\n保留天数=30\n",
         {-28.5, -24, -7},
         15,
         30},
        {"[光功率]\n过低门限=-20\n偏低门限=-24\n过载门限=-7\n周期读取=-5\n保留天数=0\n",
         {-27, -25, -8},
         0,
         90},
        {"[光功率]\n过低门限=abc\n偏低门限=-24\n过载门限=nan\n周期读取=99999\n保留天数=1e9\n",
         {-27, -25, -8},
         0,
         90},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ini);
        test::TempRunDir run;
        run.writeConfig(QString::fromUtf8(c.ini));
        SettingsStore settings(run.config());
        const OpticalThresholds l = readThresholds(settings);
        EXPECT_EQ(std::tuple(l.tooLow, l.low, l.overload),
                  std::tuple(c.limits.tooLow, c.limits.low, c.limits.overload));
        EXPECT_EQ(readPeriodMinutes(settings), c.period);
        EXPECT_EQ(readRetentionDays(settings), c.retention);
    }
}

} // namespace
