#include "provision/ScriptGenerator.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tw;
using namespace tw::test;

namespace {

OltSideFields oltSide(bool gpon = true, bool snmp = true) {
    OltSideFields f;
    f.frame = QStringLiteral("0");
    f.slot = QStringLiteral("1");
    f.port = QStringLiteral("3");
    f.snmp = snmp;
    f.gpon = gpon;
    f.lineProfile = QStringLiteral("10");
    f.serviceProfile = QStringLiteral("20");
    f.ip = QStringLiteral("192.168.88.1");
    f.mask = QStringLiteral("255.255.255.0");
    f.gateway = QStringLiteral("192.168.88.254");
    f.managementVlan = QStringLiteral("46");
    f.serial = gpon ? QStringLiteral("4857544300000001") : QStringLiteral("00E0-FC00-0001");
    f.ontId = QStringLiteral("5");
    f.description = QStringLiteral("lobby");
    f.svlan = QStringLiteral("100");
    f.uvlan = QStringLiteral("200");
    f.cvlan = QStringLiteral("1000");
    f.gemPort = QStringLiteral("1");
    return f;
}

OnuSideFields onuSide() {
    return {QStringLiteral("192.168.88.1"),
            QStringLiteral("root"),
            QStringLiteral("tolvaken"),
            QStringLiteral("100"),
            QStringLiteral("0/0"),
            QStringLiteral("1"),
            QStringLiteral("0/1"),
            QStringLiteral("1-8"),
            QString(),
            false,
            QStringLiteral("1"),
            QStringLiteral("100-102")};
}

QString text(const std::optional<QString> &generated) {
    return generated.value_or(QStringLiteral("<refused>"));
}

} // namespace

