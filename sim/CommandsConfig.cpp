// Commands of the configuration mode: interfaces, profiles, VLANs, boards and the system.
#include "Commands.h"

#include <QRegularExpression>

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

// board confirm|power-off|power-on|reset|delete <f/s> ("board confirm 0" confirms the whole frame).
void boardCommand(Call &c) {
    if (!c.need(2, 2)) return;
    const QString op = c.arg(0).toLower();
    static const QStringList ops = {"confirm", "power-off", "power-on", "reset", "delete"};
    if (!ops.contains(op)) return c.paramError(0);
    Device &d = c.dev();
    if (op == "confirm" && !c.arg(1).contains('/')) {
        auto frame = c.number(1, 0, 7);
        if (!frame) return c.paramError(1);
        for (Board &b : d.boards)
            if (b.present() && b.state == BoardState::AutoFind) b.state = BoardState::Normal;
        return;
    }
    auto ref = boardRef(c.arg(1));
    if (!ref) return c.paramError(1);
    if (!d.board(ref->first, ref->second)) return c.fail(Failure::NoBoard);
    auto apply = [op](Call &c) {
        auto ref = boardRef(c.arg(1));
        Board *b = c.dev().board(ref->first, ref->second);
        if (!b) return c.fail(Failure::NoBoard);
        if (op == "confirm") {
            if (b->state != BoardState::AutoFind)
                return c.say("  Failure: The board is confirmed already", "  失败：单板已经确认");
            b->state = BoardState::Normal;
        } else if (op == "power-off") {
            b->state = BoardState::PowerOff;
        } else if (op == "power-on" || op == "reset") {
            b->state = b->kind == BoardKind::Control && b->state == BoardState::StandbyNormal
                           ? b->state
                           : BoardState::Normal;
        } else if (op == "delete") {
            for (const Ont &o : c.dev().onts)
                if (o.at.slot == b->slot)
                    return c.say("  Failure: The board has service configuration",
                                 "  失败：单板存在业务配置");
            Board empty;
            empty.slot = b->slot;
            *b = empty;
        }
    };
    if (op == "confirm" || op == "power-on") return apply(c);
    const char *en = op == "delete"  ? "  Are you sure to delete the board? "
                     : op == "reset" ? "  Are you sure to reset the board? "
                                     : "  Are you sure to power off the board? ";
    const char *zh = op == "delete"  ? "  确定要删除单板吗？"
                     : op == "reset" ? "  确定要复位单板吗？"
                                     : "  确定要关断单板电源吗？";
    afterConfirm(c, en, zh, apply);
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

void security(Call &c) {
    if (!c.need(2, 2)) return;
    static const QStringList features = {"anti-ipattack",    "anti-ipspoofing", "anti-macduplicate",
                                         "anti-macspoofing", "anti-dos",        "anti-icmpattack",
                                         "anti-ipv6spoofing"};
    const QString feature = c.arg(0).toLower();
    if (!features.contains(feature)) return c.paramError(0);
    if (!c.is(1, "enable") && !c.is(1, "disable")) return c.paramError(1);
    const bool on = c.is(1, "enable");
    auto apply = [feature, on](Call &c) { c.dev().switches["security " + feature] = on; };
    if (!on && (feature == "anti-dos" || feature == "anti-ipv6spoofing"))
        return afterConfirm(c, "  Are you sure to disable the function? ", "  确定要去使能该功能吗？", apply);
    apply(c);
}

void autosave(Call &c) {
    if (c.argc() < 2) return c.incomplete();
    Autosave &a = c.dev().autosave;
    if (c.is(0, "type")) {
        if (!QStringList{"all", "data", "configuration"}.contains(c.arg(1).toLower())) return c.paramError(1);
        a.type = c.arg(1).toLower();
    } else if (c.is(0, "time")) {
        if (c.is(1, "on") || c.is(1, "off"))
            a.timeOn = c.is(1, "on");
        else if (QRegularExpression("^\\d{1,2}(:\\d{2}){0,2}$").match(c.arg(1)).hasMatch())
            a.time = c.arg(1);
        else
            return c.paramError(1);
    } else if (c.is(0, "interval")) {
        int i = c.is(1, "configuration") || c.is(1, "data") ? 2 : 1;
        if (c.is(i, "on") || c.is(i, "off")) {
            a.intervalOn = c.is(i, "on");
        } else if (auto v = c.number(i, 10, 10080)) {
            a.interval = *v;
        } else {
            return c.paramError(i);
        }
    } else {
        c.paramError(0);
    }
}

void logoutAfter(Call &c, const char *english, const char *chinese) {
    c.say(english, chinese);
    c.s.logout();
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
        {{"board"}, boardCommand},
        {{"erase", "flash", "data"},
         [](Call &c) {
             afterConfirm(c, "  Are you sure to erase the database of the main board? ",
                          "  确定要擦除主板数据库吗？",
                          [](Call &c) { c.say("  Erasing the flash data succeeded", "  擦除主板数据成功"); });
         }},
        {{"reboot", "system"},
         [](Call &c) {
             afterConfirm(
                 c,
                 "  Please check whether data has saved, the unsaved data will lose if reboot system. Are "
                 "you sure to reboot system? ",
                 "  请检查数据是否已保存，复位系统将导致未保存的数据丢失。确定要复位系统吗？", [](Call &c) {
                     logoutAfter(c, "  System is rebooting, please wait...", "  系统正在复位，请稍候...");
                 });
         }},
        {{"system", "switch-over"},
         [](Call &c) {
             afterConfirm(c, "  Are you sure to switch over the control boards? ", "  确定要进行主备倒换吗？",
                          [](Call &c) {
                              for (Board &b : c.dev().boards) {
                                  if (b.state == BoardState::ActiveNormal)
                                      b.state = BoardState::StandbyNormal;
                                  else if (b.state == BoardState::StandbyNormal)
                                      b.state = BoardState::ActiveNormal;
                              }
                              c.say("  The active and standby boards are switched over", "  主备倒换成功");
                          });
         }},
        {{"sysname"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (c.arg(0).size() > 64) return c.paramError(0);
             c.dev().sysname = c.arg(0);
         }},
        {{"save"},
         [](Call &c) {
             if (!c.need(0, 1)) return;
             auto run = [](Call &c) {
                 c.say("  Please wait for a moment, the data is being saved...", "  正在保存数据，请稍候...");
                 c.say("  The data of the system is saved completely", "  系统数据保存完毕");
             };
             if (c.argc() == 1) return c.is(0, "configuration") || c.is(0, "data") ? run(c) : c.paramError(0);
             afterOptions(c, "{ <cr>|configuration<K>|data<K> }:", run);
         }},
        {{"idle-timeout"},
         [](Call &c) {
             if (!c.need(1, 2)) return;
             auto minutes = c.number(0, 0, 35791);
             if (!minutes) return c.paramError(0);
             c.s.setIdleSeconds(*minutes * 60);
             c.dev().idleSeconds = *minutes * 60;
         }},
        {{"autosave"}, autosave},
        {{"security"}, security},
        {{"ring", "check"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (c.is(0, "enable")) return void(c.dev().switches["ring check"] = true);
             if (!c.is(0, "disable")) return c.paramError(0);
             afterConfirm(c, "  Are you sure to disable the ring check? ", "  确定要去使能环路检测吗？",
                          [](Call &c) { c.dev().switches["ring check"] = false; });
         }},
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
        {{"alarm", "active", "clear"},
         [](Call &c) {
             if (c.need(1, 1)) c.is(0, "all") ? c.dev().alarms.clear() : c.paramError(0);
         }},
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
