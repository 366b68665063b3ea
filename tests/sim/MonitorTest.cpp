// The console's query scripts: every one answers in the device's layout, in both languages, and
// leaves the CLI in configuration mode; the answers follow the model.
#include "SimDriver.h"

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

// What the console does: the script in one write, then a key for every page.
QString runScript(Cli &cli, const QByteArray &script) {
    QString out = cli.send(script);
    while (cli.session->paging())
        out += cli.send(" ");
    return out;
}

TEST(SimMonitor, EveryQueryScriptAnswersAndEndsInConfigurationMode) {
    struct Case {
        QByteArray script;
        const char *english; // a line of the reply
        const char *chinese; // nullptr: the same line
    };
    const QByteArray giu = "interface giu 0/19\r\n";
    const Case cases[] = {
        {"display DBA-profile all\r\n", "           9     4         No         0         0   1024000      0",
         nullptr},
        {"display ont-lineprofile gpon all\r\n",
         "  1           FTTH_LINE                                   3", nullptr},
        {"display ont-lineprofile epon all\r\n",
         "  2           EPON_LINE                                   1", nullptr},
        {"display ont-srvprofile gpon all\r\n", "  Total: 1", "  总数: 1"},
        {"display ont-srvprofile epon all\r\n", "  2           EPON_SRV                                    1",
         nullptr},
        {"display board 0/8\r\n", "  Failure: The board does not exist", "  失败：该板不存在"},
        {"display board 0/1\r\n", "    7     GPON        0              20             Online",
         "    7     GPON        0              20             在位"},
        {"display board 0\r\n", "  19      H801GICF   Normal          ",
         "  19      H801GICF   正常            "},
        {"display vlan all\r\n\r\n",
         "    3444  smart    common                  1              1             -", nullptr},
        {"display vlan loop\r\n", "  Failure: There is no loop in VLANs", "  失败：VLAN中不存在环路"},
        {"display vlan number\r\n", "  smart: 2", nullptr},
        {"display ip routing-table\r\n\r\n",
         "           0.0.0.0/0  Static  60   0            RD 10.11.104.1     meth0", nullptr},
        {"display ip interface brief\r\n\r\n",
         "  meth0                             10.11.104.2/24       up         up", nullptr},
        {"display ip statistics\r\n", "  Output:  packets 1744120, forwarded 0, dropped 0",
         "  发送:    报文 1744120, 转发 0, 丢弃 0"},
        {"display temperature 0\r\n", "  SlotID: 19      BoardName: H801GICF       Temperature:   39C( 102F)",
         "  槽位号: 19      单板名称: H801GICF       温度:   39C( 102F)"},
        {"display power 0/8\r\n", "  Failure: The board does not exist", "  失败：该板不存在"},
        {"display power 0\r\n", "  Total power consumption(W): 218", "  总功耗(W): 218"},
        {"display runstat callinfo\r\n", "  CPU occupancy     : 12%", "  CPU占用率         : 12%"},
        {"display version\r\n\r\n", "  PRODUCT : MA5680T", nullptr},
        {"display current-configuration\r\n\r\n",
         " ont add 0 0 sn-auth \"485754430A1B2C3D\" omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc "
         "\"li_100-1\"",
         nullptr},
        {"display io-packetfile information\r\n\r\n", "  19      H801GICF   io_gicf.bin        loaded",
         "  19      H801GICF   io_gicf.bin        已加载"},
        {"display progress load\r\n\r\n", "  Failure: No loading operation is in progress",
         "  失败：当前没有正在进行的加载操作"},
        {"display progress upgrade\r\n\r\n", "  Failure: No upgrade operation is in progress",
         "  失败：当前没有正在进行的升级操作"},
        {giu + "display port ddm-info 0\r\nquit\r\n",
         "  Rx optical power(dBm)     -5.21          [-20.00,-1.00]     [-18.00,-2.00]",
         "  接收光功率(dBm)           -5.21          [-20.00,-1.00]     [-18.00,-2.00]"},
        {"display data sync state\r\n\r\n", "  Failure: The standby control board is not normal",
         "  失败：备用主控板状态不正常"},
        {"display  statistics  global\r\n", "  ONTs automatically found: 2", "  自动发现的ONT数         : 2"},
        {"display arp all\r\n\r\n", "  10.11.104.1     0018-8268-6801  -     meth0      dynamic",
         "  10.11.104.1     0018-8268-6801  -     meth0      动态"},
        {giu + "display port state 0\r\ndisplay port state 1\r\nquit\r\n",
         "     1  GE   normal       1  -      1000      full      off    active   online",
         "     1  GE   正常         1  -      1000      全双工    关闭   激活     在线"},
        {"display rogueont 0 all\r\n", "  Failure: There is no rogue ONT", "  失败：不存在流氓ONT"},
        {giu + "display traffic-suppress all\r\n     \r\nquit\r\n",
         "     1  7                 7                 7", nullptr},
        {"display port  vlan 0/19/0\r\n", "   3444  smart    common", nullptr},
        {giu + "display port state  all\r\nquit\r\n",
         "     0  GE   normal       1  -      1000      full      off    active   online",
         "     0  GE   正常         1  -      1000      全双工    关闭   激活     在线"},
        {giu + "display port ddm-info 0\r\ndisplay port ddm-info 1\r\nquit\r\n",
         "  Tx optical power(dBm)     -4.75          [-11.00,-2.00]     [-10.00,-3.00]",
         "  发送光功率(dBm)           -4.75          [-11.00,-2.00]     [-10.00,-3.00]"},
        {giu + "display  port  opticstate all\r\nquit\r\n",
         "     1  normal        1000Base-LX   1310            10000",
         "     1  正常          1000Base-LX   1310            10000"},
        {giu + "display port traffic 0\r\ndisplay port traffic 1\r\nquit\r\n",
         "  Output rate(Mbps)             : 12.10", "  出方向速率(Mbps)              : 12.10"},
    };
    for (bool chinese : {false, true})
        for (const Case &c : cases) {
            SCOPED_TRACE((chinese ? "Chinese: " : "English: ") + c.script.toStdString());
            Cli cli;
            cli.login(chinese);
            const QString out = runScript(cli, c.script);
            const char *line = chinese && c.chinese ? c.chinese : c.english;
            EXPECT_TRUE(out.contains(QString::fromUtf8(line) + "\r\n")) << out.toStdString();
            EXPECT_FALSE(out.contains("^\r\n")) << out.toStdString();
            EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
            EXPECT_TRUE(cli.run("display time").contains(cli.device.now)) << "no question is left open";
        }
}

