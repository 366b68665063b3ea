#include "response/AutoRegistration.h"
#include "Flow.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
using test::Flow;

const char *const GponRecord = "   序号             : 1\r\n"
                               "   框/槽/端口        : 0/1/3\r\n"
                               "   ONT SN           : 48575443A1B2C3D4 (HWTC-A1B2C3D4)\r\n"
                               "   ----------------------------------------------------------------\r\n";
const char *const EponRecord = "   序号             : 1\r\n"
                               "   框/槽/端口        : 0/2/5\r\n"
                               "   ONT MAC          : 00E0-FC00-0001 (x)\r\n"
                               "   ----------------------------------------------------------------\r\n";
} // namespace

TEST(AutoRegistration, RegistersTheFirstDiscoveredOnt) {
    struct Case {
        const char *name;
        const char *config;
        QString reply;
        const char *script;
        const char *log;
        int kind;
        const char *key, *port;
    } cases[] = {
        {"gpon first, epon after; vendor form cut; profile defaults; empty remark", "",
         QString::fromUtf8(GponRecord) + QString::fromUtf8(EponRecord),
         "interface gpon 0/1\r\nont add 3 sn-auth 48575443A1B2C3D4 omci ont-lineprofile-id 1 "
         "ont-srvprofile-id 1 desc \"2024-05-06_\"\r\n\r\nquit\r\n",
         "09:00:00   自动注册GPON-ONT，注册到0/1/3 注册序列号：48575443A1B2C3D4 ONT 业务内层VLAN：100\r\n", 1,
         "48575443A1B2C3D4", "0/1/3"},
        {"epon with its own profiles, remark and inner vlan",
         "[基本]\nE线路模板=7\nE业务模板=8\nG线路模板=5\n默认备注=楼A\n业务内层=41\n",
         QString::fromUtf8(EponRecord),
         "interface epon 0/2\r\nont add 5 mac-auth 00E0-FC00-0001 oam ont-lineprofile-id 7 "
         "ont-srvprofile-id 8 desc \"2024-05-06_楼A\"\r\n\r\nquit\r\n",
         "09:00:00   自动注册EPON-ONT，注册到0/2/5 注册序列号：00E0-FC00-0001 ONT 业务内层VLAN：41\r\n", 0,
         "00E0-FC00-0001", "0/2/5"},
        {"epon profile defaults", "", QString::fromUtf8(EponRecord),
         "interface epon 0/2\r\nont add 5 mac-auth 00E0-FC00-0001 oam ont-lineprofile-id 2 "
         "ont-srvprofile-id 2 desc \"2024-05-06_\"\r\n\r\nquit\r\n",
         "09:00:00   自动注册EPON-ONT，注册到0/2/5 注册序列号：00E0-FC00-0001 ONT 业务内层VLAN：100\r\n", 0,
         "00E0-FC00-0001", "0/2/5"},
        {"missing port line still registers", "[基本]\nG线路模板=3\nG业务模板=4\n",
         QStringLiteral("   ONT SN           : 4857544300000009\r\n"),
         "interface gpon \r\nont add  sn-auth 4857544300000009 omci ont-lineprofile-id 3 "
         "ont-srvprofile-id 4 desc \"2024-05-06_\"\r\n\r\nquit\r\n",
         "09:00:00   自动注册GPON-ONT，注册到 注册序列号：4857544300000009 ONT 业务内层VLAN：100\r\n", 1,
         "4857544300000009", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f;
        f.run.writeConfig(QString::fromUtf8(c.config));
        f.shared.ponKindFlag = 1 - c.kind;
        autoRegister(c.reply, f.shared, f.settings, f.sink, f.log);
        EXPECT_EQ(f.sink.writes, QList<QByteArray>{toGbk(QString::fromUtf8(c.script))});
        EXPECT_EQ(f.logText(), QString::fromUtf8(c.log));
        EXPECT_EQ(f.shared.ponKindFlag, c.kind);
        EXPECT_EQ(f.shared.pendingAddKey, QString::fromUtf8(c.key));
        EXPECT_EQ(f.shared.pendingAddPort, QString::fromUtf8(c.port));
        EXPECT_EQ(f.shared.autoAddAwaited, 1);
    }
}

TEST(AutoRegistration, NoKeyNoSend) {
    Flow f;
    f.shared.pendingAddKey = QStringLiteral("OLD");
    f.shared.ponKindFlag = 1;
    autoRegister(QStringLiteral("   框/槽/端口        : 0/1/3\r\n"), f.shared, f.settings, f.sink, f.log);
    EXPECT_TRUE(f.sink.writes.isEmpty());
    EXPECT_TRUE(f.logText().isEmpty());
    EXPECT_EQ(f.shared.pendingAddPort, QStringLiteral("0/1/3"));
    EXPECT_EQ(f.shared.pendingAddKey, QStringLiteral("OLD"));
    EXPECT_EQ(f.shared.ponKindFlag, 1);
    EXPECT_EQ(f.shared.autoAddAwaited, 0);
}

TEST(AutoRegistration, MacCutOnItsOwnParenthesis) {
    Flow f;
    autoRegister(QStringLiteral("   框/槽/端口 : 0/2/1\r\n   ONT MAC : 00E0-FC00 (a)(b)\r\n"), f.shared,
                 f.settings, f.sink, f.log);
    EXPECT_EQ(f.shared.pendingAddKey, QStringLiteral("00E0-FC00(a)"));
}
