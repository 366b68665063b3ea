#include "response/AddReply.h"
#include "Flow.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
struct Flow : test::Flow {
    AddReplyFields fields{true, {}, {}, {}, {}, {}};
    QString owned; // the key an automatic registration has in hand

    void handle(const QString &reply) {
        handleAddReply(reply, settings, sink, log, fields, [this](const QString &key) { return key == owned; });
    }
};

const QString Blank = QStringLiteral("\r\n\r\n           \r\n\r\n");

QString echo(const char *key = "48575443A1B2C3D4", const char *kind = "gpon", const char *auth = "sn-auth") {
    return QStringLiteral("MA5680T(config-if-%1-0/1)#ont add 0 %2 %3 omci ont-lineprofile-id 1 "
                          "ont-srvprofile-id 1 desc \"2024-05-06_\"\r\n")
        .arg(QString::fromLatin1(kind), QString::fromLatin1(auth), QString::fromLatin1(key));
}
const QString Success = QStringLiteral("  可以增加的ONT数目: 1, 成功: 1\r\n  端口号 :1, ONT号 :0\r\n");
} // namespace

TEST(AddReply, ParsesTheEcho) {
    const AddEcho e = parseAddEcho(QStringLiteral(
        "MA5680T(config-if-epon-0/2)#ont add 3 7 mac-auth 00E0-FC00-0001 oam ont-lineprofile-id 2"));
    EXPECT_EQ(e.board, QStringLiteral("0/2"));
    EXPECT_EQ(e.ponPort, QStringLiteral("3"));
    EXPECT_EQ(e.key, QStringLiteral("00E0-FC00-0001"));
    // A batch's LOID or password is its key, without the quotes it may come in.
    EXPECT_EQ(
        parseAddEcho(QStringLiteral("ont add 3 loid-auth G-1-3-07 always-on omci ont-lineprofile-id 1")).key,
        QStringLiteral("G-1-3-07"));
    EXPECT_EQ(parseAddEcho(QStringLiteral("ont add 3 password-auth \"p 07\" always-on oam")).key,
              QStringLiteral("p 07"));
}

// A registration made by hand or in a batch while "开启自动注册" is ticked: its flows name the port
// of its own echo, never the automatic registration's; the automatic one's reply is left to it.
TEST(AddReply, FlowsOnTheEchoedPortAndAutomaticRepliesLeftAlone) {
    Flow f;
    f.run.writeConfig(QStringLiteral("[OLT]\n自动建流=真\n[基本]\nGPON业务流=sp gpon 0/槽号/端口号 ont 编号\n"));
    f.owned = QStringLiteral("48575443A1B2C3D4");
    f.handle(echo() + QStringLiteral("  端口号 :0, ONT号 :0\r\n") +
             QStringLiteral("MA5680T(config-if-gpon-0/2)#ont add 6 sn-auth 4857544300000026 omci\r\n"
                            "  端口号 :6, ONT号 :1\r\n"));
    EXPECT_EQ(f.sent(), QStringLiteral("sp gpon 0/2/6 ont 1\r\n\r\n") + Blank);
    EXPECT_FALSE(f.logText().contains(u"48575443A1B2C3D4"_qs));

    Flow g;
    g.owned = QStringLiteral("48575443A1B2C3D4");
    g.handle(echo() + Success);
    EXPECT_TRUE(g.sink.writes.isEmpty()) << "the automatic registration sends its own flows";
}

