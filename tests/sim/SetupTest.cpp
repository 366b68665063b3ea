// The console's commissioning and VLAN/IP scripts: what they change in the model, what the device
// answers, and that every one ends at the configuration prompt, in both languages.
#include "SetupCases.h"

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

// The one-key commissioning on an erased OLT, then an ONT on the profiles it made.
TEST(SimSetup, CommissioningAnErasedOltLetsOntsBeAdded) {
    const QByteArray script =
        "\r\nboard confirm 0\r\n\r\nidle-timeout 120\r\n\r\n\r\n\r\n"
        "dba-profile add profile-id 20 profile-name \"DBA_FTTH_4\" type4 max 51200\r\n\r\n"
        "ont-lineprofile gpon profile-id 10 profile-name \"GPON_LINE\"\r\n\r\n"
        "tcont 1 dba-profile-id 20\r\n\r\ngem add 1 eth tcont 1\r\n\r\ngem mapping 1 1 vlan 41\r\n"
        "\r\n\r\n\r\ncommit\r\n\r\nquit\r\n\r\n"
        "ont-srvprofile gpon profile-id 10 profile-name \"GPON_SRV\"\r\n\r\n"
        "ont-port pots adaptive eth adaptive\r\n\r\nport vlan eth 1 translation 41 user-vlan 41\r\n"
        "\r\n\r\n\r\ncommit\r\n\r\nquit\r\n\r\n\r\n"
        "ont-lineprofile epon profile-id 10 profile-name \"EPON_LINE\"\r\n\r\n"
        "llid dba-profile-id 20\r\n\r\ncommit\r\n\r\nquit\r\n\r\n"
        "ont-srvprofile epon profile-id 10 profile-name \"EPON_SRV\"\r\n\r\n"
        "ont-port pots adaptive eth adaptive\r\n\r\nport eth 1 multicast-tagstrip untag\r\n\r\n"
        "commit\r\n\r\nquit\r\n\r\n\r\n"
        "vlan 100 smart\r\ny\r\n\r\nport vlan 100 0/19 0-3\r\ny\r\n\r\n"
        "vlan desc 100 description \"HSI and TV\"\r\nvlan attrib 100 q-in-q\r\ny\r\n\r\n";
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        Device d = withFourUplinkPorts();
        eraseDevice(d);
        Cli cli(std::move(d));
        cli.login(chinese);
        const QString out = runAll(cli, script);
        EXPECT_FALSE(out.contains("^\r\n")) << out.toStdString();
        EXPECT_FALSE(out.contains(chinese ? QString::fromUtf8("失败") : "Failure")) << out.toStdString();
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
        const QString added = runAll(cli, "interface epon 0/3\r\nont add 1 mac-auth 00E0-FCAA-BBCC oam "
                                          "ont-lineprofile-id 10 ont-srvprofile-id 10\r\n\r\nquit\r\n"
                                          "interface gpon 0/1\r\nont add 1 sn-auth 4857544311E70E9A omci "
                                          "ont-lineprofile-id 10 ont-srvprofile-id 10\r\n\r\nquit\r\n");
        EXPECT_EQ(added.count(chinese ? QString::fromUtf8("成功: 1") : "success: 1"), 2)
            << added.toStdString();
        EXPECT_TRUE(added.endsWith("\r\nMA5680T(config)#"));

        const QJsonObject j = dump(cli.device);
        EXPECT_EQ(at(j, "onts|0/1/1|runState"), "online") << "its device waited on the fibre";
        EXPECT_EQ(at(j, "onts|0/3/1|lineProfile"), 10);
        EXPECT_EQ(at(j, "idleSeconds"), 7200);
        EXPECT_EQ(at(j, "dbaProfiles|20|max"), 51200);
        EXPECT_EQ(at(j, "lineProfiles|gpon:10|tconts"),
                  QJsonArray({QJsonObject{{"id", 1}, {"dbaProfile", 20}}}));
        EXPECT_EQ(at(j, "lineProfiles|gpon:10|mappings"),
                  QJsonArray({QJsonObject{{"gem", 1}, {"index", 1}, {"vlan", 41}}}));
        EXPECT_EQ(at(j, "lineProfiles|epon:10|llidDbaProfile"), 20);
        EXPECT_EQ(at(j, "srvProfiles|gpon:10|ethPorts"), "adaptive 8");
        EXPECT_EQ(at(j, "srvProfiles|epon:10|multicastTagstrip|1"), "untag");
        EXPECT_EQ(at(j, "vlans|100|ports"), strings({"0/19/0", "0/19/1", "0/19/2", "0/19/3"}));
        EXPECT_EQ(at(j, "vlans|100|desc"), "HSI and TV");
        EXPECT_EQ(at(j, "vlans|100|attrib"), "q-in-q");
    }
}

