// Profiles from the console's commissioning scripts: created, changed, refused and committed as
// the device does it, in both languages.
#include "SetupCases.h"

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

TEST(SimProfiles, CreatedChangedAndRefused) {
    const QByteArray line = "ont-lineprofile gpon profile-id 7 profile-name \"GPON_X\"\r\n";
    runCases({
        {"a line profile",
         line + "tcont 1 dba-profile-id 3\r\ngem add 1 eth tcont 1\r\ngem mapping 1 1 vlan 41\r\n"
                "gem mapping 1 2 vlan 45\r\ncommit\r\nquit\r\n",
         {{"lineProfiles|gpon:7|name", "GPON_X"},
          {"lineProfiles|gpon:7|committed", true},
          {"lineProfiles|gpon:7|mappings",
           QJsonArray({QJsonObject{{"gem", 1}, {"index", 1}, {"vlan", 41}},
                       QJsonObject{{"gem", 1}, {"index", 2}, {"vlan", 45}}})}}},
        {"uncommitted edits",
         line + "tcont 1 dba-profile-id 3\r\nquit\r\n",
         {{"lineProfiles|gpon:7|committed", false}}},
        {"a T-CONT on a DBA profile that does not exist",
         line + "tcont 1 dba-profile-id 77\r\nquit\r\n",
         {{"lineProfiles|gpon:7|tconts", kAbsent}},
         "  Failure: The DBA profile does not exist",
         "  失败：DBA模板不存在"},
        {"a GEM port on a T-CONT the profile lacks",
         line + "gem add 1 eth tcont 1\r\nquit\r\n",
         {{"lineProfiles|gpon:7|gems", kAbsent}},
         "  Failure: The T-CONT does not exist",
         "  失败：T-CONT不存在"},
        {"a mapping on an undefined GEM port",
         line + "tcont 1 dba-profile-id 3\r\ngem mapping 1 1 vlan 41\r\nquit\r\n",
         {{"lineProfiles|gpon:7|mappings", kAbsent}},
         "  Failure: The GEM index does not exist",
         "  失败：GEM索引不存在"},
        {"an existing profile renamed",
         "ont-lineprofile gpon profile-id 1 profile-name \"RENAMED\"\r\nquit\r\n",
         {{"lineProfiles|gpon:1|name", "RENAMED"}}},
        {"the name of another profile",
         "ont-lineprofile gpon profile-id 7 profile-name \"FTTH_LINE\"\r\n",
         {{"lineProfiles|gpon:7", kAbsent}},
         "  Failure: The profile name already exists",
         "  失败：模板名称已经存在"},
        {"the LLID of an EPON profile",
         "ont-lineprofile epon profile-id 2\r\nllid dba-profile-id 3\r\ncommit\r\nquit\r\n",
         {{"lineProfiles|epon:2|llidDbaProfile", 3}}},
        {"a T-CONT in an EPON profile",
         "ont-lineprofile epon profile-id 2\r\ntcont 1 dba-profile-id 3\r\nquit\r\n",
         {{"lineProfiles|epon:2|tconts", kAbsent}},
         "  % Unknown command, the error locates at '^'",
         "  % 未知命令，错误定位在'^'所指的位置"},
        {"a service profile",
         "ont-srvprofile gpon profile-id 1\r\nont-port pots adaptive eth adaptive\r\n"
         "port vlan eth 1 translation 41 user-vlan 41\r\nport eth 1 multicast-tagstrip untag\r\n"
         "multicast-forward untag\r\ncommit\r\nquit\r\n",
         {{"srvProfiles|gpon:1|potsPorts", "adaptive 32"},
          {"srvProfiles|gpon:1|portVlans",
           QJsonArray({QJsonObject{{"port", 1}, {"vlan", 41}, {"userVlan", 41}}})},
          {"srvProfiles|gpon:1|multicastForward", "untag"}}},
        {"a port the ONT does not have",
         "ont-srvprofile gpon profile-id 1\r\nont-port eth 4\r\n"
         "port vlan eth 5 translation 41 user-vlan 41\r\nquit\r\n",
         {{"srvProfiles|gpon:1|portVlans", kAbsent}},
         "  Failure: The port does not exist",
         "  失败：端口不存在"},
        {"a DBA profile",
         "dba-profile add profile-id 20 profile-name \"DBA_FTTH_4\" type4 max 1024000\r\n",
         {{"dbaProfiles|20|max", 1024000}, {"dbaProfiles|20|type", 4}}},
        {"a DBA profile again",
         "dba-profile add profile-id 9 type4 max 51200\r\n",
         {{"dbaProfiles|9|max", 1024000}},
         "  Failure: The profile already exists",
         "  失败：模板已经存在"},
    });
}

TEST(SimProfiles, CommitWithNothingChangedChangesNothing) {
    Cli cli;
    cli.login(false);
    cli.send("ont-lineprofile gpon profile-id 1\r\ntcont 1 dba-profile-id 3\r\ncommit\r\n");
    const QJsonObject committed = dump(cli.device);
    EXPECT_EQ(cli.send("commit\r\n"), "commit\r\n\r\nMA5680T(config-gpon-lineprofile-1)#");
    cli.send("tcont 1 dba-profile-id 3\r\ncommit\r\nquit\r\n"); // the same binding again
    EXPECT_EQ(dump(cli.device), committed);
}

} // namespace
