// Commands of the smaller modes entered from configuration mode: other interfaces, profiles,
// multicast VLANs and diagnosis.
#include "Commands.h"

namespace tw::sim {

const CommandTable &otherInterfaceCommands() {
    static const CommandTable table = {
        {{"ip", "address"},
         [](Call &c) {
             if (c.argc() < 2) return c.incomplete();
             QStringList words{"ip address"};
             for (int i = 0; i < c.argc(); ++i)
                 words << c.arg(i);
             c.dev().extraConfig << c.s.mode().tag.mid(10) + ": " + words.join(' ');
         }},
        {{"arp", "proxy"}, [](Call &c) { c.need(1, 1); }},
        {{"native-vlan"}, [](Call &c) { c.need(3, 3); }},
    };
    return table;
}

const CommandTable &multicastVlanCommands() {
    static const CommandTable table = {
        {{"igmp", "version"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (!c.is(0, "v2") && !c.is(0, "v3")) return c.paramError(0);
             afterConfirm(c, "  Are you sure to change the IGMP version? ", "  确定要修改IGMP版本吗？",
                          recordLine);
         }},
        {{"igmp", "mode"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (!c.is(0, "off") && !c.is(0, "proxy") && !c.is(0, "snooping")) return c.paramError(0);
             afterConfirm(c, "  Are you sure to change the IGMP mode? ", "  确定要修改IGMP模式吗？",
                          recordLine);
         }},
        {{"igmp"}, [](Call &c) { c.argc() == 0 ? c.incomplete() : recordLine(c); }},
        {{"multicast-vlan"}, recordLine},
    };
    return table;
}

const CommandTable &profileCommands() {
    // Profile modes keep the lines typed into them; "commit" makes them take effect.
    auto keep = [](Call &c) {
        const Mode &m = c.s.mode();
        auto &list = m.kind == ModeKind::SrvProfile ? c.dev().srvProfiles : c.dev().lineProfiles;
        QStringList words;
        for (const Token &t : c.tokens)
            words << t.text;
        if (m.kind == ModeKind::VlanSrvProfile) return;
        for (Profile &p : list)
            if (p.pon == m.pon && p.id == m.id) p.lines << words.join(' ');
    };
    static const CommandTable table = {
        {{"commit"}, [](Call &c) { c.need(0, 0); }},
        {{"tcont"}, keep},
        {{"gem"}, keep},
        {{"llid"}, keep},
        {{"mapping-mode"}, keep},
        {{"fec-upstream"}, keep},
        {{"omcc"}, keep},
        {{"ont-port"}, keep},
        {{"port"}, keep},
        {{"multicast-forward"}, keep},
        {{"native-vlan"}, keep},
        {{"user-bridging"}, keep},
        {{"forwarding"}, keep},
    };
    return table;
}

const CommandTable &diagnoseCommands() {
    static const CommandTable table = {
        {{"ont-load", "info"},
         [](Call &c) {
             if (c.argc() < 4) return c.incomplete();
             if (!c.is(0, "program") && !c.is(0, "configuration")) return c.paramError(0);
             if (!c.is(2, "tftp")) return c.paramError(2);
         }},
        {{"ont-load", "select"},
         [](Call &c) {
             if (c.argc() < 3) return c.incomplete();
         }},
        {{"ont-load", "start"},
         [](Call &c) {
             c.say("  Loading the file from the TFTP server...", "  正在从TFTP服务器加载文件...");
             c.say("  Failure: The TFTP server does not respond, the operation timed out",
                   "  失败：TFTP服务器无响应，操作超时");
         }},
        {{"ont-load", "stop"},
         [](Call &c) { c.say("  Failure: No ONT is being loaded", "  失败：当前没有ONT在加载"); }},
    };
    return table;
}

} // namespace tw::sim