TEST(SimSetup, Vlans) {
    runCases({
        {"a mux VLAN", "vlan 41 mux\r\ny\r\n\r\n", {{"vlans|41|type", "mux"}}},
        {"not without the answer", "vlan 41 smart\r\nn\r\n\r\n", {{"vlans|41", kAbsent}}},
        {"attribute",
         "vlan 41 smart\r\ny\r\n\r\nvlan attrib 41 stacking\r\ny\r\n\r\n",
         {{"vlans|41|attrib", "stacking"}}},
        {"description with blanks",
         "vlan 41 smart\r\ny\r\n\r\nvlan desc 41 description \"HSI and TV\"\r\n",
         {{"vlans|41|desc", "HSI and TV"}}},
        {"description of one word", "vlan desc 100 description PPPOE_2\r\n", {{"vlans|100|desc", "PPPOE_2"}}},
        {"an existing VLAN",
         "vlan 100 standard\r\ny\r\n\r\n",
         {{"vlans|100|type", "smart"}},
         "  Failure: The VLAN already exists",
         "  失败：VLAN已经存在"},
        {"deleted", "vlan 41 smart\r\ny\r\n\r\nundo vlan 41\r\ny\r\n\r\n", {{"vlans|41", kAbsent}}},
        {"not while service ports use it",
         "undo vlan 3444\r\ny\r\n\r\n",
         {{"vlans|3444|id", 3444}},
         "  Failure: The VLAN is being used by service virtual ports",
         "  失败：VLAN正在被业务虚端口使用"},
        {"not while it has uplink ports",
         "vlan 41 smart\r\ny\r\n\r\nport vlan 41 0/19 1\r\ny\r\n\r\nundo vlan 41\r\ny\r\n\r\n",
         {{"vlans|41|ports", strings({"0/19/1"})}},
         "  Failure: The VLAN has standard ports, delete them first",
         "  失败：VLAN中存在标准端口，请先删除"},
        {"not while it has a VLAN interface",
         "vlan 41 smart\r\ny\r\n\r\ninterface vlanif 41\r\nquit\r\nundo vlan 41\r\ny\r\n\r\n",
         {{"vlans|41|id", 41}},
         "  Failure: The VLAN has a VLAN interface, delete it first",
         "  失败：VLAN存在VLAN接口，请先删除"},
    });
}

TEST(SimSetup, UplinkPortsAndNativeVlans) {
    runCases({
        {"one port",
         "port vlan 100 0/19 2\r\ny\r\n\r\n",
         {{"vlans|100|ports", strings({"0/19/0", "0/19/2"})}}},
        {"two", "port vlan 100 0/19 0-1\r\ny\r\n\r\n", {{"vlans|100|ports", strings({"0/19/0", "0/19/1"})}}},
        {"four",
         "port vlan 100 0/19 0-3\r\ny\r\n\r\n",
         {{"vlans|100|ports", strings({"0/19/0", "0/19/1", "0/19/2", "0/19/3"})}}},
        {"beyond the board's ports",
         "port vlan 100 0/19 0-5\r\ny\r\n\r\n",
         {{"vlans|100|ports", strings({"0/19/0"})}},
         "  Failure: The port does not exist",
         "  失败：端口不存在"},
        {"a PON board",
         "port vlan 100 0/1 0\r\ny\r\n\r\n",
         {{"vlans|100|ports", strings({"0/19/0"})}},
         "  Failure: The board type is wrong",
         "  失败：单板类型错误"},
        {"a range taken out",
         "port vlan 100 0/19 0-3\r\ny\r\n\r\nundo port vlan 100 0/19 1-2\r\ny\r\n\r\n",
         {{"vlans|100|ports", strings({"0/19/0", "0/19/3"})}}},
        {"all taken out",
         "port vlan 100 0/19 0-3\r\ny\r\n\r\nundo port vlan 100 0/19 all\r\ny\r\n\r\n",
         {{"vlans|100|ports", QJsonArray()}}},
        {"one that is not in it",
         "undo port vlan 100 0/19 3\r\ny\r\n\r\n",
         {{"vlans|100|ports", strings({"0/19/0"})}},
         "  Failure: The port is not in the VLAN",
         "  失败：端口不在该VLAN中"},
        {"native VLAN of a port",
         "interface giu 0/19\r\nnative-vlan 0 vlan 3444\r\nquit\r\n",
         {{"nativeVlans|0/19/0", 3444}, {"nativeVlans|0/19/1", kAbsent}}},
        {"native VLAN of all ports",
         "interface giu 0/19\r\nnative-vlan all vlan 100\r\nquit\r\n",
         {{"nativeVlans|0/19/0", 100}, {"nativeVlans|0/19/3", 100}}},
        {"native VLAN back to the default VLAN 1",
         "interface giu 0/19\r\nnative-vlan 0 vlan 100\r\nnative-vlan 0 vlan 1\r\nquit\r\n",
         {{"nativeVlans|0/19/0", kAbsent}}},
        {"native VLAN that does not exist",
         "interface giu 0/19\r\nnative-vlan 0 vlan 41\r\nquit\r\n",
         {{"nativeVlans|0/19/0", kAbsent}},
         "  Failure: The VLAN does not exist",
         "  失败：VLAN不存在"},
    });
}

