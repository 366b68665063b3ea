// The display commands of the GPON and EPON interface modes: readings of ONTs and ports.
#include "Commands.h"

namespace tw::sim {

namespace {

// One row per ONT that answers; the others have no readings.
void opticalTable(Call &c, const std::vector<std::pair<PortRef, int>> &list) {
    std::vector<const Ont *> onts;
    for (const auto &[at, id] : list)
        if (const Ont *o = c.dev().ont(at, id)) onts.push_back(o);
    const Board *b = c.dev().board(c.s.mode().frame, c.s.mode().slot);
    const QString table =
        renderOpticalTable(c.lang(), b && b->kind == BoardKind::Epon ? PonKind::Epon : PonKind::Gpon, onts);
    table.isEmpty() ? c.fail(Failure::NotOnline) : c.print(table);
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
        if (all) return opticalTable(c, *list);
        const Ont *o = c.dev().ont(list->front().first, list->front().second);
        if (!o) return c.fail(Failure::NoOnt);
        o->online() ? c.print(renderOptics(c.lang(), *o)) : c.fail(Failure::NotOnline);
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
        if (!o->online()) return c.fail(Failure::NotOnline);
        c.print(rule(43));
        c.print(tr(c.lang(), "  Up traffic   (kbps) : ", "  上行流量(kbps)       : ") + "1536\r\n");
        c.print(tr(c.lang(), "  Down traffic (kbps) : ", "  下行流量(kbps)       : ") + "20480\r\n");
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

} // namespace

const CommandTable &ponDisplayCommands() {
    static const CommandTable table = {
        {{"display", "ont", "optical-info"}, opticalInfo},   {{"display", "ont", "traffic"}, traffic},
        {{"display", "ont", "register-info"}, registerInfo}, {{"display", "port", "info"}, portInfo},
        {{"display", "port", "state"}, portState},
    };
    return table;
}

} // namespace tw::sim
