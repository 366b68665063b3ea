// Commands of the configuration mode that act on boards and the whole system: board states,
// restarts, the system name, saving, the idle time-out, autosave and the global switches.
#include "Commands.h"

#include <QRegularExpression>

namespace tw::sim {

namespace {

void report(Call &c, Failure f) {
    if (f != Failure::None) c.fail(f);
}

// board confirm|power-off|power-on|reset|delete <f/s>; "board confirm <f>" confirms the whole frame.
void boardCommand(Call &c) {
    if (!c.need(2, 2)) return;
    const QString op = c.arg(0).toLower();
    static const QStringList ops = {"confirm", "power-off", "power-on", "reset", "delete"};
    if (!ops.contains(op)) return c.paramError(0);
    if (op == "confirm" && !c.arg(1).contains('/')) {
        auto frame = c.number(1, 0, 7);
        return frame ? report(c, confirmFrame(c.dev(), *frame)) : c.paramError(1);
    }
    auto ref = boardRef(c.arg(1));
    if (!ref) return c.paramError(1);
    const auto [frame, slot] = *ref;
    if (!c.dev().board(frame, slot)) return c.fail(Failure::NoBoard);
    if (op == "confirm") return report(c, confirmBoard(c.dev(), frame, slot));
    if (op == "power-on") return report(c, powerBoard(c.dev(), frame, slot, true));

    auto apply = [op, frame = frame, slot = slot](Call &c) {
        Device &d = c.dev();
        if (op == "power-off") return report(c, powerBoard(d, frame, slot, false));
        if (op == "delete") return report(c, deleteBoard(d, frame, slot));
        const Board *b = d.board(frame, slot);
        if (b && b == activeControlBoard(d)) {
            // The standby board takes over; without one the whole system restarts.
            if (switchOver(d) != Failure::None) restartDevice(d);
            return c.s.endForRestart();
        }
        report(c, resetBoard(d, frame, slot));
    };
    if (op == "power-off") return afterConfirm(c, text::ConfirmBoardPowerOff, apply);
    if (op == "delete") return afterConfirm(c, text::ConfirmBoardDelete, apply);
    afterConfirm(c, text::ConfirmBoardReset, apply);
}

void eraseFlash(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "active")) return c.paramError(0);
    afterConfirm(c, text::ConfirmFlashErase, [](Call &c) {
        eraseDevice(c.dev());
        c.say(text::FlashErased);
        c.s.endForRestart();
    });
}

void rebootSystem(Call &c) {
    if (!c.need(0, 0)) return;
    afterConfirm(c, text::ConfirmReboot, [](Call &c) {
        restartDevice(c.dev());
        c.say(text::Rebooting);
        c.s.endForRestart();
    });
}

void switchOverCommand(Call &c) {
    if (!c.need(0, 0)) return;
    afterConfirm(c, text::ConfirmSwitchOver, [](Call &c) {
        if (Failure f = switchOver(c.dev()); f != Failure::None) return c.fail(f);
        c.say(text::SwitchingOver);
        c.s.endForRestart();
    });
}

void save(Call &c) {
    if (!c.need(0, 1)) return;
    auto run = [](Call &c) {
        saveConfiguration(c.dev());
        c.say(text::SavingConfiguration);
        const Board *b = activeControlBoard(c.dev());
        c.print(renderConfigurationSaved(c.lang(), b ? b->slot : 0));
    };
    if (c.argc() == 1) return c.is(0, "configuration") || c.is(0, "data") ? run(c) : c.paramError(0);
    afterOptions(c, "{ <cr>|configuration<K>|data<K> }:", run);
}

// idle-timeout <minutes> [<seconds>]; 0 0 never times out.
void idleTimeout(Call &c) {
    if (!c.need(1, 2)) return;
    auto minutes = c.number(0, 0, 35791);
    if (!minutes) return c.paramError(0);
    auto seconds = c.argc() == 2 ? c.number(1, 0, 59) : std::optional<int>(0);
    if (!seconds) return c.paramError(1);
    const int total = *minutes * 60 + *seconds;
    c.s.setIdleSeconds(total);
    c.dev().idleSeconds = total;
}

