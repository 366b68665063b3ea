#include "response/AutoMove.h"
#include "Flow.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {

// Location replies as the OLT prints them, echo and prompt included.
QString gponReply(const QString &sn = QStringLiteral("485754430A1B2C3D")) {
    return QStringLiteral("display ont info by-sn ") + sn +
           QStringLiteral(
               "\r\n  -----------------------------------------------------------------------------\r\n"
               "  框/槽/端口              : 0/1/0\r\n"
               "  ONT编号                 : 3\r\n"
               "  控制标志                : 激活\r\n"
               "  认证类型                : SN认证\r\n"
               "  序列号                  : 485754430A1B2C3D (HWTC-0A1B2C3D)\r\n"
               "  描述                    : li_100-1\r\n"
               "  -----------------------------------------------------------------------------\r\n"
               "OLT(config)#");
}
const QString EponReply = QStringLiteral("display ont info by-mac 00E0-FC11-2233\r\n"
                                         "  框/槽/端口              : 0/3/1\r\n"
                                         "  ONT编号                 : 7\r\n"
                                         "  ONT LLID                : 1\r\n"
                                         "  认证类型                : MAC认证\r\n"
                                         "  MAC地址                 : 00E0-FC11-2233\r\n"
                                         "OLT(config)#");
const QString UnknownSn = QStringLiteral("display ont info by-sn 4857544300000009\r\n"
                                         "  失败：该ONT不存在\r\nOLT(config)#");
// Two IPTV rows (outer VLAN 3444), one internet row, one short row that only mentions common.
const QString ServicePorts =
    QStringLiteral("display service-port port 0/1/0 ont 3\r\n"
                   "      10  100 common   gpon 0/1 /0  3    1     vlan  41         -    -    up\r\n"
                   "      11 3444 common   gpon 0/1 /0  3    2     vlan  45         -    -    up\r\n"
                   "      12 3444 common   gpon 0/1 /0  3    3     vlan  46         -    -    up\r\n"
                   "      13 3444 common\r\n"
                   "   总数 : 4  (Up/Down :    4/0)\r\nOLT(config)#");
const QString NoIptvPorts =
    QStringLiteral("display service-port port 0/3/1 ont 7\r\n"
                   "      20  100 common   epon 0/3 /1  7    -     vlan  41         -    -    up\r\n"
                   "OLT(config)#");

const QByteArray GponMoveOneGem = "undo service-port port 0/1/0 ont 3 gemport 1\r\n\r\ny\r\n\r\n"
                                  "interface gpon 0/1\r\nont delete 0 3\r\nquit\r\n";
const QByteArray EponMove = "undo service-port port 0/3/1 ont 7\r\n\r\ny\r\n\r\n"
                            "interface epon 0/3\r\nont delete 1 7\r\nquit\r\n";
const char *GponLog =
    "09:00:00   GPON移机删除成功，已删除 0/1/0 ONT号：3 SN：485754430A1B2C3D(HWTC-0A1B2C3D) "
    "的ONT设备\r\n";
const char *EponLog = "09:00:00   EPON移机删除成功，已删除 0/3/1 ONT号：7 MAC：00E0-FC11-2233 的ONT设备\r\n";

struct Flow : test::Flow {
    AutoMove move{sink, settings, log, shared};

    Flow(bool autoMove, bool iptv) {
        settings.writeSwitch(settings::AutoMove, autoMove);
        settings.writeSwitch(settings::Iptv, iptv);
        settings.write(settings::IptvOuterVlan, QStringLiteral("3444"));
    }
    void search(const QString &text) { move.searchReply(text, toGbk(text)); }
};

} // namespace

TEST(AutoMove, Helpers) {
    EXPECT_EQ(ontInfoEntries(gponReply(), {QStringLiteral("框/槽/端口"), QStringLiteral("ONT编号"),
                                           QStringLiteral("序列号")}),
              (QStringList{"0/1/0", "3", "485754430A1B2C3D(HWTC-0A1B2C3D)"}));
    EXPECT_EQ(queriedKey(gponReply()), QStringLiteral("485754430A1B2C3D"));
    EXPECT_EQ(queriedKey(EponReply), QStringLiteral("00E0-FC11-2233"));
    EXPECT_EQ(queriedKey(ServicePorts), QString());
}

