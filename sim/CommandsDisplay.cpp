// The display commands, shared by the privileged, configuration and interface modes.
#include "Commands.h"

namespace tw::sim {

namespace {

bool inPonInterface(Call &c) {
    return c.s.mode().kind == ModeKind::InterfacePon;
}

// Checks frame and slot of a display that names a PON board; reports the failure itself.
bool ponBoardExists(Call &c, int frame, int slot) {
    const Board *b = c.dev().board(frame, slot);
    if (frame != c.dev().frame || !b) {
        c.fail(Failure::NoBoard);
        return false;
    }
    if (!b->isPon()) {
        c.fail(Failure::WrongBoardType);
        return false;
    }
    return true;
}

void showOntDetail(Call &c, const Ont &o) {
    c.print(renderOntDetail(c.dev(), c.lang(), o, true));
}

void ontInfoSearch(Call &c) {
    const QString kind = c.arg(0).toLower();
    if (c.argc() < 2) return c.incomplete();
    const QString value = c.arg(1);
    std::vector<const Ont *> found;
    for (const Ont &o : c.dev().onts) {
        bool hit = false;
        if (kind == "by-sn")
            hit = !o.sn.isEmpty() && o.sn == normaliseSn(value);
        else if (kind == "by-mac")
            hit = !o.mac.isEmpty() && o.mac == normaliseMac(value);
        else if (kind == "by-loid")
            hit = !o.loid.isEmpty() && o.loid == value;
        else if (kind == "by-password")
            hit = !o.password.isEmpty() && o.password == value;
        else if (kind == "by-desc")
            hit = o.desc == value;
        else if (kind == "by-ip")
            hit = !o.ip.isEmpty() && o.ip == value;
        if (hit) found.push_back(&o);
    }
    if ((kind == "by-sn" && normaliseSn(value).isEmpty()) ||
        (kind == "by-mac" && normaliseMac(value).isEmpty()))
        return c.paramError(1);
    if (found.empty()) return c.fail(Failure::NoOnt);
    for (const Ont *o : found)
        c.print(renderOntDetail(c.dev(), c.lang(), *o, false));
}

void ontInfo(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    if (c.arg(0).startsWith("by-", Qt::CaseInsensitive)) {
        static const QStringList kinds = {"by-sn", "by-mac", "by-loid", "by-password", "by-desc", "by-ip"};
        if (!kinds.contains(c.arg(0).toLower())) return c.paramError(0);
        return ontInfoSearch(c);
    }
    if (inPonInterface(c) && c.argc() == 2) { // display ont info <port> <id>|all
        const Mode &m = c.s.mode();
        auto port = c.number(0, 0, 15);
        if (!port || *port >= c.dev().board(m.frame, m.slot)->ports) return c.paramError(0);
        if (c.is(1, "all")) {
            QString out;
            if (!renderOntTable(out, c.dev(), c.lang(), m.frame, m.slot, *port))
                return c.fail(Failure::NoOnt);
            return c.print(out);
        }
        auto id = c.number(1, 0, 127);
        if (!id) return c.paramError(1);
        const Ont *o = c.dev().ont({m.frame, m.slot, *port}, *id);
        return o ? showOntDetail(c, *o) : c.fail(Failure::NoOnt);
    }
    auto frame = c.number(0, 0, 7);
    if (!frame) return c.paramError(0);
    if (c.argc() < 2) return c.incomplete();
    if (c.is(1, "all")) {
        if (!c.need(2, 2)) return;
        QString out;
        if (!renderOntTable(out, c.dev(), c.lang(), *frame, std::nullopt, std::nullopt))
            return c.fail(Failure::NoOnt);
        return c.print(out);
    }
    auto slot = c.number(1, 0, 22);
    if (!slot) return c.paramError(1);
    if (c.argc() < 3) return c.incomplete();
    if (!ponBoardExists(c, *frame, *slot)) return;
    if (c.is(2, "all")) {
        if (!c.need(3, 3)) return;
        QString out;
        if (!renderOntTable(out, c.dev(), c.lang(), *frame, *slot, std::nullopt))
            return c.fail(Failure::NoOnt);
        return c.print(out);
    }
    auto port = c.number(2, 0, 15);
    if (!port || !c.dev().portExists({*frame, *slot, *port})) return c.paramError(2);
    if (c.argc() < 4) return c.incomplete();
    if (!c.need(4, 4)) return;
    if (c.is(3, "all")) {
        QString out;
        if (!renderOntTable(out, c.dev(), c.lang(), *frame, *slot, *port)) return c.fail(Failure::NoOnt);
        return c.print(out);
    }
    auto id = c.number(3, 0, 127);
    if (!id) return c.paramError(3);
    const Ont *o = c.dev().ont({*frame, *slot, *port}, *id);
    o ? showOntDetail(c, *o) : c.fail(Failure::NoOnt);
}

void ontAutofind(Call &c) {
    if (!c.need(1, 1)) return;
    if (c.is(0, "all")) return c.print(renderAutofind(c.dev(), c.lang(), std::nullopt));
    if (!inPonInterface(c)) {
        auto at = c.port(0);
        if (!at || !c.dev().portExists(*at)) return c.paramError(0);
        return c.print(renderAutofind(c.dev(), c.lang(), *at));
    }
    const Mode &m = c.s.mode();
    auto port = c.number(0, 0, 15);
    if (!port || *port >= c.dev().board(m.frame, m.slot)->ports) return c.paramError(0);
    const PortRef at{m.frame, m.slot, *port};
    Session &s = c.s;
    c.s.askOptions("{ <cr>||<K> }:", [&s, at] { s.print(renderAutofind(s.device(), s.lang(), at)); });
}

void board(Call &c) {
    if (!c.need(1, 1)) return;
    if (c.arg(0).contains('/')) {
        const QStringList parts = c.arg(0).split('/');
        bool okF = false, okS = false;
        const int frame = parts.value(0).toInt(&okF), slot = parts.value(1).toInt(&okS);
        if (parts.size() != 2 || !okF || !okS || slot < 0 || slot > 22) return c.paramError(0);
        const Board *b = c.dev().board(frame, slot);
        if (!b) return c.fail(Failure::NoBoard);
        return c.print(renderBoardDetail(c.dev(), c.lang(), *b));
    }
    auto frame = c.number(0, 0, 7);
    if (!frame) return c.paramError(0);
    if (*frame != c.dev().frame) return c.say("  Failure: The frame does not exist", "  失败：该框不存在");
    c.print(renderBoards(c.dev(), c.lang()));
}

void ontVersion(Call &c) {
    auto frame = c.number(0, 0, 7);
    if (!frame) return c.paramError(0);
    auto table = [&c, frame](std::optional<int> slot, std::optional<int> port) {
        QString out;
        if (!renderOntVersionTable(out, c.dev(), c.lang(), *frame, slot, port)) return c.fail(Failure::NoOnt);
        c.print(out);
    };
    if (c.argc() < 2) return c.incomplete();
    if (c.is(1, "all")) return c.need(2, 2) ? table(std::nullopt, std::nullopt) : void();
    auto slot = c.number(1, 0, 22);
    if (!slot) return c.paramError(1);
    if (c.argc() < 3) return c.incomplete();
    if (!ponBoardExists(c, *frame, *slot)) return;
    if (c.is(2, "all")) return c.need(3, 3) ? table(*slot, std::nullopt) : void();
    auto port = c.number(2, 0, 15);
    if (!port || !c.dev().portExists({*frame, *slot, *port})) return c.paramError(2);
    if (!c.need(4, 4)) return;
    if (c.is(3, "all")) return table(*slot, *port);
    auto id = c.number(3, 0, 127);
    if (!id) return c.paramError(3);
    const PortRef at{*frame, *slot, *port};
    const int ontId = *id;
    Session &s = c.s;
    c.s.askOptions("{ <cr>||<K> }:", [&s, at, ontId] {
        const Ont *o = s.device().ont(at, ontId);
        s.print(o ? renderOntVersionDetail(s.lang(), *o) : failureText(Failure::NoOnt, s.lang()) + "\r\n");
    });
}

void currentConfiguration(Call &c) {
    Device &d = c.dev();
    if (c.argc() == 0) {
        Session &s = c.s;
        return c.s.askOptions("{ <cr>|ont<K>|port<K>|section<K>|service-port<K>|simple<K>||<K> }:",
                              [&s] { s.print(renderCurrentConfiguration(s.device())); });
    }
    if (c.is(0, "ont")) {
        if (!c.need(3, 3)) return;
        auto at = c.port(1);
        auto id = c.number(2, 0, 127);
        if (!at) return c.paramError(1);
        if (!id) return c.paramError(2);
        const Ont *o = d.ont(*at, *id);
        if (!o) return c.fail(Failure::NoOnt);
        c.print(
            QStringLiteral("[MA5600V800R013: 1500]\r\n#\r\n[gpon]\r\n  <%1-%2/%3>\r\n interface %1 %2/%3\r\n")
                .arg(o->pon == PonKind::Gpon ? "gpon" : "epon")
                .arg(at->frame)
                .arg(at->slot));
        c.print(renderOntConfiguration(d, *o));
        std::vector<const ServicePort *> sps;
        for (const ServicePort &sp : d.servicePorts)
            if (sp.at == *at && sp.ont == *id && sp.portType != "eth") sps.push_back(&sp);
        c.print("#\r\n[bbs-config]\r\n  <bbs-config>\r\n" + renderServicePortConfiguration(d, sps) +
                "#\r\nreturn\r\n");
        return;
    }
    if (c.is(0, "service-port")) {
        if (!c.need(2, 2)) return;
        std::vector<const ServicePort *> sps;
        if (auto index = c.number(1, 0, 65535)) {
            for (const ServicePort &sp : d.servicePorts)
                if (sp.index == *index) sps.push_back(&sp);
        } else if (c.is(1, "all")) {
            for (const ServicePort &sp : d.servicePorts)
                sps.push_back(&sp);
        } else {
            return c.paramError(1);
        }
        c.print("[MA5600V800R013: 1500]\r\n#\r\n[bbs-config]\r\n  <bbs-config>\r\n" +
                renderServicePortConfiguration(d, sps) + "#\r\nreturn\r\n");
        return;
    }
    if (c.is(0, "section") || c.is(0, "simple") || c.is(0, "port"))
        return c.print(renderCurrentConfiguration(d));
    c.paramError(0);
}

void version(Call &c) {
    if (!c.need(0, 1)) return;
    Session &s = c.s;
    auto show = [&s] {
        const Lang l = s.lang();
        QString out = "  VERSION : MA5600V800R013C10\r\n  PATCH   : SPC100\r\n  PRODUCT : MA5680T\r\n\r\n";
        out += tr(l, "  Active Mainboard Running Area Information:\r\n", "  主用主控板运行区信息:\r\n");
        out += rule(43);
        out += tr(l, "  Current Program Area : Area B\r\n  Current Data Area : Area A\r\n",
                  "  当前程序区 : B区\r\n  当前数据区 : A区\r\n");
        out += rule(43) + "\r\n";
        out += tr(l, "  Uptime is 35 day(s), 4 hour(s), 12 minute(s), 7 second(s)\r\n",
                  "  运行时间：35天4小时12分7秒\r\n");
        s.print(out);
    };
    if (c.argc() == 1) return show();
    c.s.askOptions("{ <cr>|backplane<K>|frameid/slotid<S><Length 1-15> }:", show);
}

void dbaProfiles(Call &c) {
    if (!c.need(1, 1) || (!c.is(0, "all") && (c.paramError(0), true))) return;
    QString out = rule(71);
    out += "  Profile-ID  type  bandwidth  fix       assure    max       bind\r\n";
    out += "                    compensate (kbps)    (kbps)    (kbps)    times\r\n";
    out += rule(71);
    for (const DbaProfile &p : c.dev().dbaProfiles) {
        out += "  ";
        appendRightAligned(out, QString::number(p.id), 10);
        out += "  ";
        appendRightAligned(out, QString::number(p.type), 4);
        out += "         No  ";
        appendRightAligned(out, QString::number(p.fix), 8);
        out += "  ";
        appendRightAligned(out, QString::number(p.assure), 8);
        out += "  ";
        appendRightAligned(out, QString::number(p.max), 8);
        out += "      0\r\n";
    }
    out += rule(71);
    out += tr(c.lang(), "  Total: ", "  总数: ") + QString::number(c.dev().dbaProfiles.size()) + "\r\n";
    c.print(out);
}

void profiles(Call &c, const std::vector<Profile> &list) {
    if (!c.need(2, 2)) return;
    if (!c.is(0, "gpon") && !c.is(0, "epon")) return c.paramError(0);
    if (!c.is(1, "all")) return c.paramError(1);
    const PonKind pon = c.is(0, "gpon") ? PonKind::Gpon : PonKind::Epon;
    QString out = rule();
    out += tr(c.lang(), "  Profile-ID  Profile-name                                Binding times\r\n",
              "  模板ID      模板名称                                    绑定次数\r\n");
    out += rule();
    int n = 0;
    for (const Profile &p : list) {
        if (p.pon != pon) continue;
        int bound = 0;
        for (const Ont &o : c.dev().onts)
            bound += o.pon == pon && (&list == &c.dev().lineProfiles ? o.lineProfile : o.srvProfile) == p.id;
        out += "  ";
        appendPadded(out, QString::number(p.id), 12);
        appendPadded(out, p.name, 44);
        out += QString::number(bound) + "\r\n";
        ++n;
    }
    out += rule();
    out += tr(c.lang(), "  Total: ", "  总数: ") + QString::number(n) + "\r\n";
    c.print(out);
}

void vlanDisplay(Call &c) {
    if (!c.need(1, 1)) return;
    const Device &d = c.dev();
    if (c.is(0, "all")) {
        QString out = rule(62);
        out +=
            tr(c.lang(), "    VLAN ID  Type      Attribute  STND-Port NUM  SERV-Port NUM  VLAN-Con NUM\r\n",
               "    VLAN ID  类型      属性       标准端口数目   业务虚端口数   VLAN连接数\r\n");
        out += rule(62);
        for (const Vlan &v : d.vlans) {
            int sps = 0;
            for (const ServicePort &sp : d.servicePorts)
                sps += sp.vlan == v.id;
            out += "  ";
            appendRightAligned(out, QString::number(v.id), 9);
            out += "  ";
            appendPadded(out, v.type, 10);
            appendPadded(out, v.attrib, 11);
            appendRightAligned(out, QString::number(v.ports.size()), 13);
            appendRightAligned(out, QString::number(sps), 15);
            out += "             -\r\n";
        }
        out += rule(62);
        out += tr(c.lang(), "  Total: ", "  总数: ") + QString::number(d.vlans.size()) + "\r\n";
        return c.print(out);
    }
    if (c.is(0, "loop")) return c.say("  Failure: There is no loop in VLANs", "  失败：VLAN中不存在环路");
    if (c.is(0, "number")) {
        int smart = 0, standard = 0, mux = 0, super = 0;
        for (const Vlan &v : d.vlans) {
            smart += v.type == "smart";
            standard += v.type == "standard";
            mux += v.type == "mux";
            super += v.type == "super";
        }
        return c.print(
            QStringLiteral("  %1: %2\r\n  smart: %3\r\n  standard: %4\r\n  mux: %5\r\n  super: %6\r\n")
                .arg(tr(c.lang(), "Total VLANs", "VLAN总数"))
                .arg(d.vlans.size())
                .arg(smart)
                .arg(standard)
                .arg(mux)
                .arg(super));
    }
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    const Vlan *v = d.vlan(*id);
    if (!v) return c.fail(Failure::NoVlan);
    QString out;
    appendField(out, tr(c.lang(), "VLAN ID", "VLAN ID"), QString::number(v->id), 16);
    appendField(out, tr(c.lang(), "VLAN type", "VLAN类型"), v->type, 16);
    appendField(out, tr(c.lang(), "VLAN attribute", "VLAN属性"), v->attrib, 16);
    appendField(out, tr(c.lang(), "VLAN description", "VLAN描述"), v->desc, 16);
    appendField(out, tr(c.lang(), "Uplink ports", "上行端口"), v->ports.isEmpty() ? "-" : v->ports.join(' '),
                16);
    c.print(out);
}

void alarms(Call &c) {
    const Device &d = c.dev();
    if (d.alarms.empty())
        return c.say("  Failure: There is no alarm in the system", "  失败：系统中没有告警");
    QString out = rule();
    int n = 0;
    for (const Alarm &a : d.alarms) {
        out += QStringLiteral("  %1  %2  %3\r\n").arg(++n).arg(a.time, a.level);
        out += tr(c.lang(), "  ALARM NAME :", "  告警名称 :") + a.name + "\r\n";
        out += "  PARAMETERS :" + a.parameters + "\r\n";
        out += rule();
    }
    c.print(out);
}

// Plain fixed-text displays: statistics and status pages nothing parses.
Handler fixed(const char *english, const char *chinese) {
    return [english, chinese](Call &c) { c.print(tr(c.lang(), english, chinese)); };
}

} // namespace

const CommandTable &displayCommands() {
    static const CommandTable table = {
        {{"display", "ont", "info"}, ontInfo},
        {{"display", "ont", "autofind"}, ontAutofind},
        {{"display", "board"}, board},
        {{"display", "ont", "version"}, ontVersion},
        {{"display", "service-port"}, servicePortDisplay},
        {{"display", "current-configuration"}, currentConfiguration},
        {{"display", "version"}, version},
        {{"display", "dba-profile"}, dbaProfiles},
        {{"display", "ont-lineprofile"}, [](Call &c) { profiles(c, c.dev().lineProfiles); }},
        {{"display", "ont-srvprofile"}, [](Call &c) { profiles(c, c.dev().srvProfiles); }},
        {{"display", "vlan"}, vlanDisplay},
        {{"display", "alarm", "active"}, alarms},
        {{"display", "ip", "routing-table"},
         fixed("  Route Flags: R - relay, D - download to fib\r\n"
               "  Destination/Mask    Proto  Pre  Cost  Flags NextHop         Interface\r\n"
               "  0.0.0.0/0           Static 60   0     RD    192.168.88.254  vlanif46\r\n"
               "  127.0.0.0/8         Direct 0    0     D     127.0.0.1       InLoopBack0\r\n"
               "  192.168.88.0/24     Direct 0    0     D     192.168.88.200  vlanif46\r\n",
               "  路由标志: R - 中继, D - 下发到转发表\r\n"
               "  目的地址/掩码       协议   优先 开销  标志  下一跳          接口\r\n"
               "  0.0.0.0/0           Static 60   0     RD    192.168.88.254  vlanif46\r\n"
               "  127.0.0.0/8         Direct 0    0     D     127.0.0.1       InLoopBack0\r\n"
               "  192.168.88.0/24     Direct 0    0     D     192.168.88.200  vlanif46\r\n")},
        {{"display", "ip", "interface"},
         fixed("  Interface                         IP Address/Mask      Physical   Protocol\r\n"
               "  meth0                             10.11.104.2/24       up         up\r\n"
               "  vlanif46                          192.168.88.200/24    up         up\r\n",
               "  接口                              IP地址/掩码          物理状态   协议状态\r\n"
               "  meth0                             10.11.104.2/24       up         up\r\n"
               "  vlanif46                          192.168.88.200/24    up         up\r\n")},
        {{"display", "ip", "statistics"},
         fixed("  Input:   packets 1893412, bad checksum 0, bad header length 0\r\n"
               "  Output:  packets 1744120, forwarded 0, dropped 0\r\n",
               "  接收:    报文 1893412, 校验和错误 0, 头长度错误 0\r\n"
               "  发送:    报文 1744120, 转发 0, 丢弃 0\r\n")},
        {{"display", "temperature"},
         fixed("  The temperature of the backplane is 34C\r\n", "  背板温度为 34C\r\n")},
        {{"display", "power"}, fixed("  Total power consumption: 412W\r\n", "  总功耗: 412W\r\n")},
        {{"display", "runstat", "callinfo"},
         fixed("  CPU occupancy: 12%\r\n  Memory occupancy: 41%\r\n",
               "  CPU占用率: 12%\r\n  内存占用率: 41%\r\n")},
        {{"display", "io-packetfile"},
         fixed("  Slot  Board      Packet file\r\n  1     H806GPBD   io_gpbd.bin\r\n",
               "  槽位  单板       驱动文件\r\n  1     H806GPBD   io_gpbd.bin\r\n")},
        {{"display", "progress"},
         fixed("  Failure: No operation is in progress\r\n", "  失败：当前没有正在进行的操作\r\n")},
        {{"display", "data", "sync"},
         fixed("  Data synchronization state between the active and standby boards: synchronized\r\n",
               "  主备板数据同步状态：已同步\r\n")},
        {{"display", "statistics", "global"},
         fixed("  Total ONTs online: see display ont info\r\n  Broadcast packets: 0\r\n",
               "  在线ONT总数：参见display ont info\r\n  广播报文：0\r\n")},
        {{"display", "arp", "all"},
         fixed("  IP ADDRESS      MAC ADDRESS     VLAN  PORT\r\n  192.168.88.254  0018-82e1-2c01  46    "
               "0/19/0\r\n"
               "  Total: 1\r\n",
               "  IP地址          MAC地址         VLAN  端口\r\n  192.168.88.254  0018-82e1-2c01  46    "
               "0/19/0\r\n"
               "  总数: 1\r\n")},
        {{"display", "rogueont"}, fixed("  Failure: There is no rogue ONT\r\n", "  失败：不存在流氓ONT\r\n")},
        {{"display", "port", "vlan"},
         fixed("  VLAN ID  Type\r\n  100      smart\r\n", "  VLAN ID  类型\r\n  100      smart\r\n")},
        {{"display", "ont-load"},
         fixed("  Failure: No ONT is being loaded\r\n", "  失败：当前没有ONT在加载\r\n")},
        {{"display", "time"}, [](Call &c) { c.line("  " + c.dev().now); }},
    };
    return table;
}

} // namespace tw::sim