TEST(SimSetup, AddressesRoutesAndArpProxy) {
    runCases({
        {"meth0",
         "interface meth0\r\nip address 192.168.1.10 255.255.255.0 description Telnet\r\nquit\r\n",
         {{"ipInterfaces|meth0|address", "192.168.1.10"}, {"ipInterfaces|meth0|description", "Telnet"}}},
        {"a VLAN interface, the mask as a length",
         "interface vlanif 100\r\nip address 10.10.10.2 24 description ManageVlan\r\nquit\r\n",
         {{"ipInterfaces|vlanif100|mask", "255.255.255.0"},
          {"ipInterfaces|vlanif100|description", "ManageVlan"}}},
        {"the interface of a VLAN that does not exist",
         "interface vlanif 41\r\n",
         {{"ipInterfaces|vlanif41", kAbsent}},
         "  Failure: The VLAN does not exist",
         "  失败：VLAN不存在"},
        {"a subnet that meth0 has",
         "interface vlanif 100\r\nip address 10.11.104.9 255.255.255.0\r\nquit\r\n",
         {{"ipInterfaces|vlanif100|address", ""}},
         "  Failure: The IP address conflicts with another interface",
         "  失败：IP地址与其他接口冲突"},
        {"the default route",
         "ip route-static 0.0.0.0 0.0.0.0 10.11.104.254 description DefaultRoute\r\n",
         {{"routes|0.0.0.0|gateway", "10.11.104.254"}, {"routes|0.0.0.0|description", "DefaultRoute"}}},
        {"a route gone",
         "ip route-static 10.0.0.0 8 10.11.104.254\r\nundo ip route-static 10.0.0.0 8\r\n",
         {{"routes", QJsonArray()}}},
        {"ARP proxy",
         "arp proxy enable\r\ninterface vlanif 100\r\narp proxy enable\r\n\r\nquit\r\n",
         {{"switches|arp proxy", true}, {"ipInterfaces|vlanif100|arpProxy", true}}},
        {"ARP proxy of a VLAN interface needs the global switch",
         "interface vlanif 100\r\narp proxy enable\r\n\r\nquit\r\n",
         {{"ipInterfaces|vlanif100|arpProxy", false}},
         "  Failure: The global ARP proxy is disabled",
         "  失败：全局ARP代理未使能"},
    });
}

