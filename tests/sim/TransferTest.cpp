// Backups, restores and ONT loading, in-process: the session asks for a transfer and a stand-in
// TFTP server answers it. What goes up, what a file brings back, and every way a transfer fails.
#include "ConfigLoad.h"
#include "SetupCases.h"

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

QByteArray gbk(const char *utf8) {
    return tw::toGbk(QString::fromUtf8(utf8));
}

// The text strictly between the first `left` and the next `right`, or nothing.
QString textBetween(const QString &text, const QString &left, const QString &right) {
    const qsizetype a = text.indexOf(left);
    if (a < 0) return {};
    const qsizetype b = text.indexOf(right, a + left.size());
    return b < 0 ? QString() : text.mid(a + left.size(), b - a - left.size());
}

// The console's extraction of registrations from a configuration backup, rule for rule.
QString extract(const QString &file, bool gpon) {
    const QString kind = gpon ? "gpon" : "epon";
    QString slot, out;
    for (const QString &line : textBetween(file, "[" + kind + "]", "[bbs-config]").split("\r\n")) {
        if (line.contains("interface " + kind)) slot = line.trimmed().remove("interface " + kind + " 0/");
        if (!line.contains(gpon ? "sn-auth" : "mac-auth")) continue;
        const QString x =
            textBetween(line, "ont add", gpon ? " omci" : " oam").remove(gpon ? " sn-auth" : " mac-auth");
        out += slot + x + " " + textBetween(line, "desc \"", "\"") + "\r\n";
    }
    return out;
}

TransferResult served(const QByteArray &data) {
    return {TransferResult::Outcome::Done, data, {}};
}

// The small device with something in every section of the configuration, and descriptions the
// CLI takes (the small device has one longer than that).
Device configuredDevice() {
    Cli cli(withFourUplinkPorts());
    cli.device.onts[1].desc = "wang_100-2";
    cli.login(false);
    runAll(cli,
           gbk("scroll 0\r\nvlan 200 smart\r\ny\r\n"
               "vlan service-profile profile-id 1\r\nuser-bridging enable\r\ncommit\r\nquit\r\n"
               "vlan bind service-profile 200 profile-id 1\r\n"
               "dba-profile add profile-id 20 profile-name \"DBA_20\" type4 max 102400\r\n"
               "interface giu 0/19\r\nnative-vlan 1 vlan 100\r\nquit\r\n"
               "arp proxy enable\r\ninterface vlanif 100\r\n"
               "ip address 10.10.10.2 255.255.255.0 description ManageVlan\r\narp proxy enable\r\nquit\r\n"
               "multicast-vlan 3444\r\nigmp version v2\r\ny\r\nigmp mode proxy\r\ny\r\n"
               "igmp uplink-port 0/19/0\r\nquit\r\n"
               "ip route-static 0.0.0.0 0.0.0.0 10.10.10.1 description DefaultRoute\r\n"
               "btv\r\nigmp user add service-port 10 no-auth max-program 8\r\nquit\r\n"
               "interface gpon 0/1\r\n"
               "ont add 1 loid-auth L-7 always-on omci ont-lineprofile-id 1 ont-srvprofile-id 1 "
               "desc \"LOID\"\r\n\r\n"
               "ont add 1 password-auth pw7 always-on omci ont-lineprofile-id 1 ont-srvprofile-id 1 "
               "desc \"口令\"\r\n\r\n"
               "ont add 1 sn-auth 48575443000000A1 omci ont-lineprofile-id 1 ont-srvprofile-id 1 "
               "desc \"东区3号楼\"\r\n\r\n"
               "ont ipconfig 0 0 static ip-address 192.168.9.9\r\n"
               "port 1 ont-auto-find disable\r\nquit\r\n"
               "interface epon 0/3\r\n"
               "ont add 1 mac-auth 00e0-fc00-0001 oam ont-lineprofile-id 2 ont-srvprofile-id 2 "
               "desc \"西区\"\r\n\r\nquit\r\n"
               "service-port vlan 200 gpon 0/1/1 ont 2 gemport 1 multi-service user-vlan 200 "
               "tag-transform translate\r\n\r\n"));
    return std::move(cli.device);
}