// Displays that read the model: a change first, then the line it makes the display print.
TEST(SimMonitor, DisplaysFollowTheModel) {
    struct Case {
        QByteArray change;
        QByteArray display;
        const char *shows;
        const char *gone; // a line the change removes, or nullptr
    };
    const Case cases[] = {
        {"vlan 200 smart\r\ny\r\nport vlan 200 0/19 1\r\ny\r\n", "display port vlan 0/19/1\r\n",
         "    200  smart    common", nullptr},
        {"", "display port vlan 0/1/0\r\n", "   3444  smart    common", nullptr}, // its service ports' VLANs
        {"dba-profile add profile-id 10 type4 max 102400\r\nont-lineprofile gpon profile-id 1\r\n"
         "tcont 1 dba-profile-id 10\r\ncommit\r\nquit\r\n",
         "display dba-profile all\r\n", "          10     4         No         0         0    102400      1",
         nullptr},
        {"board power-off 0/1\r\ny\r\n", "display temperature 0\r\n", "  SlotID:  3", "  SlotID:  1"},
        {"board power-off 0/1\r\ny\r\n", "display power 0\r\n", "  Total power consumption(W): 173", nullptr},
        {"interface emu 0\r\nfan speed adjust 5\r\nquit\r\n", "display temperature 0/19\r\n",
         "Temperature:   37C(  98F)", nullptr},
        {"interface vlanif 100\r\nip address 192.168.88.200 255.255.255.0\r\nquit\r\n"
         "ip route-static 0.0.0.0 0.0.0.0 192.168.88.254\r\n",
         "display ip routing-table\r\n\r\n",
         "           0.0.0.0/0  Static  60   0            RD 192.168.88.254  vlanif100",
         "  0.0.0.0/0  Static  60   0            RD 10.11.104.1"},
        {"interface vlanif 100\r\nip address 192.168.88.200 24\r\nquit\r\n",
         "display ip interface brief\r\n\r\n",
         "  vlanif100                         192.168.88.200/24    up         up", nullptr},
        {"interface vlanif 100\r\nip address 192.168.88.200 255.255.255.0\r\nquit\r\n"
         "ip route-static 0.0.0.0 0.0.0.0 192.168.88.254\r\n",
         "display arp all\r\n\r\n", "  192.168.88.254  0018-8258-58fe  100   0/19/0     dynamic", "meth0"},
        {"interface gpon 0/1\r\nont deactivate 0 0\r\nquit\r\n", "display  statistics  global\r\n",
         "  ONTs online             : 1", nullptr},
        {"interface giu 0/19\r\nnative-vlan 0 vlan 3444\r\nquit\r\n", "display port vlan 0/19/0\r\n",
         "  Total:  2      Native VLAN:  3444", "Native VLAN:  1"},
        {"interface vlanif 100\r\nquit\r\n", "display ip interface brief\r\n\r\n",
         "  vlanif100                         unassigned           up         down", nullptr},
        {"interface meth0\r\nip address 192.168.1.10 255.255.255.0 description Telnet\r\nquit\r\n",
         "display ip routing-table\r\n\r\n",
         "     192.168.1.0/24  Direct  0    0             D 192.168.1.10    meth0", "10.11.104.2"},
        {"ont-lineprofile gpon profile-id 7 profile-name \"GPON_X\"\r\nquit\r\n",
         "display ont-lineprofile gpon all\r\n",
         "  7           GPON_X                                      0", nullptr},
        {"dba-profile add profile-id 10 type4 max 102400\r\nont-lineprofile epon profile-id 2\r\n"
         "llid dba-profile-id 10\r\nquit\r\n",
         "display dba-profile all\r\n", "          10     4         No         0         0    102400      1",
         nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.change + c.display).toStdString());
        Cli cli;
        cli.login(false);
        const QString changed = runScript(cli, c.change);
        EXPECT_FALSE(changed.contains("^\r\n")) << changed.toStdString();
        const QString out = runScript(cli, c.display);
        EXPECT_TRUE(out.contains(c.shows)) << out.toStdString();
        if (c.gone) {
            EXPECT_FALSE(out.contains(c.gone)) << out.toStdString();
        }
    }

    Device d = smallDevice();
    d.boards[10].state = BoardState::StandbyNormal;
    Cli standby(std::move(d));
    standby.login(false);
    EXPECT_TRUE(runScript(standby, "display data sync state\r\n\r\n")
                    .contains("  Data sync state       : synchronized\r\n"));
    EXPECT_TRUE(runScript(standby, "display version\r\n\r\n")
                    .contains("  Standby Mainboard Running Area Information: \r\n"));
}