TEST(SimSetup, MulticastVlansAndInterworking) {
    runCases({
        {"IGMP of a multicast VLAN",
         "multicast-vlan 3444\r\n\r\nigmp version v2\r\ny\r\n\r\nigmp mode off\r\ny\r\n\r\n"
         "igmp match mode disable\r\n\r\nigmp mode proxy\r\ny\r\n\r\nigmp uplink-port 0/19/0\r\n\r\nquit\r\n",
         {{"multicastVlans|3444|igmpVersion", "v2"},
          {"multicastVlans|3444|igmpMode", "proxy"},
          {"multicastVlans|3444|matchMode", false},
          {"multicastVlans|3444|uplinkPorts", strings({"0/19/0"})}}},
        {"not without the answer",
         "multicast-vlan 3444\r\nigmp mode proxy\r\nn\r\nquit\r\n",
         {{"multicastVlans|3444|igmpMode", "off"}}},
        {"a VLAN that does not exist",
         "multicast-vlan 41\r\n",
         {{"multicastVlans", QJsonArray()}},
         "  Failure: The VLAN does not exist",
         "  失败：VLAN不存在"},
        {"an uplink port on a PON board",
         "multicast-vlan 3444\r\nigmp uplink-port 0/1/0\r\nquit\r\n",
         {{"multicastVlans|3444|uplinkPorts", QJsonArray()}},
         "  Failure: The board type is wrong",
         "  失败：单板类型错误"},
        {"bridging between the users of VLANs",
         "vlan 200 smart\r\ny\r\nvlan 201 smart\r\ny\r\nvlan service-profile profile-id 1\r\n\r\n"
         "user-bridging enable\r\n\r\ncommit\r\nquit\r\nvlan bind service-profile 200-201 profile-id 1\r\n",
         {{"vlanServiceProfiles|1|userBridging", true},
          {"vlanServiceProfiles|1|committed", true},
          {"vlans|200|serviceProfile", 1},
          {"vlans|201|serviceProfile", 1}}},
        {"one VLAN bound",
         "vlan service-profile profile-id 1\r\nquit\r\nvlan bind service-profile 100 profile-id 1\r\n",
         {{"vlans|100|serviceProfile", 1}}},
        {"a range with a VLAN that does not exist",
         "vlan service-profile profile-id 1\r\nquit\r\nvlan bind service-profile 100-101 profile-id 1\r\n",
         {{"vlans|100|serviceProfile", kAbsent}},
         "  Failure: The VLAN does not exist",
         "  失败：VLAN不存在"},
        {"a profile that does not exist",
         "vlan bind service-profile 100 profile-id 9\r\n",
         {{"vlans|100|serviceProfile", kAbsent}},
         "  Failure: The VLAN service profile does not exist",
         "  失败：VLAN业务模板不存在"},
    });
}

// Everything the scripts set shows in the saved configuration, section by section, and a dump
// loads back to the same device.
TEST(SimSetup, TheConfigurationAndTheDumpKeepIt) {
    Cli cli(withFourUplinkPorts());
    cli.login(false);
    runAll(cli,
           "scroll 0\r\nvlan 200 smart\r\ny\r\n"
           "vlan service-profile profile-id 1\r\nuser-bridging enable\r\ncommit\r\nquit\r\n"
           "vlan bind service-profile 200 profile-id 1\r\n"
           "dba-profile add profile-id 20 profile-name \"DBA_FTTH_4\" type4 max 102400\r\n"
           "ont-lineprofile gpon profile-id 1\r\ntcont 1 dba-profile-id 20\r\ngem add 1 eth tcont 1\r\n"
           "gem mapping 1 1 vlan 41\r\ncommit\r\nquit\r\n"
           "interface giu 0/19\r\nnative-vlan 1 vlan 100\r\nquit\r\n"
           "interface meth0\r\nip address 192.168.1.10 255.255.255.0 description Telnet\r\nquit\r\n"
           "interface vlanif 100\r\nip address 10.10.10.2 255.255.255.0 description ManageVlan\r\nquit\r\n"
           "arp proxy enable\r\ninterface vlanif 100\r\narp proxy enable\r\nquit\r\n"
           "multicast-vlan 3444\r\nigmp version v2\r\ny\r\nigmp mode proxy\r\ny\r\n"
           "igmp uplink-port 0/19/0\r\nquit\r\n"
           "ip route-static 0.0.0.0 0.0.0.0 10.10.10.1 description DefaultRoute\r\n");
    const QStringList lines = cli.reply("display current-configuration").split("\r\n");
    const QStringList inOrder = {
        " arp proxy enable",
        "[vlan-config]",
        " vlan service-profile profile-id 1",
        "  user-bridging enable",
        " vlan bind service-profile 200 profile-id 1",
        "[abs-config]",
        " dba-profile add profile-id 20 profile-name \"DBA_FTTH_4\" type4 max 102400",
        " ont-lineprofile gpon profile-id 1 profile-name \"FTTH_LINE\"",
        "  tcont 1 dba-profile-id 20",
        "  gem add 1 eth tcont 1",
        "  gem mapping 1 1 vlan 41",
        "  commit",
        "[giu]",
        "  <giu-0/19>",
        " interface giu 0/19",
        " native-vlan 1 vlan 100",
        "[meth]",
        " ip address 192.168.1.10 255.255.255.0 description Telnet",
        "[vlanif]",
        "  <vlanif100>",
        " interface vlanif100",
        " ip address 10.10.10.2 255.255.255.0 description ManageVlan",
        " arp proxy enable",
        "[btv-config]",
        " multicast-vlan 3444",
        "  igmp version v2",
        "  igmp mode proxy",
        "  igmp uplink-port 0/19/0",
        "[post-system]",
        " ip route-static 0.0.0.0 0.0.0.0 10.10.10.1 description DefaultRoute",
        "return",
    };
    qsizetype from = 0;
    for (const QString &want : inOrder) {
        const qsizetype found = lines.indexOf(want, from);
        EXPECT_GE(found, 0) << want.toStdString() << " missing or out of order";
        if (found >= 0) from = found + 1;
    }

    const QJsonObject j = dump(cli.device);
    ScenarioResult again = scenarioFromJson(QJsonDocument(j).toJson());
    ASSERT_TRUE(again.device) << again.error.toStdString();
    EXPECT_EQ(dump(*again.device), j);
}