TEST(SimTransfer, ConfigurationBackupIsWhatTheConsoleExtracts) {
    Cli cli(configuredDevice());
    cli.login();
    cli.tftp = [](const TransferRequest &) { return served({}); };
    const QString out = cli.send("backup configuration tftp 10.11.104.1 MA5680T.cfg\r\ny\r\n");
    ASSERT_EQ(cli.transfers.size(), 1u);
    const TransferRequest &put = cli.transfers[0];
    EXPECT_EQ(put.direction, TransferRequest::Direction::Put);
    EXPECT_EQ(put.server, "10.11.104.1");
    EXPECT_EQ(put.file, "MA5680T.cfg");
    EXPECT_TRUE(put.data.contains(gbk("desc \"东区3号楼\""))) << "the file is GBK";
    EXPECT_TRUE(out.endsWith(QString::fromUtf8("  文件备份成功\r\n\r\nMA5680T(config)#")))
        << out.toStdString();

    // Registrations by SN and by MAC, slot by slot; LOID and password registrations are not listed.
    const QString file = tw::fromGbk(put.data);
    EXPECT_EQ(extract(file, true), QString::fromUtf8("1 0 0 \"485754430A1B2C3D\" li_100-1\r\n"
                                                     "1 0 1 \"48575443DEADBEEF\" wang_100-2\r\n"
                                                     "1 0 2 \"5A54454700C0FFEE\" zhao_100-3\r\n"
                                                     "1 1 2 \"48575443000000A1\" 东区3号楼\r\n"));
    EXPECT_EQ(extract(file, false), QString::fromUtf8("3 0 0 00E0-FC11-2233 chen_300-1\r\n"
                                                      "3 1 0 00E0-FC00-0001 西区\r\n"));
    EXPECT_GT(file.indexOf(" vlan 200 gpon 0/1/1 ont 2 gemport 1 multi-service user-vlan 200 tag-transform "
                           "translate\r\n"),
              file.indexOf("[bbs-config]"))
        << "the service ports follow in [bbs-config]";
}

// Whatever the configuration holds, made active again, gives the same configuration: the file's
// lines come back in their order (the factory profiles 0 join them).
TEST(SimTransfer, EveryLineOfTheConfigurationLoadsBack) {
    const Device device = configuredDevice();
    const QString text = renderCurrentConfiguration(device);
    const ConfigurationResult again = deviceFromConfiguration(device, text);
    EXPECT_TRUE(again.rejected.isEmpty()) << again.rejected.join('\n').toStdString();
    const QStringList now = renderCurrentConfiguration(again.device).split("\r\n");
    qsizetype from = 0;
    for (const QString &line : text.split("\r\n")) {
        const qsizetype found = now.indexOf(line, from);
        EXPECT_GE(found, 0) << line.toStdString() << " missing or out of order";
        if (found >= 0) from = found + 1;
    }
}

