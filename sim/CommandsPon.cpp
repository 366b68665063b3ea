// Commands of the GPON and EPON interface modes ("interface gpon 0/1", "interface epon 0/3").
#include "Commands.h"

namespace tw::sim {

namespace {

PortRef portOf(Call &c, int port) {
    const Mode &m = c.s.mode();
    return {m.frame, m.slot, port};
}

// The PON port argument i of the interface's board, or nothing (the error is reported).
std::optional<int> ponPort(Call &c, int i) {
    auto p = c.number(i, 0, 15);
    const Mode &m = c.s.mode();
    const Board *b = c.dev().board(m.frame, m.slot);
    if (!p || !b || *p >= b->ports) {
        c.paramError(i);
        return std::nullopt;
    }
    return p;
}

// "<port> <id>" or "<port> all": the ONTs addressed, or nothing when the error was reported.
std::optional<std::vector<std::pair<PortRef, int>>> ontTargets(Call &c, bool *all = nullptr) {
    auto p = ponPort(c, 0);
    if (!p) return std::nullopt;
    const PortRef at = portOf(c, *p);
    std::vector<std::pair<PortRef, int>> out;
    if (c.is(1, "all")) {
        for (const Ont *o : c.dev().ontsOn(at))
            out.push_back({at, o->id});
        if (all) *all = true;
        return out;
    }
    auto id = c.number(1, 0, 127);
    if (!id) {
        c.paramError(1);
        return std::nullopt;
    }
    if (all) *all = false;
    out.push_back({at, *id});
    return out;
}

void ontAdd(Call &c) {
    const Mode &m = c.s.mode();
    auto p = ponPort(c, 0);
    if (!p) return;
    AddOntRequest req;
    req.at = portOf(c, *p);
    req.pon = m.pon;
    int i = 1;
    if (auto id = c.number(i, 0, 127)) {
        req.id = id;
        ++i;
    } else if (c.arg(i).toInt() > 127) {
        return c.paramError(i);
    }
    const QString auth = c.arg(i).toLower();
    if (auth == "sn-auth" && m.pon == PonKind::Gpon) {
        req.auth = AuthMode::Sn;
        if (normaliseSn(c.arg(i + 1)).isEmpty()) return c.paramError(i + 1);
    } else if (auth == "mac-auth" && m.pon == PonKind::Epon) {
        req.auth = AuthMode::Mac;
        if (normaliseMac(c.arg(i + 1)).isEmpty()) return c.paramError(i + 1);
    } else if (auth == "loid-auth") {
        req.auth = AuthMode::Loid;
    } else if (auth == "password-auth") {
        req.auth = AuthMode::Password;
    } else {
        return c.paramError(i);
    }
    if (c.argc() <= i + 1) return c.incomplete();
    req.key = c.arg(i + 1);
    i += 2;
    req.management.clear();
    bool haveLine = false;
    while (i < c.argc()) {
        const QString w = c.arg(i).toLower();
        if (w == "always-on" || w == "once-on") {
            ++i;
            if (auto t = c.number(i, 1, 168)) ++i; // optional timeout of once-on
        } else if (w == "omci" || w == "snmp" || (w == "oam" && m.pon == PonKind::Epon)) {
            req.management = w;
            ++i;
        } else if (w == "ont-lineprofile-id" || w == "ont-srvprofile-id") {
            auto id = c.number(i + 1, 0, 8192);
            if (!id) return c.paramError(i + 1);
            (w == "ont-lineprofile-id" ? req.lineProfile : req.srvProfile) = *id;
            haveLine = haveLine || w == "ont-lineprofile-id";
            i += 2;
        } else if (w == "ont-lineprofile-name" || w == "ont-srvprofile-name") {
            const auto &list = w == "ont-lineprofile-name" ? c.dev().lineProfiles : c.dev().srvProfiles;
            int found = -1;
            for (const Profile &pr : list)
                if (pr.pon == m.pon && pr.name == c.arg(i + 1)) found = pr.id;
            if (found < 0)
                return c.fail(w == "ont-lineprofile-name" ? Failure::NoLineProfile : Failure::NoSrvProfile);
            (w == "ont-lineprofile-name" ? req.lineProfile : req.srvProfile) = found;
            haveLine = haveLine || w == "ont-lineprofile-name";
            i += 2;
        } else if (w == "desc") {
            if (i + 1 >= c.argc()) return c.incomplete();
            req.desc = c.arg(i + 1);
            if (req.desc.size() > 64) return c.paramError(i + 1);
            i += 2;
        } else {
            return c.paramError(i);
        }
    }
    if (req.management.isEmpty() || !haveLine) return c.incomplete();
    if (req.management != "snmp" && req.srvProfile < 0) return c.incomplete();

    afterOptions(c, "{ <cr>|ont-type<K> }:", [req](Call &c) {
        const AddOntResult r = addOnt(c.dev(), req);
        if (r.failure != Failure::None) return c.fail(r.failure);
        if (c.lang() == Lang::English)
            c.print(QStringLiteral(
                        "  Number of ONTs that can be added: 1, success: 1\r\n  PortID :%1, ONTID :%2\r\n")
                        .arg(req.at.port)
                        .arg(r.id));
        else
            c.print(QString::fromUtf8("  可以增加的ONT数目: 1, 成功: 1\r\n  端口号 :%1, ONT号 :%2\r\n")
                        .arg(req.at.port)
                        .arg(r.id));
    });
}

void ontDelete(Call &c) {
    if (!c.need(2, 2)) return;
    bool all = false;
    auto targets = ontTargets(c, &all);
    if (!targets) return;
    auto run = [](Call &c, const std::vector<std::pair<PortRef, int>> &list, bool all) {
        int ok = 0;
        Failure last = Failure::None;
        for (const auto &[at, id] : list) {
            const Failure f = deleteOnt(c.dev(), at, id);
            ok += f == Failure::None;
            if (f != Failure::None) last = f;
        }
        if (!all && last != Failure::None) return c.fail(last);
        if (c.lang() == Lang::English)
            c.line(QStringLiteral("  Number of ONTs that can be deleted: %1, success: %2")
                       .arg(list.size())
                       .arg(ok));
        else
            c.line(QString::fromUtf8("  可以删除的ONT数目: %1, 成功: %2").arg(list.size()).arg(ok));
    };
    if (!all) return run(c, *targets, false);
    afterConfirm(c, "  Are you sure to delete all the ONTs on the port? ",
                 "  确定要删除该端口下的所有ONT吗？", [run](Call &c) {
                     bool all = true;
                     auto again = ontTargets(c, &all);
                     if (again) run(c, *again, true);
                 });
}

void ontActivate(Call &c, bool active) {
    if (!c.need(2, 2)) return;
    bool all = false;
    auto targets = ontTargets(c, &all);
    if (!targets) return;
    int ok = 0;
    for (const auto &[at, id] : *targets)
        ok += setActive(c.dev(), at, id, active) == Failure::None;
    if (!all && ok == 0) return c.fail(Failure::NoOnt);
    if (all) {
        if (c.lang() == Lang::English)
            c.line(QStringLiteral("  Number of ONTs that can be operated: %1, success: %2")
                       .arg(targets->size())
                       .arg(ok));
        else
            c.line(QString::fromUtf8("  可以操作的ONT数目: %1, 成功: %2").arg(targets->size()).arg(ok));
    }
}

// ONT reset and factory-setting restore: they ask first, and the ONT comes back up at once.
void ontRestart(Call &c, bool factory) {
    if (!c.need(2, 2)) return;
    auto targets = ontTargets(c);
    if (!targets) return;
    if (targets->size() == 1 && !c.dev().ont(targets->front().first, targets->front().second))
        return c.fail(Failure::NoOnt);
    const char *en = factory ? "  Are you sure to restore the factory settings of the ONT(s)? "
                             : "  Are you sure to reset the ONT(s)? ";
    const char *zh = factory ? "  确定要将ONT恢复出厂设置吗？" : "  确定要复位ONT吗？";
    afterConfirm(c, en, zh, [](Call &c) {
        if (auto list = ontTargets(c))
            for (const auto &[at, id] : *list)
                if (Ont *o = c.dev().ont(at, id); o && o->online()) o->lastUp = c.dev().now;
    });
}

void ontModify(Call &c) {
    if (!c.need(4, 4)) return;
    auto p = ponPort(c, 0);
    if (!p) return;
    auto id = c.number(1, 0, 127);
    if (!id) return c.paramError(1);
    Ont *o = c.dev().ont(portOf(c, *p), *id);
    if (!o) return c.fail(Failure::NoOnt);
    const QString what = c.arg(2).toLower();
    const QString value = c.arg(3);
    if (what == "ont-lineprofile-id" || what == "ont-srvprofile-id") {
        auto v = c.number(3, 0, 8192);
        if (!v) return c.paramError(3);
        const bool line = what == "ont-lineprofile-id";
        if (line ? !c.dev().lineProfile(o->pon, *v) : !c.dev().srvProfile(o->pon, *v))
            return c.fail(line ? Failure::NoLineProfile : Failure::NoSrvProfile);
        (line ? o->lineProfile : o->srvProfile) = *v;
    } else if (what == "sn" && o->pon == PonKind::Gpon) {
        const QString sn = normaliseSn(value);
        if (sn.isEmpty()) return c.paramError(3);
        if (Ont *other = c.dev().ontByKey(sn); other && other != o) return c.fail(Failure::SnExists);
        o->sn = sn;
        o->auth = AuthMode::Sn;
    } else if (what == "mac" && o->pon == PonKind::Epon) {
        const QString mac = normaliseMac(value);
        if (mac.isEmpty()) return c.paramError(3);
        if (Ont *other = c.dev().ontByKey(mac); other && other != o) return c.fail(Failure::MacExists);
        o->mac = mac;
        o->auth = AuthMode::Mac;
    } else if (what == "loid") {
        o->loid = value;
        o->auth = AuthMode::Loid;
    } else if (what == "password") {
        o->password = value;
        o->auth = AuthMode::Password;
    } else if (what == "desc") {
        if (value.size() > 64) return c.paramError(3);
        o->desc = value;
    } else {
        return c.paramError(2);
    }
    // A changed key may now match an ONT waiting on this port: it comes up.
    const PortRef at = o->at;
    const QString key = o->key();
    auto &af = c.dev().autofind;
    auto it = std::find_if(af.begin(), af.end(), [&](const AutofindEntry &e) {
        return e.at == at && (e.key() == key || (!e.loid.isEmpty() && e.loid == key) ||
                              (!e.password.isEmpty() && e.password == key));
    });
    if (it != af.end()) {
        o->plugged = true;
        af.erase(it);
    }
}

void ontConfirm(Call &c) {
    auto p = ponPort(c, 0);
    if (!p) return;
    if (!c.is(1, "all")) return c.paramError(1);
    const Mode &m = c.s.mode();
    AddOntRequest base;
    base.at = portOf(c, *p);
    base.pon = m.pon;
    base.auth = m.pon == PonKind::Gpon ? AuthMode::Sn : AuthMode::Mac;
    base.management = m.pon == PonKind::Gpon ? "omci" : "oam";
    base.srvProfile = -1;
    for (int i = 2; i < c.argc(); ++i) {
        const QString w = c.arg(i).toLower();
        if (w == "ont-lineprofile-id" || w == "ont-srvprofile-id") {
            auto v = c.number(i + 1, 0, 8192);
            if (!v) return c.paramError(i + 1);
            (w == "ont-lineprofile-id" ? base.lineProfile : base.srvProfile) = *v;
            ++i;
        } else if (w != "sn-auth" && w != "mac-auth" && w != "omci" && w != "oam" && w != "snmp") {
            return c.paramError(i);
        }
    }
    std::vector<AutofindEntry> waiting;
    for (const AutofindEntry *e : c.dev().autofindOn(base.at))
        waiting.push_back(*e);
    QString lines;
    int ok = 0;
    for (const AutofindEntry &e : waiting) {
        AddOntRequest req = base;
        req.key = e.key();
        const AddOntResult r = addOnt(c.dev(), req);
        if (r.failure != Failure::None) continue;
        ++ok;
        lines += c.lang() == Lang::English
                     ? QStringLiteral("  PortID :%1, ONTID :%2\r\n").arg(base.at.port).arg(r.id)
                     : QString::fromUtf8("  端口号 :%1, ONT号 :%2\r\n").arg(base.at.port).arg(r.id);
    }
    if (c.lang() == Lang::English)
        c.line(QStringLiteral("  Number of ONTs that can be added: %1, success: %2")
                   .arg(waiting.size())
                   .arg(ok));
    else
        c.line(QString::fromUtf8("  可以增加的ONT数目: %1, 成功: %2").arg(waiting.size()).arg(ok));
    c.print(lines);
}

void ontIpconfig(Call &c) {
    auto p = ponPort(c, 0);
    if (!p) return;
    auto id = c.number(1, 0, 127);
    if (!id) return c.paramError(1);
    Ont *o = c.dev().ont(portOf(c, *p), *id);
    if (!o) return c.fail(Failure::NoOnt);
    if (c.is(2, "dhcp")) {
        o->ip = "dhcp";
        return;
    }
    if (!c.is(2, "static") || !c.is(3, "ip-address")) return c.paramError(c.is(2, "static") ? 3 : 2);
    if (c.argc() < 5) return c.incomplete();
    o->ip = c.arg(4);
}

void opticalInfo(Call &c) {
    if (!c.need(2, 2)) return;
    bool all = false;
    auto targets = ontTargets(c, &all);
    if (!targets) return;
    auto show = [](Call &c) {
        bool all = false;
        auto list = ontTargets(c, &all);
        if (!list) return;
        if (!all) {
            const Ont *o = c.dev().ont(list->front().first, list->front().second);
            return o ? c.print(renderOptics(c.lang(), *o)) : c.fail(Failure::NoOnt);
        }
        QString out = rule();
        out += tr(c.lang(), "  ONT  Rx Power(dBm)  Tx Power(dBm)  OLT Rx ONT Power(dBm)\r\n",
                  "  ONT  接收光功率(dBm) 发送光功率(dBm) OLT接收光功率(dBm)\r\n");
        out += rule();
        for (const auto &[at, id] : *list) {
            const Ont *o = c.dev().ont(at, id);
            auto num = [o](double v) {
                return o->online() ? QString::number(v, 'f', 2) : QStringLiteral("-");
            };
            out += "  ";
            appendPadded(out, QString::number(id), 5);
            appendPadded(out, num(o->rxPower), 15);
            appendPadded(out, num(o->txPower), 15);
            out += num(o->rxPower - 2.3) + "\r\n";
        }
        out += rule();
        c.print(out);
    };
    if (all)
        return afterConfirm(c, "  It will take some time. Are you sure to continue? ",
                            "  该操作需要一些时间，确定要继续吗？", show);
    afterOptions(c, "{ <cr>||<K> }:", show);
}

void traffic(Call &c) {
    if (!c.need(2, 2)) return;
    auto targets = ontTargets(c);
    if (!targets) return;
    afterOptions(c, "{ <cr>|eth<K>||<K> }:", [](Call &c) {
        auto list = ontTargets(c);
        const Ont *o = list ? c.dev().ont(list->front().first, list->front().second) : nullptr;
        if (!o) return c.fail(Failure::NoOnt);
        c.print(rule(43));
        c.print(tr(c.lang(), "  Up traffic   (kbps) : ", "  上行流量(kbps)       : ") +
                (o->online() ? "1536" : "0") + "\r\n");
        c.print(tr(c.lang(), "  Down traffic (kbps) : ", "  下行流量(kbps)       : ") +
                (o->online() ? "20480" : "0") + "\r\n");
        c.print(rule(43));
    });
}

void registerInfo(Call &c) {
    if (!c.need(2, 2)) return;
    auto targets = ontTargets(c);
    if (!targets) return;
    afterOptions(c, "{ <cr>||<K> }:", [](Call &c) {
        auto list = ontTargets(c);
        const Ont *o = list ? c.dev().ont(list->front().first, list->front().second) : nullptr;
        if (!o) return c.fail(Failure::NoOnt);
        QString out = rule();
        appendField(out, tr(c.lang(), "Index", "索引"), "1", 16);
        appendField(out, tr(c.lang(), "Type", "类型"),
                    o->online() ? tr(c.lang(), "online", "上线") : tr(c.lang(), "offline", "下线"), 16);
        appendField(out, tr(c.lang(), "Up time", "上线时间"), o->lastUp, 16);
        appendField(out, tr(c.lang(), "Down time", "下线时间"), o->lastDown, 16);
        appendField(out, tr(c.lang(), "Down cause", "下线原因"), o->lastDownCause, 16);
        out += rule();
        c.print(out);
    });
}

void portInfo(Call &c) {
    if (!c.need(1, 1)) return;
    auto p = ponPort(c, 0);
    if (!p) return;
    const PortRef at = portOf(c, *p);
    const auto onts = c.dev().ontsOn(at);
    int online = 0;
    for (const Ont *o : onts)
        online += o->online();
    QString out = rule();
    appendField(out, "F/S/P", at.text(), 30);
    appendField(out, tr(c.lang(), "Port state", "端口状态"), tr(c.lang(), "Online", "在线"), 30);
    appendField(out, tr(c.lang(), "Laser state", "激光器状态"), tr(c.lang(), "Normal", "正常"), 30);
    appendField(out, tr(c.lang(), "Available bandwidth(Kbps)", "可用带宽(Kbps)"), "1180000", 30);
    appendField(out, tr(c.lang(), "Temperature(C)", "温度(C)"), "43", 30);
    appendField(out, tr(c.lang(), "TX power(dBm)", "发送光功率(dBm)"), "3.72", 30);
    const auto af = c.dev().autofindDisabled.find(at.text());
    appendField(out, tr(c.lang(), "Auto find ONT", "ONT自动发现"),
                af != c.dev().autofindDisabled.end() && af->second ? tr(c.lang(), "Disable", "去使能")
                                                                   : tr(c.lang(), "Enable", "使能"),
                30);
    appendField(out, tr(c.lang(), "ONTs registered", "已注册ONT数"), QString::number(onts.size()), 30);
    appendField(out, tr(c.lang(), "ONTs online", "在线ONT数"), QString::number(online), 30);
    out += rule();
    c.print(out);
}

void portState(Call &c) {
    if (!c.need(1, 1)) return;
    const Mode &m = c.s.mode();
    std::vector<int> ports;
    if (c.is(0, "all")) {
        for (int p = 0; p < c.dev().board(m.frame, m.slot)->ports; ++p)
            ports.push_back(p);
    } else if (auto p = ponPort(c, 0)) {
        ports.push_back(*p);
    } else {
        return;
    }
    afterOptions(c, "{ <cr>||<K> }:", [ports](Call &c) {
        QString out;
        for (int p : ports) {
            const PortRef at = portOf(c, p);
            out += rule();
            appendField(out, "F/S/P", at.text(), 30);
            appendField(out, tr(c.lang(), "Optical Module status", "光模块状态"),
                        tr(c.lang(), "Online", "在位"), 30);
            appendField(out, tr(c.lang(), "Port state", "端口状态"), tr(c.lang(), "Online", "在线"), 30);
            appendField(out, tr(c.lang(), "Laser state", "激光器状态"), tr(c.lang(), "Normal", "正常"), 30);
            appendField(out, tr(c.lang(), "ONTs registered", "已注册ONT数"),
                        QString::number(c.dev().ontsOn(at).size()), 30);
        }
        out += rule();
        c.print(out);
    });
}

void autoFindSwitch(Call &c) {
    if (!c.need(2, 2)) return;
    auto p = ponPort(c, 0);
    if (!p) return;
    if (!c.is(1, "ont-auto-find")) return c.paramError(1);
    c.paramError(2);
}

} // namespace

const CommandTable &ponInterfaceCommands() {
    static const CommandTable table = {
        {{"ont", "add"}, ontAdd},
        {{"ont", "delete"}, ontDelete},
        {{"ont", "activate"}, [](Call &c) { ontActivate(c, true); }},
        {{"ont", "deactivate"}, [](Call &c) { ontActivate(c, false); }},
        {{"ont", "reset"}, [](Call &c) { ontRestart(c, false); }},
        {{"ont", "factory-setting-restore"}, [](Call &c) { ontRestart(c, true); }},
        {{"ont", "modify"}, ontModify},
        {{"ont", "confirm"}, ontConfirm},
        {{"ont", "ipconfig"}, ontIpconfig},
        {{"display", "ont", "optical-info"}, opticalInfo},
        {{"display", "ont", "traffic"}, traffic},
        {{"display", "ont", "register-info"}, registerInfo},
        {{"display", "port", "info"}, portInfo},
        {{"display", "port", "state"}, portState},
        {{"port"},
         [](Call &c) {
             if (c.argc() != 3) return autoFindSwitch(c);
             auto p = ponPort(c, 0);
             if (!p) return;
             if (!c.is(1, "ont-auto-find")) return c.paramError(1);
             if (!c.is(2, "enable") && !c.is(2, "disable")) return c.paramError(2);
             c.dev().autofindDisabled[portOf(c, *p).text()] = c.is(2, "disable");
         }},
    };
    return table;
}

} // namespace tw::sim
