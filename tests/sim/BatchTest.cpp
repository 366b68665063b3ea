// Batch registration as the console sends it: "ont add" by LOID or password for many ONTs in one
// write, and "ont confirm" of everything waiting in a port's autofind list.
#include "SimDriver.h"

#include <QJsonArray>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

// The console's batch: one write, each add followed by the empty line that answers its options.
QByteArray batch(const QByteArray &interface, int port, const QByteArray &auth,
                 const QList<QByteArray> &codes) {
    const bool gpon = interface.startsWith("interface gpon");
    QByteArray script = interface + "\r\n";
    for (const QByteArray &code : codes)
        script += "ont add " + QByteArray::number(port) + ' ' + auth + ' ' + code + " always-on " +
                  (gpon ? "omci ont-lineprofile-id 1 ont-srvprofile-id 1"
                        : "oam ont-lineprofile-id 2 ont-srvprofile-id 2") +
                  " desc \"2024-05-20_batch\"\r\n\r\n";
    return script + "quit\r\n";
}

QJsonObject ontAt(Device &d, const QString &port, int id) {
    for (const QJsonValue &v : dump(d)["onts"].toArray())
        if (v["port"].toString() == port && v["id"].toInt() == id) return v.toObject();
    return {};
}

TEST(SimBatch, EachCodeRegistersOnTheNextFreeIdWithTheProfilesAndDescription) {
    struct Case {
        QByteArray interface;
        int port;
        QByteArray auth;
        QList<QByteArray> codes;
        const char *field; // "loid" or "password" in the dump
        QStringList keys;  // as registered
        QList<int> ids;    // given to them in order
        int profile;       // line and service profile
    };
    const Case cases[] = {
        {"interface gpon 0/1",
         0,
         "loid-auth",
         {"L-0101", "\"L 0102\"", "L-0103"},
         "loid",
         {"L-0101", "L 0102", "L-0103"},
         {3, 4, 5},
         1},
        {"interface epon 0/3",
         0,
         "password-auth",
         {"pw01", "\"pw 02\""},
         "password",
         {"pw01", "pw 02"},
         {1, 2},
         2},
    };
    for (bool chinese : {false, true})
        for (const Case &c : cases) {
            SCOPED_TRACE(c.interface.toStdString());
            Cli cli;
            cli.login(chinese);
            const QString out = cli.send(batch(c.interface, c.port, c.auth, c.codes));
            EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
            EXPECT_EQ(
                out.count(chinese ? QString::fromUtf8("  可以增加的ONT数目: 1, 成功: 1\r\n")
                                  : QStringLiteral("  Number of ONTs that can be added: 1, success: 1\r\n")),
                c.codes.size());
            const QString port = c.interface.right(3) + '/' + QString::number(c.port);
            for (int k = 0; k < c.keys.size(); ++k) {
                const QString added = chinese ? QString::fromUtf8("  端口号 :%1, ONT号 :%2\r\n")
                                              : QStringLiteral("  PortID :%1, ONTID :%2\r\n");
                EXPECT_TRUE(out.contains(added.arg(c.port).arg(c.ids[k]))) << c.ids[k];
                const QJsonObject o = ontAt(cli.device, port, c.ids[k]);
                EXPECT_EQ(o[c.field].toString(), c.keys[k]);
                EXPECT_EQ(o["auth"].toString(), c.field);
                EXPECT_EQ(o["lineProfile"].toInt(), c.profile);
                EXPECT_EQ(o["srvProfile"].toInt(), c.profile);
                EXPECT_EQ(o["desc"].toString(), "2024-05-20_batch");
                EXPECT_EQ(o["runState"].toString(), "offline") << "no device with that key on the fibre";
            }
        }
}