TEST(SimTransfer, ActivatingALoadedConfigurationRestartsWithIt) {
    Cli cli;
    cli.device.onts[1].desc = "wang_100-2";
    cli.login();
    cli.send("backup configuration tftp 10.11.104.1 MA5680T.cfg\r\ny\r\n");
    const QByteArray backup = cli.transfers.at(0).data;
    cli.send("undo service-port 12\r\ninterface gpon 0/1\r\nont delete 0 2\r\ny\r\nquit\r\n");
    ASSERT_EQ(cli.device.ont({0, 1, 0}, 2), nullptr);

    EXPECT_TRUE(
        cli.send("active  configuration  system\r\ny\r\n").contains(QString::fromUtf8("没有加载的配置文件")))
        << "nothing is loaded yet";
    cli.tftp = [&](const TransferRequest &r) {
        EXPECT_EQ(r.direction, TransferRequest::Direction::Get);
        return served(backup);
    };
    EXPECT_TRUE(cli.send("load configuration tftp 10.11.104.1 MA5680T.cfg all\r\ny\r\n")
                    .contains(QString::fromUtf8("配置文件加载成功")));
    EXPECT_EQ(cli.device.ont({0, 1, 0}, 2), nullptr) << "loading alone changes nothing";
    const QString out = cli.send("active  configuration  system\r\ny\r\n");
    EXPECT_TRUE(out.endsWith(QString::fromUtf8("  配置已激活，系统正在复位，请稍候...\r\n")))
        << out.toStdString();
    EXPECT_TRUE(cli.session->closing() && cli.session->restarting());
    EXPECT_EQ(cli.device.ont({0, 1, 0}, 2), nullptr) << "the device builds its configuration as it boots";
    activateNow(cli.device);
    const Ont *back = cli.device.ont({0, 1, 0}, 2);
    ASSERT_NE(back, nullptr) << "the deleted ONT is registered again";
    EXPECT_TRUE(back->plugged) << "its device is still on the fibre";
    EXPECT_FALSE(back->active) << "deactivated, as the file has it";
    EXPECT_NE(cli.device.servicePort(12), nullptr);
    EXPECT_TRUE(cli.device.loadedConfiguration.isEmpty()) << "the loaded file is used up";
}

TEST(SimTransfer, DatabaseBackupRestoresTheModel) {
    Cli cli;
    cli.login();
    const QJsonObject before = dump(cli.device);
    cli.send("backup data tftp 10.11.104.1 MA5680T.dat\r\ny\r\n");
    ASSERT_EQ(cli.transfers.size(), 1u);
    const QByteArray database = cli.transfers[0].data;
    cli.send("vlan 300 smart\r\nundo service-port 12\r\ninterface gpon 0/1\r\n"
             "ont modify 0 0 desc \"changed\"\r\nquit\r\n");
    ASSERT_NE(dump(cli.device), before);

    cli.tftp = [&](const TransferRequest &) { return served(database); };
    const QString out = cli.send("load data tftp 10.11.104.1 MA5680T.dat all\r\ny\r\n");
    EXPECT_TRUE(out.contains(QString::fromUtf8("数据文件加载成功"))) << out.toStdString();
    EXPECT_TRUE(out.endsWith("MA5680T(config)#")) << "the session goes on";
    EXPECT_EQ(dump(cli.device), before);
    Device saved = *cli.device.saved;
    EXPECT_EQ(dump(saved), before) << "and the device starts with it";
}

// Every way a transfer can end badly: the device's failure text, the prompt, nothing changed.
TEST(SimTransfer, FailedTransfersSayWhyAndChangeNothing) {
    const TransferResult timedOut{TransferResult::Outcome::TimedOut, {}, {}};
    const TransferResult notFound{TransferResult::Outcome::Refused, {}, "File not found"};
    const TransferResult tooLarge{TransferResult::Outcome::Failed, {}, "the file is too large"};
    struct Case {
        const char *script;
        TransferResult result;
        const char *text;
    };
    const Case cases[] = {
        {"backup configuration tftp 10.11.104.1 MA5680T.cfg\r\ny\r\n", timedOut,
         "失败：TFTP服务器无响应，操作超时"},
        {"backup data tftp 10.11.104.1 MA5680T.dat\r\ny\r\n", notFound,
         "失败：TFTP服务器拒绝传输：File not found"},
        {"load configuration tftp 10.11.104.1 MA5680T.cfg all\r\ny\r\n", notFound,
         "失败：TFTP服务器拒绝传输：File not found"},
        {"load data tftp 10.11.104.1 MA5680T.dat all\r\ny\r\n", tooLarge,
         "失败：文件传输失败：the file is too large"},
        {"load data tftp 10.11.104.1 MA5680T.dat all\r\ny\r\n", served("not a database"),
         "失败：文件为空或无效"},
        {"load configuration tftp 10.11.104.1 MA5680T.cfg all\r\ny\r\n", served("\x01\x02"),
         "失败：文件为空或无效"},
        {"load configuration tftp 10.11.104.1 MA5680T.cfg all\r\ny\r\n", served(databaseFile(smallDevice())),
         "失败：文件为空或无效"},
        {"diagnose\r\nont-load info program ont.bin tftp 10.11.104.1\r\n", timedOut,
         "失败：TFTP服务器无响应，操作超时"},
        {"diagnose\r\nont-load info program ont.bin tftp 10.11.104.1\r\n", served(""),
         "失败：文件为空或无效"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        Cli cli;
        cli.login();
        const QJsonObject before = dump(cli.device);
        cli.tftp = [&](const TransferRequest &) { return c.result; };
        const QString out = cli.send(c.script);
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.text))) << out.toStdString();
        EXPECT_TRUE(out.endsWith("\r\n" + cli.session->prompt())) << out.toStdString();
        EXPECT_TRUE(cli.device.loadedConfiguration.isEmpty());
        EXPECT_FALSE(cli.device.ontLoad.fileReady);
        EXPECT_EQ(dump(cli.device), before);
    }
}

