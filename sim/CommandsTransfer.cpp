// Files to and from TFTP servers: the configuration and database backups, their restore and the
// activation of a loaded configuration; and ONT loading in the diagnose mode with its displays.
#include "Commands.h"
#include "Scenario.h"

#include "common/Gbk.h"

namespace tw::sim {

namespace {

bool ipv4(const QString &text) {
    const QStringList octets = text.split('.');
    bool valid = octets.size() == 4;
    for (const QString &o : octets) {
        bool ok = false;
        const int n = o.toInt(&ok);
        valid = valid && ok && o.size() <= 3 && n >= 0 && n <= 255;
    }
    return valid;
}

bool fileName(const QString &text) {
    return !text.isEmpty() && text.size() <= 128;
}

void lineTo(Session &s, const QString &text) {
    s.print(text + "\r\n");
}

void sayTo(Session &s, const Text &text) {
    lineTo(s, tr(s.lang(), text));
}

// The file as it arrived: a configuration has the section headings and "#" lines a saved one has.
bool looksLikeConfiguration(const QByteArray &file) {
    const QByteArray text = "\n" + QByteArray(file).replace("\r\n", "\n");
    return text.contains("\n#\n") && text.contains("\n[");
}

void transferEnded(Session &s, bool load, bool configuration, const TransferResult &r) {
    if (!r.ok()) return s.print(renderTransferFailure(s.lang(), r));
    Device &d = s.device();
    if (!load) return sayTo(s, text::BackedUp);
    if (configuration) {
        if (!looksLikeConfiguration(r.data)) return lineTo(s, failureText(Failure::BadLoadFile, s.lang()));
        d.loadedConfiguration = r.data;
        return sayTo(s, text::ConfigurationLoaded);
    }
    ScenarioResult loaded = deviceFromDatabase(r.data);
    if (!loaded.device) return lineTo(s, failureText(Failure::BadLoadFile, s.lang()));
    // The data becomes what the device runs and what it starts with.
    Device next = std::move(*loaded.device);
    if (next.accounts.empty()) next.accounts = d.accounts; // never lock everybody out
    d = std::move(next);
    saveConfiguration(d);
    sayTo(s, text::DataLoaded);
}

// backup configuration|data tftp <address> <file>; load configuration|data tftp <address> <file> all
void transferCommand(Call &c, bool load) {
    if (!c.need(4, load ? 5 : 4)) return;
    if (!c.is(0, "configuration") && !c.is(0, "data")) return c.paramError(0);
    if (!c.is(1, "tftp")) return c.paramError(1);
    if (!ipv4(c.arg(2))) return c.paramError(2);
    if (!fileName(c.arg(3))) return c.paramError(3);
    if (c.argc() == 5 && !c.is(4, "all")) return c.paramError(4);
    afterConfirm(c, load ? text::ConfirmLoad : text::ConfirmBackup,
                 [load](Call &c) {
                     const bool configuration = c.is(0, "configuration");
                     TransferRequest r;
                     r.server = c.arg(2);
                     r.file = c.arg(3);
                     if (!load) {
                         r.direction = TransferRequest::Direction::Put;
                         // The configuration as the device runs it, in the device's encoding.
                         r.data = configuration ? tw::toGbk(renderCurrentConfiguration(c.dev()))
                                                : databaseFile(c.dev());
                     }
                     Session *s = &c.s;
                     c.s.transfer(r, [s, load, configuration](const TransferResult &result) {
                         transferEnded(*s, load, configuration, result);
                     });
                 });
}

// The device takes the loaded configuration and restarts with it, as a real OLT does: the
// configuration is built while it boots.
void activateConfiguration(Call &c) {
    if (!c.need(0, 0)) return;
    afterConfirm(c, text::ConfirmActivate, [](Call &c) {
        Device &d = c.dev();
        if (d.loadedConfiguration.isEmpty()) return c.say(text::NoLoadedConfiguration);
        d.activating = std::exchange(d.loadedConfiguration, {});
        c.say(text::ConfigurationActivated);
        c.s.endForRestart();
    });
}

// ont-load info program|configuration <file> tftp <address>: the device fetches the file at once.
void ontLoadInfo(Call &c) {
    if (!c.need(4, 4)) return;
    if (!c.is(0, "program") && !c.is(0, "configuration")) return c.paramError(0);
    if (!fileName(c.arg(1))) return c.paramError(1);
    if (!c.is(2, "tftp")) return c.paramError(2);
    if (!ipv4(c.arg(3))) return c.paramError(3);
    if (c.dev().ontLoad.phase == OntLoad::Phase::Running) return c.fail(Failure::LoadRunning);
    const bool program = c.is(0, "program");
    TransferRequest r{TransferRequest::Direction::Get, c.arg(3), c.arg(1), {}};
    Session *s = &c.s;
    c.s.transfer(r, [s, program, r](const TransferResult &result) {
        if (!result.ok()) return s->print(renderTransferFailure(s->lang(), result));
        if (Failure f = setOntLoadFile(s->device(), program, r.file, r.server, result.data);
            f != Failure::None)
            return lineTo(*s, failureText(f, s->lang()));
        s->print(renderOntLoadReady(s->lang(), result.data.size()));
    });
}

// ont-load select <f/s> [<port> [<ont>]]: the board alone, a port of it, or one ONT.
void ontLoadSelect(Call &c) {
    if (!c.need(1, 3)) return;
    auto board = boardRef(c.arg(0));
    if (!board) return c.paramError(0);
    OntLoadSelection sel{board->first, board->second, {}, {}};
    if (c.argc() > 1) {
        sel.port = c.number(1, 0, 15);
        if (!sel.port) return c.paramError(1);
    }
    if (c.argc() > 2) {
        sel.ont = c.number(2, 0, 127);
        if (!sel.ont) return c.paramError(2);
    }
    if (Failure f = selectOntLoad(c.dev(), sel); f != Failure::None) c.fail(f);
}

// ont-load start [activemode immediate|next-startup]
void ontLoadStart(Call &c) {
    if (!c.need(0, 2)) return;
    QString mode = "immediate";
    if (c.argc() > 0) {
        if (!c.is(0, "activemode")) return c.paramError(0);
        if (c.argc() < 2) return c.incomplete();
        if (!c.is(1, "immediate") && !c.is(1, "next-startup")) return c.paramError(1);
        mode = c.arg(1).toLower();
    }
    Device &d = c.dev();
    if (Failure f = startOntLoad(d, mode, c.s.clockMs(), c.s.options().ontLoadMs); f != Failure::None)
        return c.fail(f);
    c.print(renderOntLoadStarted(c.lang(), qsizetype(d.ontLoad.targets.size())));
}

void ontLoadStop(Call &c) {
    if (!c.need(0, 0)) return;
    if (Failure f = stopOntLoad(c.dev()); f != Failure::None) return c.fail(f);
    c.say(text::OntLoadStopped);
}

// display ont-load info
void displayLoadInfo(Call &c) {
    const OntLoad &l = c.dev().ontLoad;
    if (!l.fileReady) return c.fail(Failure::NoLoadFile);
    c.print(renderOntLoadInfo(l, c.lang()));
}

// display ont-load select <f/s> [<port> [<ont>]]: the selected ONTs, their state and progress.
void displayLoadSelect(Call &c) {
    if (!c.need(2, 4)) return;
    auto board = boardRef(c.arg(1));
    if (!board) return c.paramError(1);
    OntLoadSelection filter{board->first, board->second, {}, {}};
    if (c.argc() > 2 && !(filter.port = c.number(2, 0, 15))) return c.paramError(2);
    if (c.argc() > 3 && !(filter.ont = c.number(3, 0, 127))) return c.paramError(3);
    std::vector<const OntLoadTarget *> selected;
    for (const OntLoadTarget &t : c.dev().ontLoad.targets)
        if (ontLoadSelects(filter, t.at, t.id)) selected.push_back(&t);
    if (selected.empty()) return c.fail(Failure::NoLoadSelection);
    c.print(renderOntLoadTargets(selected, c.lang()));
}

} // namespace

void ontLoadDisplay(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    advanceOntLoad(c.dev(), c.s.clockMs());
    if (c.is(0, "info")) return c.need(1, 1) ? displayLoadInfo(c) : void();
    if (c.is(0, "select")) return displayLoadSelect(c);
    c.paramError(0);
}

const CommandTable &transferCommands() {
    static const CommandTable table = {
        {{"backup"}, [](Call &c) { transferCommand(c, false); }},
        {{"load"}, [](Call &c) { transferCommand(c, true); }},
        {{"active", "configuration", "system"}, activateConfiguration},
    };
    return table;
}

const CommandTable &diagnoseCommands() {
    static const CommandTable table = {
        {{"ont-load", "info"}, ontLoadInfo},
        {{"ont-load", "select"}, ontLoadSelect},
        {{"ont-load", "start"}, ontLoadStart},
        {{"ont-load", "stop"}, ontLoadStop},
    };
    return table;
}

} // namespace tw::sim