TEST(SimMonitor, BadArgumentsAreRefusedWithTheCaret) {
    for (const char *script :
         {"display temperature 9\r\n", "display power 0/x\r\n", "display io-packetfile info\r\n",
          "display progress now\r\n", "display data sync\r\n", "display statistics local\r\n",
          "display rogueont 0 some\r\n", "display port vlan 0/19\r\n", "display arp\r\n",
          "interface giu 0/19\r\ndisplay port state 2\r\nquit\r\n",
          "interface giu 0/19\r\ndisplay port ddm-info all\r\nquit\r\n"}) {
        SCOPED_TRACE(script);
        Cli cli;
        cli.login(false);
        const QString out = runScript(cli, script);
        EXPECT_TRUE(out.contains("^\r\n") || out.contains("  Failure: ")) << out.toStdString();
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
    }
}

// Another session may take the board away while a display waits for its answer.
TEST(SimMonitor, UplinkBoardGoneBeforeTheAnswer) {
    Cli cli;
    cli.login(false);
    cli.run("interface giu 0/19");
    EXPECT_TRUE(cli.run("display traffic-suppress all").endsWith("{ <cr>||<K> }:"));
    Board empty;
    empty.slot = 19;
    cli.device.boards[19] = empty;
    EXPECT_TRUE(cli.run("").contains("  Failure: The board does not exist\r\n"));
    EXPECT_TRUE(cli.run("display port state all").endsWith("\r\nMA5680T(config)#"));
}

} // namespace
