#include "wizards/Commissioning.h"
#include "CommissioningFields.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tw;
using namespace tw::test;

namespace {

QStringList basicKeys(const Flow &f) {
    QStringList out;
    for (const char *key : {"业务外层", "业务内层", "点播外层", "点播内层", "组播VLAN"})
        if (const QString v = f.settings.read(QStringLiteral("基本"), QString::fromUtf8(key)); !v.isEmpty())
            out << QString::fromUtf8(key) + u'=' + v;
    return out;
}

} // namespace

TEST(Commissioning, OneKeyAsksSendsAndStoresOnlyWhenSent) {
    PageFlow f;
    f.op.answer(true);
    EXPECT_TRUE(runCommissioning(f.context, firstStart()));
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_EQ(f.op.boxes[0].kind, Box::OkCancel);
    EXPECT_EQ(f.op.boxes[0].text, CommissioningQuestion);
    EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Question);
    EXPECT_EQ(f.op.boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(f.writes(), QStringList{commissioningScript(firstStart())});
    EXPECT_EQ(basicKeys(f), (QStringList{"业务外层=100", "业务内层=41"}));
    EXPECT_EQ(f.logText(), QString());

    PageFlow cancelled;
    cancelled.op.answer(false);
    EXPECT_FALSE(runCommissioning(cancelled.context, firstStart()));
    EXPECT_TRUE(cancelled.sink.writes.isEmpty());
    EXPECT_EQ(basicKeys(cancelled), QStringList()) << "Cancel stores nothing";

    PageFlow lost;
    lost.sink.connected = false;
    lost.op.answer(true);
    EXPECT_FALSE(runCommissioning(lost.context, firstStart()));
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
    EXPECT_EQ(basicKeys(lost), QStringList());
}

TEST(Commissioning, IptvSendsAndStoresOnlyWhenSent) {
    PageFlow f;
    EXPECT_TRUE(runIptv(f.context, iptvFirstStart()));
    EXPECT_TRUE(f.op.boxes.isEmpty()) << "no question, no notice";
    EXPECT_EQ(f.writes(), QStringList{iptvScript(iptvFirstStart())});
    EXPECT_EQ(basicKeys(f), (QStringList{"点播外层=3444", "点播内层=45", "组播VLAN=3501"}));

    PageFlow lost;
    lost.sink.connected = false;
    EXPECT_FALSE(runIptv(lost.context, iptvFirstStart()));
    EXPECT_EQ(lost.op.boxes.size(), 1);
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
    EXPECT_EQ(basicKeys(lost), QStringList());
}

// A profile line that fails leaves its lines and "quit" to configuration mode: a template goes only
// with every ID and VLAN it needs a number.
TEST(Commissioning, TemplatesAreRefusedNamingTheFieldTheyNeed) {
    const auto number = [](const char *field, const char *expected) {
        return QStringLiteral("“") + QString::fromUtf8(field) + QStringLiteral("”应为") +
               QString::fromUtf8(expected) + QStringLiteral("，命令没有发送！请检查后重试。");
    };
    const char *profile = "0到8192之间的整数", *dba = "1到512之间的整数", *vlan = "1到4094之间的整数";
    const auto typed = [](const char *field) {
        return QStringLiteral("“") + QString::fromUtf8(field) +
               QStringLiteral("”中含有换行符或控制字符，命令没有发送！请删除后重试。");
    };
    const struct {
        std::function<void(CommissioningInput &)> change;
        QString notice;
    } oneKey[] = {
        {[](CommissioningInput &in) { in.profiles.gponLine = ""; }, number("线路模板GPON", profile)},
        {[](CommissioningInput &in) { in.profiles.gponService = "2O"; }, number("业务模板GPON", profile)},
        {[](CommissioningInput &in) { in.profiles.eponLine = ""; }, number("线路模板EPON", profile)},
        {[](CommissioningInput &in) { in.profiles.eponService = " 40"; }, number("业务模板EPON", profile)},
        {[](CommissioningInput &in) { in.profiles.gponDba = ""; }, number("GPON DBA_ID", dba)},
        {[](CommissioningInput &in) { in.profiles.eponDba = "-1"; }, number("EPON DBA_ID", dba)},
        {[](CommissioningInput &in) { in.dbaProfile = ""; }, number("DBA_模板ID", dba)},
        {[](CommissioningInput &in) { in.innerVlan = "41\r\nquit"; }, typed("业务内层")},
        {[](CommissioningInput &in) { in.outerVlan = ""; }, number("业务外层", vlan)},
        {[](CommissioningInput &in) { in.ethPorts = "1,\n2"; }, typed("ETH 端口")},
        {[](CommissioningInput &in) { in.uplinkBoard = "0/19\r\n"; }, typed("上行板号")},
        {[](CommissioningInput &in) { in.uplinkPort = "0\t"; }, typed("上行端口")},
    };
    for (const auto &c : oneKey) {
        SCOPED_TRACE(c.notice.toStdString());
        CommissioningInput in = firstStart();
        c.change(in);
        PageFlow f;
        f.op.agreeWith = QString();
        EXPECT_FALSE(runCommissioning(f.context, in));
        ASSERT_EQ(f.op.boxes.size(), 1) << "refused before the question";
        EXPECT_EQ(f.op.boxes[0].text, c.notice);
        EXPECT_TRUE(f.sink.writes.isEmpty());
        EXPECT_EQ(basicKeys(f), QStringList());
    }
    // Without the outer VLAN's lines their fields are not needed.
    CommissioningInput noTail = firstStart();
    noTail.createOuterVlan = false;
    noTail.outerVlan = "";
    noTail.uplinkBoard = "";
    PageFlow f;
    f.op.answer(true);
    EXPECT_TRUE(runCommissioning(f.context, noTail));

    const struct {
        std::function<void(IptvInput &)> change;
        QString notice;
    } iptv[] = {
        {[](IptvInput &in) { in.gponLine = ""; }, number("线路模板GPON", profile)},
        {[](IptvInput &in) { in.gponService = "x"; }, number("业务模板GPON", profile)},
        {[](IptvInput &in) { in.vodOuterVlan = ""; }, number("点播外层", vlan)},
        {[](IptvInput &in) { in.vodInnerVlan = "4 5"; }, number("点播内层", vlan)},
        {[](IptvInput &in) { in.multicastVlan = ""; }, number("组播VLAN", vlan)},
        {[](IptvInput &in) { in.uplinkBoard = "0/19\n"; }, typed("上行板号")},
        {[](IptvInput &in) { in.uplinkPort = "0\r"; }, typed("上行端口")},
        {[](IptvInput &in) { in.ethPorts = "1\n"; }, typed("ETH 端口")},
    };
    for (const auto &c : iptv) {
        SCOPED_TRACE(c.notice.toStdString());
        IptvInput in = iptvFirstStart();
        c.change(in);
        PageFlow g;
        EXPECT_FALSE(runIptv(g.context, in));
        ASSERT_EQ(g.op.boxes.size(), 1);
        EXPECT_EQ(g.op.boxes[0].text, c.notice);
        EXPECT_TRUE(g.sink.writes.isEmpty());
        EXPECT_EQ(basicKeys(g), QStringList());
    }
}