// Wrong arguments get the caret and change nothing; a mode entered first stays as it was.
TEST(SimSetup, BadArgumentsChangeNothing) {
    struct Bad {
        const char *mode; // entered first, or empty
        const char *line;
    };
    const Bad cases[] = {
        {"", "vlan 4094 smart"},
        {"", "vlan 41 huge"},
        {"", "vlan desc 100 description"},
        {"", "vlan bind service-profile 5-2 profile-id 1"},
        {"", "port vlan 100 0/19 3-1"},
        {"", "port vlan 100 19 0"},
        {"", "undo port vlan 100 0/19 some"},
        {"", "ip route-static 1.2.3 0 1.1.1.1"},
        {"", "ip route-static 0.0.0.0 255.0.255.0 1.1.1.1"},
        {"", "ip route-static 0.0.0.0 0 224.0.0.1"},
        {"", "dba-profile add profile-id 20 type9 max 51200"},
        {"", "interface meth1"},
        {"", "interface vlanif 5000"},
        {"", "arp proxy maybe"},
        {"ont-lineprofile gpon profile-id 1", "gem mapping 1 9 vlan 41"},
        {"ont-lineprofile gpon profile-id 1", "tcont x dba-profile-id 1"},
        {"ont-lineprofile gpon profile-id 1", "gem add 1 voice tcont 1"},
        {"ont-srvprofile gpon profile-id 1", "ont-port eth lots"},
        {"ont-srvprofile gpon profile-id 1", "port vlan eth 1 translation 41 user-vlan"},
        {"ont-srvprofile gpon profile-id 1", "multicast-forward sometimes"},
        {"interface meth0", "ip address 10.0.0.0 255.255.255.0"},
        {"interface meth0", "ip address 1.2.3.4 255.0.255.0"},
        {"interface meth0", "ip address 1.2.3.4 255.255.255.0 note x"},
        {"multicast-vlan 3444", "igmp version v9"},
        {"multicast-vlan 3444", "igmp uplink-port 0/19"},
        {"multicast-vlan 3444", "igmp uplink-port 0/19/7"},
        {"interface giu 0/19", "native-vlan 9 vlan 100"},
        {"interface giu 0/19", "native-vlan 0 vlan x"},
        {"vlan service-profile profile-id 1", "user-bridging perhaps"},
    };
    for (const Bad &c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " / " + c.line);
        Cli cli(withFourUplinkPorts());
        cli.login(false);
        if (*c.mode) cli.run(c.mode);
        const QJsonObject before = dump(cli.device);
        const QString out = cli.run(c.line);
        EXPECT_TRUE(out.contains("^\r\n")) << out.toStdString();
        EXPECT_EQ(dump(cli.device), before);
    }
}

} // namespace