TEST(SimBatch, AKeyThatExistsFailsAndTheRestGoOn) {
    struct Case {
        QByteArray interface;
        QByteArray auth;
        QList<QByteArray> codes;
        const char *english;
        const char *chinese;
    };
    const Case cases[] = {
        {"interface gpon 0/1",
         "loid-auth",
         {"L-1", "L-2", "L-1", "L-3"},
         "  Failure: LOID already exists",
         "  失败：逻辑标识已经存在"},
        {"interface epon 0/3",
         "password-auth",
         {"pw1", "pw1", "pw2"},
         "  Failure: Password already exists",
         "  失败：密码已经存在"},
        {"interface gpon 0/1",
         "loid-auth",
         {"L-1", "LOID-with-25-characters-x", "L-2"},
         "  % Parameter error, the error locates at '^'",
         "  % 参数错误，错误定位在'^'所指的位置"},
        {"interface gpon 0/1",
         "password-auth",
         {"pw1", "pw345678901", "pw2"},
         "  % Parameter error, the error locates at '^'",
         "  % 参数错误，错误定位在'^'所指的位置"},
    };
    for (bool chinese : {false, true})
        for (const Case &c : cases) {
            SCOPED_TRACE(c.codes.join(' ').toStdString());
            Cli cli;
            cli.login(chinese);
            const size_t before = cli.device.onts.size();
            const QString out = cli.send(batch(c.interface, 1, c.auth, c.codes));
            EXPECT_EQ(out.count(QString::fromUtf8(chinese ? c.chinese : c.english) + "\r\n"), 1)
                << out.toStdString();
            EXPECT_EQ(cli.device.onts.size(), before + c.codes.size() - 1);
            EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
        }
}

TEST(SimBatch, AFullPortInOneWrite) {
    for (const int count : {128, 130}) {
        SCOPED_TRACE(count);
        Cli cli;
        cli.login(false);
        QList<QByteArray> codes;
        for (int k = 0; k < count; ++k)
            codes << "LOID-2-" + QByteArray::number(k);
        const QString out = cli.send(batch("interface gpon 0/1", 2, "loid-auth", codes));
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.right(400).toStdString();
        EXPECT_FALSE(cli.session->paging());
        EXPECT_EQ(out.count("  PortID :2, ONTID :"), 128);
        EXPECT_TRUE(out.contains("  PortID :2, ONTID :127\r\n"));
        EXPECT_EQ(out.count("  Failure: The number of ONTs on the port reaches the upper limit\r\n"),
                  count - 128);
        EXPECT_EQ(cli.device.ontsOn({0, 1, 2}).size(), 128u);
    }
}

// A device on the fibre answers the registration that carries its LOID or password.
TEST(SimBatch, RegisteredKeyComesUpWhenItsDeviceIsOnTheFibre) {
    struct Case {
        const char *plug; // control channel
        bool plugFirst;
        QByteArray script;
        const char *port; // of the ONT registered
        const char *runState;
        int waiting; // autofind entries left on the plugged port
    };
    const QByteArray gpon = "interface gpon 0/1\r\n", tail = "\r\n\r\nquit\r\n";
    const QByteArray loid = "ont add 2 loid-auth L-7 always-on omci ont-lineprofile-id 1 ont-srvprofile-id 1";
    const Case cases[] = {
        {"plug 0/1/2 sn 48575443AA000007 loid L-7", true, gpon + loid + tail, "0/1/2", "online", 0},
        {"plug 0/1/2 sn 48575443AA000007 loid L-7", false, gpon + loid + tail, "0/1/2", "online", 0},
        {"plug 0/1/3 sn 48575443AA000007 loid L-7", false, gpon + loid + tail, "0/1/2", "offline", 1},
        {"plug 0/1/2 sn 48575443AA000007 loid L-8", true, gpon + loid + tail, "0/1/2", "offline", 1},
        {"plug 0/3/2 mac 00E0-FC00-0007 password pw7", false,
         "interface epon 0/3\r\nont add 2 password-auth pw7 always-on oam ont-lineprofile-id 2 "
         "ont-srvprofile-id 2" +
             tail,
         "0/3/2", "online", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString(c.plug).toStdString() +
                     (c.plugFirst ? ", then registered" : ", registered first"));
        Cli cli;
        cli.login(false);
        if (c.plugFirst) {
            ASSERT_EQ(runControlCommand(cli.device, cli.faults, c.plug), "ok");
        }
        cli.send(c.script);
        if (!c.plugFirst) {
            ASSERT_EQ(runControlCommand(cli.device, cli.faults, c.plug), "ok");
        }
        EXPECT_EQ(ontAt(cli.device, c.port, 0)["runState"].toString(), c.runState);
        const auto plugged = PortRef::parse(QString(c.plug).section(' ', 1, 1));
        EXPECT_EQ(int(cli.device.autofindOn(*plugged).size()), c.waiting);
    }
}

