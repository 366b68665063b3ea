// Commands of the configuration mode: interfaces, service ports, ARP proxy and routes.
#include "Commands.h"

namespace tw::sim {

namespace {

// "meth0" (also "meth 0") and "vlanif100" (also "vlanif 100"): the index may follow the keyword.
std::optional<int> indexAfter(Call &c, const QString &kind, int *used) {
    QString index = c.arg(0).mid(kind.size());
    *used = 1;
    if (index.isEmpty()) {
        index = c.arg(1);
        *used = 2;
    }
    bool ok = false;
    const int n = index.toInt(&ok);
    if (!ok) return std::nullopt;
    return n;
}

void enterIpInterface(Call &c, const QString &kind) {
    int used = 1;
    auto index = indexAfter(c, kind, &used);
    if (kind == "meth" && (!index || *index != 0)) return c.paramError(used - 1);
    if (kind == "vlanif" && (!index || *index < 1 || *index > 4095)) return c.paramError(used - 1);
    if (!c.need(used, used)) return;
    const QString name = kind + QString::number(*index);
    if (kind == "vlanif") {
        if (!c.dev().vlan(*index)) return c.fail(Failure::NoVlan);
        openIpInterface(c.dev(), name);
    }
    c.s.pushMode(mode::IpInterface{name});
}

void enterInterface(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    const QString kind = c.arg(0).toLower();
    if (kind.startsWith("meth")) return enterIpInterface(c, "meth");
    if (kind.startsWith("vlanif")) return enterIpInterface(c, "vlanif");
    if (kind == "emu") {
        if (!c.need(2, 2)) return;
        auto id = c.number(1, 0, 127);
        if (!id) return c.paramError(1);
        if (*id != 0) return c.say(text::NoEmu);
        return c.s.pushMode(mode::EmuInterface{});
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
    const BoardSlot at{frame, slot};
    if (kind == "gpon" || kind == "epon")
        c.s.pushMode(mode::PonInterface{kind == "gpon" ? PonKind::Gpon : PonKind::Epon, at});
    else if (kind == "giu")
        c.s.pushMode(mode::UplinkInterface{at});
    else
        c.s.pushMode(mode::BoardInterface{kind, at});
}

// undo interface vlanif <V>: the VLAN interface and its address go.
void undoInterface(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    if (!c.arg(0).startsWith("vlanif", Qt::CaseInsensitive)) return c.paramError(0);
    int used = 1;
    auto index = indexAfter(c, "vlanif", &used);
    if (!index) return c.paramError(used - 1);
    if (!c.need(used, used)) return;
    const QString name = "vlanif" + QString::number(*index);
    if (!c.dev().ipInterface(name)) return c.say(text::NoInterface);
    std::erase_if(c.dev().ipInterfaces, [&](const IpInterface &i) { return i.name == name; });
}

// ip route-static <destination> <mask> <gateway> [description <text>]
void routeStatic(Call &c, bool add) {
    if (c.argc() < (add ? 3 : 2)) return c.incomplete();
    auto destination = parseIpv4(c.arg(0));
    if (!destination) return c.paramError(0);
    auto length = parseMaskLength(c.arg(1));
    if (!length) return c.paramError(1);
    // The destination is kept as its network, whatever host bits were typed.
    const quint32 net = *destination & *parseIpv4(maskText(*length));
    StaticRoute r{ipv4Text(net), maskText(*length), {}, {}};
    if (c.argc() > 2) {
        auto gateway = parseIpv4(c.arg(2));
        const quint32 first = gateway ? *gateway >> 24 : 0;
        if (first == 0 || first == 127 || first >= 224) return c.paramError(2);
        r.gateway = ipv4Text(*gateway);
    }
    if (!add) {
        if (!c.need(2, 3)) return;
        const auto before = c.dev().routes.size();
        std::erase_if(c.dev().routes, [&](const StaticRoute &x) {
            return x.destination == r.destination && x.mask == r.mask &&
                   (r.gateway.isEmpty() || x.gateway == r.gateway);
        });
        if (c.dev().routes.size() == before) c.say(text::NoRoute);
        return;
    }
    if (c.argc() > 3) {
        if (!c.is(3, "description")) return c.paramError(3);
        if (!c.need(5, 5)) return;
        if (c.arg(4).size() > 80) return c.paramError(4);
        r.description = c.arg(4);
    }
    addStaticRoute(c.dev(), r);
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
             if (c.need(0, 0)) c.s.pushMode(mode::Btv{});
         }},
        {{"diagnose"},
         [](Call &c) {
             if (c.need(0, 0)) c.s.pushMode(mode::Diagnose{});
         }},
        {{"undo", "interface"}, undoInterface},
        {{"service-port"}, servicePortAdd},
        {{"undo", "service-port"}, undoServicePort},
        {{"alarm", "active", "clear"}, alarmClear},
        {{"arp", "proxy"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (!c.is(0, "enable") && !c.is(0, "disable")) return c.paramError(0);
             c.dev().switches["arp proxy"] = c.is(0, "enable");
         }},
        {{"ip", "route-static"}, [](Call &c) { routeStatic(c, true); }},
        {{"undo", "ip", "route-static"}, [](Call &c) { routeStatic(c, false); }},
        {{"telnet"},
         [](Call &c) {
             if (!c.need(1, 2)) return;
             c.print(renderTelnetTrying(c.lang(), c.arg(0)));
             c.say(text::TelnetTimedOut);
         }},
    };
    return table;
}

} // namespace tw::sim