// While a transfer runs the session says nothing; what was typed meanwhile runs after its prompt.
TEST(SimTransfer, InputTypedDuringATransferWaitsForIt) {
    Device device = smallDevice();
    Faults faults;
    Session s(device, faults);
    s.start();
    s.receive("root\r\nadmin\r\nenable\r\nconfig\r\n");
    const QString during = decode(
        s.receive("backup data tftp 10.11.104.1 MA5680T.dat\r\ny\r\ndisplay board 0\r\nsysname X\r\n"));
    EXPECT_TRUE(during.endsWith("(y/n)[n]:y\r\n")) << during.toStdString();
    EXPECT_TRUE(s.transferring());
    EXPECT_TRUE(decode(s.receive("scroll 0\r\n")).isEmpty());
    EXPECT_EQ(device.sysname, "MA5680T");
    ASSERT_TRUE(s.takeTransfer().has_value());
    EXPECT_FALSE(s.takeTransfer().has_value()) << "given out once";

    const QString after = decode(s.transferDone({TransferResult::Outcome::Done, {}, {}}));
    const qsizetype done = after.indexOf("The file is backed up successfully");
    const qsizetype board = after.indexOf("display board 0");
    ASSERT_GE(done, 0);
    EXPECT_GT(board, after.indexOf("MA5680T(config)#", done)) << "the typed line follows the prompt";
    EXPECT_GT(after.indexOf("H801GICF", board), board);
    EXPECT_EQ(device.sysname, "X");
    EXPECT_TRUE(after.endsWith("X(config)#scroll 0\r\n\r\nX(config)#")) << after.toStdString();
}

struct LoadCli : Cli {
    qint64 now = 0;
    explicit LoadCli()
        : Cli(smallDevice(), SessionOptions{.ontLoadMs = 1000, .clock = [this] { return now; }}) {
        // 0/1/0 ONT 2 is deactivated; a second ONT that answers joins it on port 0/1/1.
        AutofindEntry e;
        e.at = {0, 1, 1};
        e.sn = "48575443000000B1";
        plugOnt(device, e);
        login();
        send("interface gpon 0/1\r\nont add 1 sn-auth 48575443000000B1 omci ont-lineprofile-id 1 "
             "ont-srvprofile-id 1\r\n\r\nquit\r\ndiagnose\r\n");
        tftp = [](const TransferRequest &r) {
            return served(r.file == "ont.bin" ? QByteArray("V5R020C00S100\n\x7f\x45\x4c\x46")
                                              : QByteArray("<xml/>"));
        };
    }
    QString software(PortRef at, int id) const { return device.ont(at, id)->software; }
};

