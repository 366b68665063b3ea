// Commands of the smaller modes entered from configuration mode: uplink, EMU and other
// interfaces, profiles, multicast VLANs and diagnosis.
#include "Commands.h"

namespace tw::sim {

const CommandTable &giuInterfaceCommands() {
    auto portTable = [](const char *english, const char *chinese) -> Handler {
        return [english, chinese](Call &c) {
            if (!c.need(1, 1)) return;
            QString out = rule();
            const Mode &m = c.s.mode();
            const int ports = c.dev().board(m.frame, m.slot)->ports;
            for (int p = 0; p < ports; ++p) {
                if (!c.is(0, "all") && c.arg(0) != QString::number(p)) continue;
                out += QStringLiteral("  %1/%2/%3  ").arg(m.frame).arg(m.slot).arg(p) +
                       tr(c.lang(), english, chinese) + "\r\n";
            }
            if (out.size() == rule().size()) return c.paramError(0);
            c.print(out + rule());
        };
    };
    static const CommandTable table = {
        {{"display", "port", "state"}, portTable("GE  full  1000M  active", "GE  全双工  1000M  激活")},
        {{"display", "port", "ddm-info"},
         portTable("Rx power(dBm) -5.21  Tx power(dBm) -4.87  Temperature(C) 38",
                   "接收光功率(dBm) -5.21  发送光功率(dBm) -4.87  温度(C) 38")},
        {{"display", "port", "traffic"},
         portTable("Rx 182.4 Mbps  Tx 936.1 Mbps", "接收 182.4 Mbps  发送 936.1 Mbps")},
        {{"display", "port", "opticstate"}, portTable("1000BASE-LX  in position", "1000BASE-LX  在位")},
        {{"display", "traffic-suppress"},
         [](Call &c) {
             afterOptions(c, "{ <cr>||<K> }:", [](Call &c) {
                 c.say("  Port  Broadcast  Multicast  Unknown-unicast\r\n  0     7          7          7\r\n "
                       " 1     7          7          7",
                       "  端口  广播       组播       未知单播\r\n  0     7          7          7\r\n  1     "
                       "7          7          7");
             });
         }},
        {{"native-vlan"},
         [](Call &c) {
             if (!c.need(3, 3)) return;
             if (!c.is(1, "vlan") || !c.number(2, 1, 4095)) return c.paramError(c.is(1, "vlan") ? 2 : 1);
             recordLine(c);
         }},
    };
    return table;
}

const CommandTable &emuInterfaceCommands() {
    static const CommandTable table = {
        {{"fan", "speed", "mode"},
         [](Call &c) {
             if (!c.need(2, 2) || !c.is(0, "auto")) return c.argc() == 2 ? c.paramError(0) : void();
             if (!c.is(1, "emu") && !c.is(1, "mainboard")) return c.paramError(1);
             c.dev().fans.speedMode = "auto " + c.arg(1).toLower();
         }},
        {{"fan", "speed", "adjust"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             auto level = c.number(0, 0, 6);
             if (!level) return c.paramError(0);
             c.dev().fans.speedLevel = *level;
         }},
        {{"fan", "alarmset"},
         [](Call &c) {
             if (!c.need(2, 2)) return;
             auto &alarms = c.dev().fans.alarms;
             if (!alarms.count(c.arg(0).toLower())) return c.paramError(0);
             if (!c.is(1, "permit") && !c.is(1, "forbid")) return c.paramError(1);
             alarms[c.arg(0).toLower()] = c.is(1, "permit");
         }},
        {{"reset"},
         [](Call &c) {
             afterConfirm(c, "  Are you sure to reset the fan board? ", "  确定要复位风扇板吗？",
                          [](Call &c) { c.say("  The fan board is reset", "  风扇板复位成功"); });
         }},
        {{"display", "fan", "environment"},
         [](Call &c) {
             c.say("  Fan 0  speed 3000 rpm  normal\r\n  Fan 1  speed 3020 rpm  normal\r\n  Temperature: 31C",
                   "  风扇 0  转速 3000 rpm  正常\r\n  风扇 1  转速 3020 rpm  正常\r\n  温度：31C");
         }},
        {{"display", "fan", "alarm"},
         [](Call &c) {
             QString out;
             for (const auto &[name, on] : c.dev().fans.alarms)
                 out += "  " + name + " : " + (on ? "permit" : "forbid") + "\r\n";
             c.print(out);
         }},
        {{"display", "fan", "speed"},
         [](Call &c) {
             c.line(tr(c.lang(), "  Speed mode : ", "  调速方式 : ") + c.dev().fans.speedMode);
             c.line(tr(c.lang(), "  Speed level : ", "  转速级别 : ") +
                    QString::number(c.dev().fans.speedLevel));
         }},
        {{"display", "fan", "system"},
         [](Call &c) {
             c.say("  Temperature thresholds(C): low 0, high 65\r\n  Speed levels: 0-6",
                   "  温度门限(C)：低 0，高 65\r\n  转速级别：0-6");
         }},
        {{"display", "version"},
         [](Call &c) { c.say("  EMU version : H801FCBI V200", "  EMU版本 : H801FCBI V200"); }},
    };
    return table;
}

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