TEST(Commissioning, InterworkingAndVoiceAskSendAndTellOnlyWhenSent) {
    const struct {
        bool voice;
        Answer typed;
        bool connected;
        QStringList writes;
        const char *notice; // the last box; nullptr: none after the input box
    } cases[] = {
        {false,
         T("200-202"),
         true,
         {"vlan service-profile profile-id 1\r\n\r\nuser-bridging enable\r\n\r\ncommit\r\nquit\r\n"
          "vlan bind service-profile 200-202 profile-id 1\r\n"},
         "已使能ONT互通功能，请在命令行查看结果！"},
        {false, Cancel, true, {}, nullptr},
        {false,
         T("200\r\nundo vlan 1"),
         true,
         {},
         "“互通 ONT VLAN ID”中含有换行符或控制字符，命令没有发送！请删除后重试。"},
        {false, T("200"), false, {}, "OLT未连接，命令没有发送！请连接OLT后重试。"},
        {true,
         T("300"),
         true,
         {"arp proxy enable\r\ninterface vlanif 300\r\narp proxy enable\r\n\r\nquit\r\n"},
         "已使能ARP Proxy功能，请在命令行查看结果！"},
        {true, Cancel, true, {}, nullptr},
        // "interface vlanif" takes a number only.
        {true, T(""), true, {}, "“语音VLAN”应为1到4094之间的整数，命令没有发送！请检查后重试。"},
        {true, T("3OO"), true, {}, "“语音VLAN”应为1到4094之间的整数，命令没有发送！请检查后重试。"},
        {true, T("300"), false, {}, "OLT未连接，命令没有发送！请连接OLT后重试。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.voice << " " << (c.notice ? c.notice : "-"));
        PageFlow f;
        f.sink.connected = c.connected;
        f.op.answers.push_back(c.typed);
        EXPECT_EQ(c.voice ? enableVoiceArpProxy(f.context) : enableOntInterworking(f.context),
                  !c.writes.isEmpty());
        EXPECT_EQ(f.writes(), c.writes);
        ASSERT_GE(f.op.boxes.size(), 1);
        const Box &input = f.op.boxes[0];
        EXPECT_EQ(input.kind, Box::Input);
        EXPECT_EQ(input.text,
                  c.voice ? QStringLiteral("请输入语音VLAN")
                          : QStringLiteral("请输入互通 ONT VLAN ID\r\n多个VLAN用-隔离，例如 200-202"));
        EXPECT_EQ(input.initial, c.voice ? QStringLiteral("300") : QStringLiteral("200"));
        EXPECT_EQ(f.op.boxes.size(), c.notice ? 2 : 1);
        if (c.notice) {
            EXPECT_EQ(f.lastBox(), QString::fromUtf8(c.notice));
        }
        if (!c.writes.isEmpty()) {
            EXPECT_EQ(f.op.boxes[1].title, QStringLiteral("使能"));
            EXPECT_EQ(f.op.boxes[1].icon, BoxIcon::None);
        }
        EXPECT_EQ(f.logText(), QString());
    }
}