TEST(SimOntLoad, APackageLoadsOntoOneOntOverTime) {
    LoadCli cli;
    EXPECT_TRUE(cli.send("ont-load info program ont.bin tftp 10.11.104.1\r\n\r\n")
                    .contains(QString::fromUtf8("提示：加载文件已就绪，大小：18字节")));
    EXPECT_EQ(cli.transfers.back().file, "ont.bin");
    cli.send("ont-load select 0/1 0 0\r\n\r\nont-load start activemode immediate\r\n\r\n");
    const QString old = cli.software({0, 1, 0}, 0);

    cli.now = 400;
    QString progress = cli.reply("display ont-load select 0/1 0 0");
    EXPECT_TRUE(progress.contains(QString::fromUtf8("  0/ 1/0    0       正在加载    40%")))
        << progress.toStdString();
    EXPECT_EQ(cli.software({0, 1, 0}, 0), old);

    cli.now = 1000;
    EXPECT_TRUE(cli.reply("display ont-load info").contains(QString::fromUtf8("已结束")));
    const QString version = cli.reply("display ont version 0 1 0 0");
    EXPECT_TRUE(version.contains("V5R020C00S100")) << version.toStdString();
    EXPECT_EQ(cli.device.ont({0, 1, 0}, 0)->standbySoftware, old);
    EXPECT_NE(cli.software({0, 1, 1}, 0), "V5R020C00S100") << "only the selected ONT";
    EXPECT_TRUE(cli.send("ont-load stop\r\n").contains(QString::fromUtf8("ONT加载已停止")));
    EXPECT_TRUE(cli.send("quit\r\nconfig\r\n").endsWith("MA5680T(config)#"));
}

TEST(SimOntLoad, APortLoadsForTheNextStartupAndAnOntThatDoesNotAnswerFails) {
    LoadCli cli;
    cli.send("ont-load info program ont.bin tftp 10.11.104.1\r\n\r\n"
             "ont-load select 0/1 0 \r\n\r\nont-load start activemode next-startup\r\n\r\n");
    cli.now = 5000;
    const QString table = cli.reply("display ont-load select 0/1  ");
    EXPECT_TRUE(table.contains(QString::fromUtf8("ONT总数：3，成功：1，失败：2"))) << table.toStdString();
    EXPECT_TRUE(table.contains(QString::fromUtf8("  0/ 1/0    2       失败        0%        ONT不在线\r\n")));
    const Ont *loaded = cli.device.ont({0, 1, 0}, 0);
    EXPECT_EQ(loaded->standbySoftware, "V5R020C00S100");
    EXPECT_NE(loaded->software, "V5R020C00S100") << "it takes effect at the ONT's next start";
    EXPECT_NE(cli.software({0, 1, 0}, 2), "V5R020C00S100") << "the deactivated ONT is not loaded";

    cli.send("quit\r\ninterface gpon 0/1\r\nont reset 0 0\r\ny\r\nquit\r\n");
    EXPECT_EQ(cli.software({0, 1, 0}, 0), "V5R020C00S100");
}

TEST(SimOntLoad, TheOrderOfTheStepsIsChecked) {
    const std::pair<const char *, const char *> cases[] = {
        {"ont-load start\r\n", "失败：未设置加载文件"},
        {"ont-load info program ont.bin tftp 10.11.104.1\r\nont-load start\r\n", "失败：没有选择要加载的ONT"},
        {"ont-load select 0/7\r\n", "失败：该板不存在"},
        {"ont-load select 0/19 0\r\n", "失败：单板类型错误"},
        {"ont-load select 0/1 0 9\r\n", "失败：ONT不存在"},
        {"ont-load select 0/1 9\r\n", "失败：端口不存在"},
        {"ont-load stop\r\n", "失败：当前没有ONT在加载"},
        {"display ont-load info\r\n", "失败：未设置加载文件"},
        {"ont-load info program ont.bin tftp 10.11.104.1\r\nont-load select 0/1\r\nont-load start\r\n"
         "ont-load info configuration a.xml tftp 10.11.104.1\r\n",
         "失败：ONT正在加载"},
    };
    for (const auto &[script, text] : cases) {
        SCOPED_TRACE(script);
        LoadCli cli;
        EXPECT_TRUE(cli.send(script).contains(QString::fromUtf8(text)));
    }
}

} // namespace
