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

} // namespace

TEST(AutoMove, Helpers) {
    const std::optional<OntLocation> g = locationFrom(gponReply(), true);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->port, QStringLiteral("0/1/0"));
    EXPECT_EQ(g->id, QStringLiteral("3"));
    EXPECT_EQ(g->key, QStringLiteral("485754430A1B2C3D(HWTC-0A1B2C3D)"));
    EXPECT_FALSE(locationFrom(UnknownSn, true)) << "an unknown ONT has no location";
    const std::optional<OntLocation> e = locationFrom(EponReply, false);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->port, QStringLiteral("0/3/1"));
}

TEST(AutoMove, Scripts) {
    test::Flow f;
    f.settings.write(settings::GemPort, QStringLiteral("1"));
    f.settings.write(settings::IptvOuterVlan, QStringLiteral("3444"));
    const OntLocation g = *locationFrom(gponReply(), true);
    const OntLocation e = *locationFrom(EponReply, false);
    EXPECT_EQ(toGbk(moveDeletionScript(g, true, f.settings)), GponMoveOneGem);
    EXPECT_EQ(toGbk(moveDeletionScript(e, false, f.settings)), EponMove);
    EXPECT_EQ(moveLogLine(g, true) + QStringLiteral("\r\n"), QString::fromUtf8(GponLog).mid(8));
    EXPECT_EQ(moveLogLine(e, false) + QStringLiteral("\r\n"), QString::fromUtf8(EponLog).mid(8));

    // Only the IPTV VLAN's rows of full length: two users, the short row and the internet row stay.
    EXPECT_EQ(multicastUserDeletions(ServicePorts, f.settings),
              (QStringList{QStringLiteral("btv\r\nigmp user delete service-port 11\r\ny\r\nquit\r\n"),
                           QStringLiteral("btv\r\nigmp user delete service-port 12\r\ny\r\nquit\r\n")}));
    EXPECT_TRUE(multicastUserDeletions(NoIptvPorts, f.settings).isEmpty());
    EXPECT_TRUE(listsServicePorts(NoIptvPorts));
    EXPECT_FALSE(listsServicePorts(QStringLiteral("display service-port port 0/1/0 ont 3\r\n  失败：业务虚端口不存在\r\n")));
}