TEST(SimBatch, ConfirmAllRegistersWhatWaitsInThePortsAutofindList) {
    struct Case {
        const char *plug; // a second device, or nullptr
        QByteArray script;
        const char *port;
        QStringList replies;
        QStringList keys; // "auth:key" of the ONTs registered, by id
        int left;         // autofind entries still waiting on the port
    };
    const QByteArray tail = "\r\n\r\nquit\r\n";
    const Case cases[] = {
        {"plug 0/1/1 sn 48575443AA000001",
         "interface gpon 0/1\r\nont confirm 1 all sn-auth omci ont-lineprofile-id 1 ont-srvprofile-id 1" +
             tail,
         "0/1/1",
         {"  Number of ONTs that can be added: 2, success: 2", "  PortID :1, ONTID :0",
          "  PortID :1, ONTID :1"},
         {"sn:4857544311E70E9A", "sn:48575443AA000001"},
         0},
        {nullptr,
         "interface epon 0/3\r\nont confirm 1 all mac-auth oam ont-lineprofile-id 2 ont-srvprofile-id 2" +
             tail,
         "0/3/1",
         {"  Number of ONTs that can be added: 1, success: 1", "  PortID :1, ONTID :0"},
         {"mac:00E0-FCAA-BBCC"},
         0},
        {"plug 0/1/1 sn 48575443AA000001 loid L-1",
         "interface gpon 0/1\r\nont confirm 1 all loid-auth always-on omci ont-lineprofile-id 1 "
         "ont-srvprofile-id 1" +
             tail,
         "0/1/1",
         {"  Number of ONTs that can be added: 2, success: 1", "  PortID :1, ONTID :0"},
         {"loid:L-1"},
         1}, // the other device there has no LOID
        {nullptr,
         "interface gpon 0/1\r\nont confirm 4 all sn-auth omci ont-lineprofile-id 1 ont-srvprofile-id 1" +
             tail,
         "0/1/4",
         {"  Failure: The automatically found ONTs do not exist"},
         {},
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script.toStdString());
        Cli cli;
        cli.login(false);
        if (c.plug) {
            ASSERT_EQ(runControlCommand(cli.device, cli.faults, c.plug), "ok");
        }
        const PortRef port = *PortRef::parse(c.port);
        const size_t elsewhere = cli.device.autofind.size() - cli.device.autofindOn(port).size();
        const QString out = cli.send(c.script);
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
        for (const QString &line : c.replies)
            EXPECT_TRUE(out.contains(line + "\r\n")) << line.toStdString() << out.toStdString();
        QStringList keys;
        for (const QJsonValue &v : dump(cli.device)["onts"].toArray())
            if (v["port"].toString() == c.port) {
                const QString auth = v["auth"].toString();
                keys << auth + ':' + v[auth].toString();
                EXPECT_EQ(v["runState"].toString(), "online");
            }
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(int(cli.device.autofindOn(port).size()), c.left);
        EXPECT_EQ(cli.device.autofind.size(), elsewhere + c.left) << "the other ports keep theirs";
    }
}

} // namespace
