// Commands of the configuration mode: interfaces, profiles, VLANs, transfers and routes.
#include "Commands.h"

namespace tw::sim {

namespace {

void enterInterface(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    const QString kind = c.arg(0).toLower();
    if (kind.startsWith("meth")) { // "interface meth0" or "interface meth 0"
        QString index = kind.mid(4);
        if (index.isEmpty()) index = c.arg(1);
        bool ok = false;
        index.toInt(&ok);
        if (!ok) return c.paramError(index == kind.mid(4) ? 0 : 1);
        return c.s.pushMode({ModeKind::InterfaceOther, "config-if-meth" + index});
    }
    if (kind == "vlanif") {
        auto v = c.number(1, 1, 4095);
        if (!v) return c.paramError(1);
        if (!c.dev().vlan(*v)) return c.fail(Failure::NoVlan);
        return c.s.pushMode({ModeKind::InterfaceOther, "config-if-vlanif" + QString::number(*v)});
    }
    if (kind == "emu") {
        if (!c.need(2, 2)) return;
        auto id = c.number(1, 0, 127);
        if (!id) return c.paramError(1);
        if (*id != 0) return c.say("  Failure: The EMU does not exist", "  失败：EMU不存在");
        return c.s.pushMode({ModeKind::InterfaceEmu, "config-if-emu-0"});
    }
    static const QStringList boards = {"gpon", "epon", "giu", "scu", "mcu", "eth", "mpu"};
    if (!boards.contains(kind)) return c.paramError(0);
    if (!c.need(2, 2)) return;
    auto ref = boardRef(c.arg(1));
    if (!ref) return c.paramError(1);
    const auto [frame, slot] = *ref;
    const Board *b = c.dev().board(frame, slot);
    if (!b) return c.fail(Failure::NoBoard);
    const bool fits =
        (kind == "gpon" && b->kind == BoardKind::Gpon) || (kind == "epon" && b->kind == BoardKind::Epon) ||
        (kind == "giu" && b->kind == BoardKind::Uplink) || (kind == "scu" && b->kind == BoardKind::Control);
    if (!fits) return c.fail(Failure::WrongBoardType);
    Mode m;
    m.frame = frame;
    m.slot = slot;
    m.tag = QStringLiteral("config-if-%1-%2/%3").arg(kind).arg(frame).arg(slot);
    if (kind == "gpon" || kind == "epon") {
        m.kind = ModeKind::InterfacePon;
        m.pon = kind == "gpon" ? PonKind::Gpon : PonKind::Epon;
    } else {
        m.kind = kind == "giu" ? ModeKind::InterfaceGiu : ModeKind::InterfaceOther;
    }
    c.s.pushMode(m);
}

void enterProfile(Call &c, bool line) {
    if (c.argc() < 3) return c.incomplete();
    if (!c.is(0, "gpon") && !c.is(0, "epon")) return c.paramError(0);
    const PonKind pon = c.is(0, "gpon") ? PonKind::Gpon : PonKind::Epon;
    if (!c.is(1, "profile-id")) return c.paramError(1);
    auto id = c.number(2, 0, 8192);
    if (!id) return c.paramError(2);
    QString name;
    if (c.argc() > 3) {
        if (!c.is(3, "profile-name") || c.argc() != 5) return c.paramError(c.is(3, "profile-name") ? 5 : 3);
        name = c.arg(4);
    }
    auto &list = line ? c.dev().lineProfiles : c.dev().srvProfiles;
    auto it =
        std::find_if(list.begin(), list.end(), [&](const Profile &p) { return p.pon == pon && p.id == *id; });
    if (it == list.end()) {
        Profile p;
        p.pon = pon;
        p.id = *id;
        p.name = name.isEmpty() ? QStringLiteral("%1-profile_%2").arg(line ? "line" : "srv").arg(*id) : name;
        list.push_back(p);
        std::sort(list.begin(), list.end(), [](const Profile &a, const Profile &b) {
            return std::pair(a.pon, a.id) < std::pair(b.pon, b.id);
        });
    } else if (!name.isEmpty()) {
        it->name = name;
    }
    Mode m;
    m.kind = line ? ModeKind::LineProfile : ModeKind::SrvProfile;
    m.pon = pon;
    m.id = *id;
    m.tag = QStringLiteral("config-%1-%2profile-%3")
                .arg(pon == PonKind::Gpon ? "gpon" : "epon", line ? "line" : "srv")
                .arg(*id);
    c.s.pushMode(m);
}

void dbaProfileAdd(Call &c) {
    // dba-profile add profile-id N profile-name "X" typeK <fix|assure|max values>
    if (!c.is(0, "add")) return c.paramError(0);
    if (!c.is(1, "profile-id")) return c.paramError(1);
    auto id = c.number(2, 0, 512);
    if (!id) return c.paramError(2);
    DbaProfile p;
    p.id = *id;
    p.name = QStringLiteral("dba-profile_%1").arg(*id);
    int i = 3;
    if (c.is(i, "profile-name")) {
        p.name = c.arg(i + 1);
        i += 2;
    }
    const QString type = c.arg(i).toLower();
    if (!QStringList{"type1", "type2", "type3", "type4", "type5"}.contains(type)) return c.paramError(i);
    p.type = type.right(1).toInt();
    for (++i; i < c.argc(); i += 2) {
        auto v = c.number(i + 1, 128, 10240000);
        if (!v) return c.paramError(i + 1);
        if (c.is(i, "fix"))
            p.fix = *v;
        else if (c.is(i, "assure"))
            p.assure = *v;
        else if (c.is(i, "max"))
            p.max = *v;
        else
            return c.paramError(i);
    }
    auto &list = c.dev().dbaProfiles;
    for (const DbaProfile &d : list)
        if (d.id == p.id) return c.say("  Failure: The profile already exists", "  失败：模板已经存在");
    list.push_back(p);
    std::sort(list.begin(), list.end(), [](const DbaProfile &a, const DbaProfile &b) { return a.id < b.id; });
}

void vlanCreate(Call &c) {
    if (!c.need(2, 2)) return;
    // "vlan 100 smart", also "vlan 100 to 110 smart" is not needed here
    auto id = c.number(0, 2, 4093);
    if (!id) return c.paramError(0);
    static const QStringList types = {"smart", "standard", "mux", "super"};
    if (!types.contains(c.arg(1).toLower())) return c.paramError(1);
    if (c.dev().vlan(*id)) return c.fail(Failure::VlanExists);
    afterConfirm(c,
                 "  It will take several minutes, and console may timeout, please use command idle-timeout "
                 "to set time limit. Are you sure to add VLANs? ",
                 "  该操作需要几分钟，终端可能超时，请用idle-timeout命令设置超时时间。确定要增加VLAN吗？",
                 [](Call &c) {
                     Vlan v;
                     v.id = c.arg(0).toInt();
                     v.type = c.arg(1).toLower();
                     auto &list = c.dev().vlans;
                     if (c.dev().vlan(v.id)) return c.fail(Failure::VlanExists);
                     list.insert(std::lower_bound(list.begin(), list.end(), v.id,
                                                  [](const Vlan &a, int id) { return a.id < id; }),
                                 v);
                 });
}

void vlanAttrib(Call &c) {
    if (!c.need(2, 2)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    static const QStringList attribs = {"common", "q-in-q", "stacking"};
    if (!attribs.contains(c.arg(1).toLower())) return c.paramError(1);
    if (!c.dev().vlan(*id)) return c.fail(Failure::NoVlan);
    afterConfirm(c, "  Are you sure to change the attribute of the VLAN? ", "  确定要修改VLAN的属性吗？",
                 [](Call &c) {
                     if (Vlan *v = c.dev().vlan(c.arg(0).toInt())) v->attrib = c.arg(1).toLower();
                 });
}

void vlanDesc(Call &c) {
    if (!c.need(3, 3)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    if (!c.is(1, "description")) return c.paramError(1);
    Vlan *v = c.dev().vlan(*id);
    if (!v) return c.fail(Failure::NoVlan);
    v->desc = c.arg(2);
}

void undoVlan(Call &c) {
    if (!c.need(1, 1)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    if (!c.dev().vlan(*id)) return c.fail(Failure::NoVlan);
    afterConfirm(c, "  Are you sure to delete the VLAN? ", "  确定要删除VLAN吗？", [](Call &c) {
        const int id = c.arg(0).toInt();
        for (const ServicePort &sp : c.dev().servicePorts)
            if (sp.vlan == id) return c.fail(Failure::VlanInUse);
        std::erase_if(c.dev().vlans, [id](const Vlan &v) { return v.id == id; });
    });
}

// "port vlan <V> <f/s> <p>" and its undo: the port may be a range such as 0-1.
void portVlan(Call &c, bool add) {
    if (!c.need(3, 3)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    auto ref = boardRef(c.arg(1));
    if (!ref) return c.paramError(1);
    const Board *b = c.dev().board(ref->first, ref->second);
    if (!b) return c.fail(Failure::NoBoard);
    const QStringList range = c.arg(2).split('-');
    bool okA = false, okB = true;
    const int from = range.value(0).toInt(&okA);
    const int to = range.size() > 1 ? range[1].toInt(&okB) : from;
    if (!okA || !okB || from < 0 || to < from || to > 7 || range.size() > 2) return c.paramError(2);
    if (!c.dev().vlan(*id)) return c.fail(Failure::NoVlan);
    afterConfirm(
        c, add ? "  Are you sure to add standard port(s)? " : "  Are you sure to delete standard port(s)? ",
        add ? "  确定要增加标准端口吗？" : "  确定要删除标准端口吗？", [add, from, to](Call &c) {
            Vlan *v = c.dev().vlan(c.arg(0).toInt());
            if (!v) return c.fail(Failure::NoVlan);
            for (int p = from; p <= to; ++p) {
                const QString port = c.arg(1) + '/' + QString::number(p);
                if (add && !v->ports.contains(port)) v->ports << port;
                if (!add) v->ports.removeAll(port);
            }
        });
}

void tftpTransfer(Call &c, bool load) {
    // backup configuration|data tftp <addr> <file>; load configuration|data tftp <addr> <file> all
    if (!c.need(4, load ? 5 : 4)) return;
    if (!c.is(0, "configuration") && !c.is(0, "data")) return c.paramError(0);
    if (!c.is(1, "tftp")) return c.paramError(1);
    const QStringList octets = c.arg(2).split('.');
    bool valid = octets.size() == 4;
    for (const QString &o : octets)
        valid = valid && o.toInt() >= 0 && o.toInt() <= 255 && !o.isEmpty();
    if (!valid) return c.paramError(2);
    afterConfirm(c, load ? "  Are you sure to load the file? " : "  Are you sure to back up the file? ",
                 load ? "  确定要加载文件吗？" : "  确定要备份文件吗？", [load](Call &c) {
                     if (load)
                         c.say("  Loading the file, please wait...", "  正在加载文件，请稍候...");
                     else
                         c.say("  Backing up the file, please wait...", "  正在备份文件，请稍候...");
                     c.say("  Failure: The TFTP server does not respond, the operation timed out",
                           "  失败：TFTP服务器无响应，操作超时");
                 });
}

} // namespace

void recordLine(Call &c) {
    QStringList words;
    for (const Token &t : c.tokens)
        words << (t.text.contains(' ') ? '"' + t.text + '"' : t.text);
    c.dev().extraConfig << words.join(' ');
}

const CommandTable &configCommands() {
    static const CommandTable table = {
        {{"enable"}, [](Call &c) { c.need(0, 0); }},
        {{"config"}, [](Call &c) { c.need(0, 0); }},
        {{"interface"}, enterInterface},
        {{"btv"},
         [](Call &c) {
             if (c.need(0, 0)) c.s.pushMode({ModeKind::Btv, "config-btv"});
         }},
        {{"diagnose"},
         [](Call &c) {
             if (c.need(0, 0)) c.s.pushMode({ModeKind::Diagnose, "diagnose"});
         }},
        {{"ont-lineprofile"}, [](Call &c) { enterProfile(c, true); }},
        {{"ont-srvprofile"}, [](Call &c) { enterProfile(c, false); }},
        {{"dba-profile"}, dbaProfileAdd},
        {{"multicast-vlan"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             auto v = c.number(0, 1, 4095);
             if (!v) return c.paramError(0);
             Mode m{ModeKind::MulticastVlan, "config-mvlan" + QString::number(*v)};
             m.id = *v;
             c.s.pushMode(m);
         }},
        {{"vlan", "service-profile"},
         [](Call &c) {
             if (!c.need(2, 2)) return;
             auto id = c.number(1, 1, 1024);
             if (!c.is(0, "profile-id") || !id) return c.paramError(c.is(0, "profile-id") ? 1 : 0);
             Mode m{ModeKind::VlanSrvProfile, "config-vlan-srvprof-" + QString::number(*id)};
             m.id = *id;
             c.s.pushMode(m);
         }},
        {{"vlan", "bind"}, recordLine},
        {{"vlan", "attrib"}, vlanAttrib},
        {{"vlan", "desc"}, vlanDesc},
        {{"vlan"}, vlanCreate},
        {{"undo", "vlan"}, undoVlan},
        {{"port", "vlan"}, [](Call &c) { portVlan(c, true); }},
        {{"undo", "port", "vlan"}, [](Call &c) { portVlan(c, false); }},
        {{"service-port"}, servicePortAdd},
        {{"undo", "service-port"}, undoServicePort},
        {{"backup"}, [](Call &c) { tftpTransfer(c, false); }},
        {{"load"}, [](Call &c) { tftpTransfer(c, true); }},
        {{"active", "configuration", "system"},
         [](Call &c) {
             afterConfirm(c, "  Are you sure to activate the loaded configuration? ",
                          "  确定要激活加载的配置吗？", [](Call &c) {
                              c.say("  Failure: No configuration file is loaded",
                                    "  失败：没有加载的配置文件");
                          });
         }},
        {{"alarm", "active", "clear"}, alarmClear},
        {{"arp", "proxy"},
         [](Call &c) {
             if (c.need(1, 1)) c.is(0, "enable") || c.is(0, "disable") ? recordLine(c) : c.paramError(0);
         }},
        {{"ip", "route-static"},
         [](Call &c) {
             if (c.argc() < 3) return c.incomplete();
             recordLine(c);
         }},
        {{"telnet"},
         [](Call &c) {
             if (!c.need(1, 2)) return;
             c.line(tr(c.lang(), "  Trying ", "  正在尝试连接 ") + c.arg(0) + " ...");
             c.say("  Failure: Connection timed out", "  失败：连接超时");
         }},
    };
    return table;
}

} // namespace tw::sim