// Without IPTV the location reply deletes the old registration at once.
TEST(AutoMove, WithoutIptv) {
    struct Case {
        const char *name;
        bool autoMove;
        QString gemport; // empty: key missing, default "1"
        QString queried; // moveQueryKey before the reply
        QString reply;
        QByteArray sent;
        QString log;
        QString keyAfter;
    } cases[] = {
        {"gpon", true, {}, "485754430A1B2C3D", gponReply(), GponMoveOneGem, GponLog, {}},
        {"gpon, gem ports with both commas",
         true,
         QStringLiteral("1，2,4"),
         "485754430A1B2C3D",
         gponReply(),
         "undo service-port port 0/1/0 ont 3 gemport 1\r\n\r\ny\r\n\r\n"
         "undo service-port port 0/1/0 ont 3 gemport 2\r\n\r\ny\r\n\r\n"
         "undo service-port port 0/1/0 ont 3 gemport 4\r\n\r\ny\r\n\r\n"
         "interface gpon 0/1\r\nont delete 0 3\r\nquit\r\n",
         GponLog,
         {}},
        {"epon, key case differs", true, {}, "00e0-fc11-2233", EponReply, EponMove, EponLog, {}},
        {"unknown SN", true, {}, "4857544300000009", UnknownSn, {}, {}, {}},
        {"automatic move off", false, {}, "485754430A1B2C3D", gponReply(), {}, {}, {}},
        {"operator's own search", true, {}, {}, gponReply(), {}, {}, {}},
        {"operator searched another ONT",
         true,
         {},
         "4857544300000009",
         gponReply(),
         {},
         {},
         "4857544300000009"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f(c.autoMove, false);
        if (!c.gemport.isEmpty()) f.settings.write(settings::GemPort, c.gemport);
        f.shared.moveQueryKey = c.queried;
        f.search(c.reply);
        EXPECT_EQ(f.sink.all(), c.sent);
        EXPECT_EQ(f.logText(), c.log);
        EXPECT_EQ(f.shared.moveQueryKey, c.keyAfter);
        EXPECT_EQ(f.shared.moveStashReady, 0);
        EXPECT_EQ(f.shared.iptvCleanupPending, 0);
    }
}

// With IPTV the location reply only asks for the service ports and is kept for the second reply.
TEST(AutoMove, IptvFirstStepStashesTheReply) {
    Flow f(true, true);
    f.shared.moveQueryKey = QStringLiteral("485754430A1B2C3D");
    f.search(gponReply());
    EXPECT_EQ(f.sink.all(), "display service-port port 0/1/0 ont 3\r\n\r\n");
    EXPECT_EQ(f.shared.iptvCleanupPending, 1);
    EXPECT_EQ(f.shared.moveStashReady, 1);
    EXPECT_EQ(f.shared.moveStash, toGbk(gponReply()));
    EXPECT_EQ(f.shared.moveQueryKey, QString());
    EXPECT_EQ(f.logText(),
              QStringLiteral("09:00:00  IPTV组播移机删除成功，已删除 0/1/0 ONT号：3 的ONT设备\r\n"));

    // Neither an unknown ONT nor an operator's search starts anything.
    for (const auto &[queried, reply] :
         {std::pair{QStringLiteral("4857544300000009"), UnknownSn}, std::pair{QString(), gponReply()}}) {
        Flow g(true, true);
        g.shared.moveQueryKey = queried;
        g.search(reply);
        EXPECT_EQ(g.sink.all(), QByteArray());
        EXPECT_EQ(g.shared.iptvCleanupPending, 0);
        EXPECT_EQ(g.shared.moveStashReady, 0);
        EXPECT_TRUE(g.shared.moveStash.isEmpty());
        EXPECT_EQ(g.logText(), QString());
    }
}

TEST(AutoMove, IptvCompletionRemovesMulticastUsersThenMovesOnce) {
    const QByteArray btv11 = "btv\r\nigmp user delete service-port 11\r\ny\r\nquit\r\n";
    const QByteArray btv12 = "btv\r\nigmp user delete service-port 12\r\ny\r\nquit\r\n";
    struct Case {
        const char *name;
        QString stashed;
        QString ports;
        QList<QByteArray> writes;
        QString log;
    } cases[] = {
        {"gpon with two IPTV rows", gponReply(), ServicePorts, {btv11, btv12, GponMoveOneGem}, GponLog},
        {"epon without IPTV row", EponReply, NoIptvPorts, {EponMove}, EponLog},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f(true, true);
        f.shared.iptvCleanupPending = 1;
        f.shared.moveStashReady = 1;
        f.shared.moveStash = toGbk(c.stashed);
        f.move.iptvCleanupWithMove(c.ports);
        EXPECT_EQ(f.sink.writes, c.writes);
        EXPECT_EQ(f.logText(), c.log);
        EXPECT_EQ(f.shared.iptvCleanupPending, 0);
        EXPECT_EQ(f.shared.moveStashReady, 0);
        EXPECT_TRUE(f.shared.moveStash.isEmpty());
    }
}

// Deleting a selected ONT with IPTV on: its multicast users go, then the deletion that waited.
TEST(AutoMove, IptvCleanupOnly) {
    Flow f(true, true);
    f.shared.iptvCleanupPending = 1;
    f.shared.cleanupListing = QStringLiteral("display service-port port 0/1/0 ont 3");
    f.shared.deletionAfterCleanup = QStringLiteral("undo service-port port 0/1/0 ont 3\r\n\r\ny\r\n");
    f.shared.deletionLog = QStringLiteral("   删除ONT命令已发送，编号：3，序列号：S");
    f.move.iptvCleanup(ServicePorts);
    EXPECT_EQ(f.sink.writes, (QList<QByteArray>{"btv\r\nigmp user delete service-port 11\r\ny\r\nquit\r\n",
                                                "btv\r\nigmp user delete service-port 12\r\ny\r\nquit\r\n",
                                                "undo service-port port 0/1/0 ont 3\r\n\r\ny\r\n"}));
    EXPECT_EQ(f.shared.iptvCleanupPending, 0);
    EXPECT_TRUE(f.shared.cleanupListing.isEmpty());
    EXPECT_TRUE(f.shared.deletionAfterCleanup.isEmpty());
    EXPECT_EQ(f.logText(), QStringLiteral("09:00:00   删除ONT命令已发送，编号：3，序列号：S\r\n"));

    Flow g(true, true);
    g.shared.iptvCleanupPending = 1;
    g.move.iptvCleanup(NoIptvPorts);
    EXPECT_TRUE(g.sink.writes.isEmpty());
    EXPECT_EQ(g.shared.iptvCleanupPending, 0);
}