TEST(AddReply, ServiceFlowsFromTemplates) {
    struct Case {
        const char *name;
        int ponKind;
        const char *config;
        const char *script; // before the closing blank block
        int counter;
        const char *counterAfter;
        const char *logTail;
    } cases[] = {
        {"gpon defaults and flows with # separators, counter and 映射", 1,
         "[OLT]\n自动建流=真\n[基本]\nGPON缺省=ont port native-vlan 端口号 编号 eth 1 vlan 业务外层\n"
         "GPON业务流=service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 1 multi-service "
         "user-vlan "
         "业务内层#service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 2 user-vlan 递增数值1\n"
         "递增数值1=300\n端口数1=1\n业务内层=41\n[映射]\n1/0=2001\n",
         "interface gpon 0/1\r\nont port native-vlan 0 0 eth 1 vlan 2001\r\n\r\nquit\r\n"
         "service-port vlan 2001 gpon 0/1/0 ont 0 gemport 1 multi-service user-vlan 41\r\n"
         "service-port vlan 2001 gpon 0/1/0 ont 0 gemport 2 user-vlan 300\r\n\r\n",
         1, "301", "业务外层：2001，业务内层：41，inner-vlan：300"},
        {"epon templates, no 缺省, outer vlan from 基本, counter 2 of 2 with a third occurrence", 0,
         "[OLT]\n自动建流=真\n[基本]\nGPON业务流=wrong\n"
         "EPON业务流=sp 业务外层 递增数值2 递增数值2 递增数值2 "
         "编号\n业务外层=120\n递增数值2=100\n端口数2=2\n",
         "sp 120 100 101 递增数值2 0\r\n\r\n", 2, "102", "业务外层：120，业务内层：41，inner-vlan：100"},
        {"counter without a port count stays and keeps its value", 1,
         "[OLT]\n自动建流=真\n[基本]\nGPON业务流=x 递增数值3\n递增数值3=7\n", "x 递增数值3\r\n\r\n", 3, "7",
         "业务外层：100，业务内层：41，inner-vlan：7"},
        {"negative port count replaces nothing and moves the counter back", 1,
         "[OLT]\n自动建流=真\n[基本]\nGPON业务流=x 递增数值1\n递增数值1=7\n端口数1=-2\n",
         "x 递增数值1\r\n\r\n", 1, "5", "业务外层：100，业务内层：41，inner-vlan：7"},
        {"counter at the top of the int range goes on past it", 1,
         "[OLT]\n自动建流=真\n[基本]\nGPON业务流=x 递增数值4 递增数值4\n递增数值4=2147483647\n端口数4=2\n",
         "x 2147483647 2147483648\r\n\r\n", 4, "2147483649",
         "业务外层：100，业务内层：41，inner-vlan：2147483647"},
        {"counter already past the int range keeps counting up", 1,
         "[OLT]\n自动建流=真\n[基本]\nGPON业务流=x 递增数值2 递增数值2\n递增数值2=3000000000\n端口数2=2\n",
         "x 3000000000 3000000001\r\n\r\n", 2, "3000000002",
         "业务外层：100，业务内层：41，inner-vlan：3000000000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f;
        f.run.writeConfig(QString::fromUtf8(c.config));
        f.handle(echo("48575443A1B2C3D4", c.ponKind ? "gpon" : "epon", c.ponKind ? "sn-auth" : "mac-auth") + Success);
        EXPECT_EQ(f.sent(), QString::fromUtf8(c.script) + Blank);
        EXPECT_EQ(f.settings.read(settings::counter(c.counter)), QString::fromUtf8(c.counterAfter));
        EXPECT_EQ(f.logText(), QStringLiteral("09:00:00   自动注册ONT业务流，注册到OLT，槽位号： "
                                              "1，端口号：0，注册序列号：48575443A1B2C3D4，"
                                              "ONT编号：0，") +
                                   QString::fromUtf8(c.logTail) + QStringLiteral("\r\n"));
    }
}

TEST(AddReply, ClosingBlockAndBtvLines) {
    struct Case {
        const char *name;
        const char *config;
        const char *tail; // after the closing blank block
    } cases[] = {
        {"flows off, iptv off", "[OLT]\n自动建流=假\n[基本]\nGPON业务流=never\nBTV业务=btv\n", ""},
        {"flows off, iptv on with its values and # separators",
         "[OLT]\n自动建流=假\n开启IPTV=真\n[基本]\nBTV业务=btv 点播外层 点播内层#igmp "
         "组播VLAN\n点播外层=3444\n"
         "点播内层=45\n组播VLAN=3501\n",
         "btv 3444 45\r\nigmp 3501\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f;
        f.run.writeConfig(QString::fromUtf8(c.config));
        f.handle(echo() + Success);
        EXPECT_EQ(f.sink.writes, QList<QByteArray>{toGbk(Blank + QString::fromUtf8(c.tail))});
        EXPECT_TRUE(f.logText().isEmpty());
    }
}

TEST(AddReply, ManualRegistrationUsesTheTabAndNamesItsOwnOnt) {
    Flow f;
    f.run.writeConfig(QStringLiteral("[OLT]\n自动建流=真\n自动移机=真\n[基本]\nGPON缺省=native 端口号 编号\n"
                                     "GPON业务流=sp 业务外层 0/槽号/端口号 ont 编号 vlan 业务内层\n"));
    f.fields = {false,
                QStringLiteral("0"),
                QStringLiteral("3"),
                QStringLiteral("5"),
                QStringLiteral("200"),
                QStringLiteral("60")};
    f.handle(QStringLiteral("MA5680T(config-if-gpon-0/3)#ont add 5 sn-auth 4857544300000077 omci\r\n") +
             QStringLiteral("  可以增加的ONT数目: 1, 成功: 1\r\n  端口号 :5, ONT号 :2\r\n"));
    EXPECT_EQ(f.sent(), QStringLiteral("interface gpon 0/3\r\nnative 5 2\r\n\r\nquit\r\n"
                                       "sp 200 0/3/5 ont 2 vlan 60\r\n\r\n") +
                            Blank);
    EXPECT_EQ(f.logText(),
              QStringLiteral("09:00:00   自动注册ONT业务流，注册到OLT，槽位号： 3，端口号：5，"
                             "注册序列号：4857544300000077，ONT编号：2，业务外层：200，业务内层：60，"
                             "inner-vlan：\r\n"));
}

TEST(AddReply, TwoConfirmedOntsInOneReply) {
    Flow f;
    f.run.writeConfig(
        QStringLiteral("[OLT]\n自动建流=真\n[基本]\nGPON业务流=sp 编号 递增数值1\n递增数值1=10\n"
                       "端口数1=1\n"));
    f.handle(echo() + QStringLiteral("  端口号 :0, ONT号 :0\r\n") +
             echo("4857544300000002").replace(u"add 0 "_qs, u"add 0 1 "_qs) +
             QStringLiteral("  端口号 :0, ONT号 :1\r\n"));
    EXPECT_EQ(f.sink.writes,
              QList<QByteArray>{toGbk(QStringLiteral("sp 0 10\r\n\r\nsp 1 11\r\n\r\n") + Blank)});
    EXPECT_EQ(f.settings.read(settings::counter(1)), QStringLiteral("12"));
    const QStringList lines = f.logText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains(u"注册序列号：48575443A1B2C3D4，ONT编号：0，"_qs))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(u"注册序列号：4857544300000002，ONT编号：1，"_qs))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(u"inner-vlan：11"_qs)) << lines[1].toStdString();
}