// "03:00:00" for a time of day typed as h:m:s, or nothing.
std::optional<QString> clockTime(const QString &text) {
    static const QRegularExpression form("^(\\d{1,2}):(\\d{1,2}):(\\d{1,2})$");
    const auto m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int h = m.captured(1).toInt(), min = m.captured(2).toInt(), s = m.captured(3).toInt();
    if (h > 23 || min > 59 || s > 59) return std::nullopt;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(min, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

// autosave type all|data|configuration; autosave time on|off|<hh:mm:ss>;
// autosave interval on|off|<minutes>; autosave interval configuration <minutes>.
void autosave(Call &c) {
    if (c.argc() < 2) return c.incomplete();
    Autosave &a = c.dev().autosave;
    if (c.is(0, "type")) {
        if (!c.need(2, 2)) return;
        const QString type = c.arg(1).toLower();
        if (!QStringList{"all", "data", "configuration"}.contains(type)) return c.paramError(1);
        a.type = type;
    } else if (c.is(0, "time")) {
        if (!c.need(2, 2)) return;
        if (c.is(1, "on") || c.is(1, "off")) {
            a.timeOn = c.is(1, "on");
        } else if (auto time = clockTime(c.arg(1))) {
            a.time = *time;
        } else {
            c.paramError(1);
        }
    } else if (c.is(0, "interval")) {
        const bool configuration = c.is(1, "configuration");
        const int i = configuration ? 2 : 1;
        if (!c.need(i + 1, i + 1)) return;
        if (!configuration && (c.is(1, "on") || c.is(1, "off"))) {
            a.intervalOn = c.is(1, "on");
        } else if (auto minutes = c.number(i, 10, 10080)) {
            (configuration ? a.configurationInterval : a.interval) = *minutes;
        } else {
            c.paramError(i);
        }
    } else {
        c.paramError(0);
    }
}

// Switching off a protection the device asks about first.
struct Caution {
    const char *name;
    Text question;
};

const Caution kCautions[] = {
    {"security anti-dos", text::ConfirmAntiDosOff},
    {"security anti-ipv6spoofing", text::ConfirmAntiIpv6SpoofingOff},
    {"ring check", text::ConfirmRingCheckOff},
};

void setSwitch(Call &c, const QString &name, int at) {
    if (!c.is(at, "enable") && !c.is(at, "disable")) return c.paramError(at);
    const bool on = c.is(at, "enable");
    auto apply = [name, on](Call &c) { c.dev().switches[name] = on; };
    if (!on)
        for (const Caution &caution : kCautions)
            if (name == caution.name) return afterConfirm(c, caution.question, apply);
    apply(c);
}

void security(Call &c) {
    if (!c.need(2, 2)) return;
    static const QStringList features = {"anti-ipattack",    "anti-ipspoofing", "anti-macduplicate",
                                         "anti-macspoofing", "anti-dos",        "anti-icmpattack",
                                         "anti-ipv6spoofing"};
    const QString feature = c.arg(0).toLower();
    if (!features.contains(feature)) return c.paramError(0);
    setSwitch(c, "security " + feature, 1);
}

} // namespace

const CommandTable &systemCommands() {
    static const CommandTable table = {
        {{"board"}, boardCommand},
        {{"erase", "flash", "data"}, eraseFlash},
        {{"reboot", "system"}, rebootSystem},
        {{"system", "switch-over"}, switchOverCommand},
        {{"sysname"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (c.arg(0).size() > 64) return c.paramError(0);
             c.dev().sysname = c.arg(0);
         }},
        {{"save"}, save},
        {{"idle-timeout"}, idleTimeout},
        {{"autosave"}, autosave},
        {{"security"}, security},
        {{"ring", "check"},
         [](Call &c) {
             if (c.need(1, 1)) setSwitch(c, "ring check", 0);
         }},
    };
    return table;
}

} // namespace tw::sim