TEST(ScriptGenerator, Registration) {
    const struct {
        bool gpon, snmp;
        const char *description, *ontId;
        const char *expected;
    } cases[] = {
        {true, true, "lobby", "5",
         "interface gpon 0/1\r\n\r\nont add 3 5 sn-auth 4857544300000001 snmp ont-lineprofile-id 10 desc "
         "lobby\r\n\r\nquit\r\n\r\n"},
        {false, true, "", "5",
         "interface epon 0/1\r\n\r\nont add 3 5 mac-auth 00E0-FC00-0001 snmp ont-lineprofile-id "
         "10\r\n\r\nquit\r\n\r\n"},
        {true, false, "lobby", "5",
         "interface gpon 0/1\r\n\r\nont add 3 5 sn-auth 4857544300000001 omci ont-lineprofile-id 10 "
         "ont-srvprofile-id 20 desc lobby\r\n\r\nquit\r\n\r\n"},
        // EPON ONTs are managed over OAM, not OMCI.
        {false, false, "lobby", "5",
         "interface epon 0/1\r\n\r\nont add 3 5 mac-auth 00E0-FC00-0001 oam ont-lineprofile-id 10 "
         "ont-srvprofile-id 20 desc lobby\r\n\r\nquit\r\n\r\n"},
        // A bare "desc" would make the OLT refuse the registration.
        {true, false, "", "5",
         "interface gpon 0/1\r\n\r\nont add 3 5 sn-auth 4857544300000001 omci ont-lineprofile-id 10 "
         "ont-srvprofile-id 20\r\n\r\nquit\r\n\r\n"},
        {true, true, "room 1", "5",
         "interface gpon 0/1\r\n\r\nont add 3 5 sn-auth 4857544300000001 snmp ont-lineprofile-id 10 desc "
         "\"room 1\"\r\n\r\nquit\r\n\r\n"},
        // Without an id the OLT picks the next free one.
        {true, true, "lobby", "",
         "interface gpon 0/1\r\n\r\nont add 3  sn-auth 4857544300000001 snmp ont-lineprofile-id 10 desc "
         "lobby\r\n\r\nquit\r\n\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        ScriptedOperator op;
        OltSideFields f = oltSide(c.gpon, c.snmp);
        f.description = QString::fromUtf8(c.description);
        f.ontId = QString::fromUtf8(c.ontId);
        EXPECT_EQ(text(registrationScript(op, f)), QString::fromUtf8(c.expected));
        EXPECT_TRUE(op.boxes.isEmpty());
    }
}

TEST(ScriptGenerator, ManagementIpAndServiceFlows) {
    ScriptedOperator op;
    EXPECT_EQ(text(managementIpScript(op, oltSide(true))),
              QStringLiteral("interface gpon 0/1\r\n\r\nont ipconfig 3 5 static ip-address 192.168.88.1 mask "
                             "255.255.255.0 gateway 192.168.88.254 vlan 46\r\n\r\nquit\r\n\r\n"));
    EXPECT_EQ(text(managementIpScript(op, oltSide(false))),
              QStringLiteral("interface epon 0/1\r\n\r\nont ipconfig 3 5 static ip-address 192.168.88.1 mask "
                             "255.255.255.0 gateway 192.168.88.254 manage-vlan 46\r\n\r\nquit\r\n\r\n"));

    const struct {
        bool gpon, qinq;
        const char *cvlan;
        const char *expected;
    } flows[] = {
        {true, false, "1000",
         "service-port vlan 100 gpon  0/1/3 ont 5 gemport 1 multi-service user-vlan 200 rx-cttr 6 tx-cttr "
         "6\r\n\r\n"},
        {true, true, "1000",
         "service-port vlan 100 gpon  0/1/3 ont 5 gemport 1 multi-service user-vlan 200 tag-transform "
         "translate-and-add inner-vlan 1000 inner-priority 0\r\n\r\n"},
        {true, true, "",
         "service-port vlan 100 gpon  0/1/3 ont 5 gemport 1 multi-service user-vlan 200 rx-cttr 6 tx-cttr "
         "6\r\n\r\n"},
        {false, false, "1000",
         "service-port vlan 100 epon  0/1/3 ont 5 multi-service user-vlan 200 rx-cttr 6 tx-cttr 6\r\n\r\n"},
    };
    for (const auto &c : flows) {
        SCOPED_TRACE(c.expected);
        OltSideFields f = oltSide(c.gpon);
        f.qinq = c.qinq;
        f.cvlan = QString::fromUtf8(c.cvlan);
        EXPECT_EQ(text(serviceFlowScript(op, f)), QString::fromUtf8(c.expected));
    }
    EXPECT_TRUE(op.boxes.isEmpty());
}

TEST(ScriptGenerator, OnuSide) {
    const QString login =
        QStringLiteral("telnet 192.168.88.1\r\n\r\nroot\r\ntolvaken\r\n\r\nenable\r\nconfig\r\n"
                       "switch language-mode\r\n\r\nvlan 100 smart\r\nport vlan 100 0/0 1");
    const QString end = QStringLiteral("quit\r\nquit\r\ny\r\n\r\n");
    ScriptedOperator op;
    OnuSideFields f = onuSide();
    EXPECT_EQ(text(onuSideScript(op, f, OnuFlowStyle::A)),
              login +
                  QStringLiteral("\r\n\r\nservice-port vlan 100 eth 0/1/1-8 multi-service user-vlan untagged "
                                 "rx-cttr 6 tx-cttr 6\r\n\r\ny\r\n\r\n") +
                  end);
    f.uvlan = QStringLiteral("10");
    f.bridging = true;
    EXPECT_EQ(text(onuSideScript(op, f, OnuFlowStyle::B)),
              login +
                  QStringLiteral(
                      "\r\n\r\nmulti-service-port vlan 100 port 0/1 1-8 user-vlan 10 rx-cttr 6 tx-cttr "
                      "6\r\n\r\ny\r\n\r\n"
                      "vlan service-profile profile-id 1\r\n\r\nuser-bridging enable\r\n\r\ncommit\r\n\r\n"
                      "quit\r\n\r\nvlan bind service-profile 100-102 profile-id 1\r\n\r\n") +
                  end);
    EXPECT_TRUE(op.boxes.isEmpty());
}

TEST(ScriptGenerator, RefusalsBuildNothing) {
    const QString missingOnt = QStringLiteral("ONU编号不能为空，请输入，格式：0-127");
    using Build = std::function<std::optional<QString>(Operator &)>;
    const auto registration = [](OltSideFields f) {
        return Build([f](Operator &op) { return registrationScript(op, f); });
    };
    const auto ip = [](OltSideFields f) {
        return Build([f](Operator &op) { return managementIpScript(op, f); });
    };
    const auto flow = [](OltSideFields f) {
        return Build([f](Operator &op) { return serviceFlowScript(op, f); });
    };
    const auto with = [](std::function<void(OltSideFields &)> change) {
        OltSideFields f = oltSide();
        change(f);
        return f;
    };
    OnuSideFields pastedPassword = onuSide();
    pastedPassword.password = QStringLiteral("secret\r\nundo vlan 100");
    const struct {
        const char *what;
        Build build;
        QString notice;
    } cases[] = {
        {"no serial", registration(with([](OltSideFields &f) { f.serial.clear(); })),
         QStringLiteral("序列号不能为空，请获取或手工录入")},
        {"no ONT id for the IP", ip(with([](OltSideFields &f) { f.ontId.clear(); })), missingOnt},
        {"no ONT id for the flow", flow(with([](OltSideFields &f) { f.ontId.clear(); })), missingOnt},
        {"frame not a number", registration(with([](OltSideFields &f) { f.frame = QStringLiteral("a"); })),
         QStringLiteral("“机框”应为0到7之间的整数，命令没有发送！请检查后重试。")},
        {"IP with a line break", ip(with([](OltSideFields &f) { f.ip = QStringLiteral("10.0.0.1\nquit"); })),
         QStringLiteral("“IP地址”中含有换行符或控制字符，命令没有发送！请删除后重试。")},
        {"description with a quote",
         registration(with([](OltSideFields &f) { f.description = QStringLiteral("a \"b\""); })),
         QStringLiteral("“备注”中不能含有双引号（\"），命令没有发送！")},
        {"GEM port with a line break",
         flow(with([](OltSideFields &f) { f.gemPort = QStringLiteral("1\n"); })),
         QStringLiteral("“GemPort”中含有换行符或控制字符，命令没有发送！请删除后重试。")},
        {"ONU password with a line break",
         [pastedPassword](Operator &op) { return onuSideScript(op, pastedPassword, OnuFlowStyle::A); },
         QStringLiteral("“密码”中含有换行符或控制字符，命令没有发送！请删除后重试。")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedOperator op;
        EXPECT_FALSE(c.build(op).has_value());
        ASSERT_EQ(op.boxes.size(), 1);
        EXPECT_EQ(op.boxes[0].text, c.notice);
    }
}

// The autofind reply is read as SN or MAC by the program-wide kind, so the button sets it.
TEST(ScriptGenerator, FetchSerialSetsTheKindOfTheBoardType) {
    for (const bool gpon : {true, false}) {
        PageFlow f;
        f.shared.ponKindFlag = gpon ? 0 : 1;
        EXPECT_TRUE(fetchGeneratorSerial(f.context, oltSide(gpon)));
        EXPECT_EQ(f.sent(), QStringLiteral("interface ") + (gpon ? "gpon" : "epon") +
                                QStringLiteral(" 0/1\r\ndisplay ont autofind 3\r\n     \r\nquit\r\n"));
        EXPECT_EQ(f.shared.ponKindFlag, gpon ? 1 : 0);
        EXPECT_TRUE(f.op.boxes.isEmpty());
        EXPECT_TRUE(f.logText().isEmpty());
    }

    PageFlow lost;
    lost.sink.connected = false;
    EXPECT_FALSE(fetchGeneratorSerial(lost.context, oltSide()));
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);

    PageFlow bad;
    OltSideFields f = oltSide(false);
    f.frame.clear();
    EXPECT_FALSE(fetchGeneratorSerial(bad.context, f));
    EXPECT_TRUE(bad.sink.writes.isEmpty());
    EXPECT_EQ(bad.shared.ponKindFlag, 0);
    bad.shared.ponKindFlag = 1;
    EXPECT_FALSE(fetchGeneratorSerial(bad.context, f));
    EXPECT_EQ(bad.shared.ponKindFlag, 1) << "a refused query changes nothing";
}
