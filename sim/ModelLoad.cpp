// ONT loading: a firmware package or a configuration file pushed to the ONTs the operator selects.
// The loading takes its time; every ONT that answers ends it loaded, one that does not fails.
#include "Model.h"

#include <QRegularExpression>

#include <algorithm>

namespace tw::sim {

namespace {

bool looksLikeVersion(const QString &text) {
    static const QRegularExpression form("^[A-Za-z0-9][A-Za-z0-9._\\-]{0,31}$");
    return form.match(text).hasMatch();
}

// The ONT takes the package: at once, restarting with it, or at its next restart.
void applyPackage(Device &d, Ont &o, const QString &version, bool immediate) {
    if (immediate) {
        o.standbySoftware = o.software;
        o.software = version;
        o.standbyOnRestart = false;
        o.lastUp = d.now;
    } else {
        o.standbySoftware = version;
        o.standbyOnRestart = true;
    }
}

} // namespace

QString loadedVersion(const QString &file, const QByteArray &contents) {
    qsizetype end = contents.indexOf('\n');
    if (end < 0) end = contents.size();
    const QString first = QString::fromLatin1(contents.left(std::min<qsizetype>(end, 64))).trimmed();
    if (looksLikeVersion(first)) return first;
    QString name = file.section('/', -1).section('\\', -1);
    if (const qsizetype dot = name.lastIndexOf('.'); dot > 0) name.truncate(dot);
    return name.left(32);
}

Failure setOntLoadFile(Device &d, bool program, const QString &file, const QString &server,
                       const QByteArray &contents) {
    OntLoad &l = d.ontLoad;
    if (l.phase == OntLoad::Phase::Running) return Failure::LoadRunning;
    if (contents.isEmpty()) return Failure::BadLoadFile;
    l.program = program;
    l.file = file;
    l.server = server;
    l.version = program ? loadedVersion(file, contents) : QString();
    l.fileReady = true;
    return Failure::None;
}

bool ontLoadSelects(const OntLoadSelection &s, PortRef at, int id) {
    return at.frame == s.frame && at.slot == s.slot && (!s.port || at.port == *s.port) &&
           (!s.ont || id == *s.ont);
}

Failure selectOntLoad(Device &d, const OntLoadSelection &selection) {
    if (d.ontLoad.phase == OntLoad::Phase::Running) return Failure::LoadRunning;
    const Board *b = d.board(selection.frame, selection.slot);
    if (!b) return Failure::NoBoard;
    if (!b->isPon()) return Failure::WrongBoardType;
    if (selection.port && *selection.port >= b->ports) return Failure::NoPort;
    if (selection.ont && !d.ont(PortRef{selection.frame, selection.slot, *selection.port}, *selection.ont))
        return Failure::NoOnt;
    d.ontLoad.selection = selection;
    return Failure::None;
}

Failure startOntLoad(Device &d, const QString &activeMode, qint64 nowMs, qint64 durationMs) {
    OntLoad &l = d.ontLoad;
    if (l.phase == OntLoad::Phase::Running) return Failure::LoadRunning;
    if (!l.fileReady) return Failure::NoLoadFile;
    if (!l.selection) return Failure::NoLoadSelection;
    std::vector<OntLoadTarget> targets;
    for (const Ont &o : d.onts) {
        if (!ontLoadSelects(*l.selection, o.at, o.id)) continue;
        OntLoadTarget t;
        t.at = o.at;
        t.id = o.id;
        if (!o.online()) {
            t.state = OntLoadTarget::State::Failed;
            t.cause = Failure::NotOnline;
        }
        targets.push_back(t);
    }
    if (targets.empty()) return Failure::NoLoadSelection;
    l.targets = std::move(targets);
    l.activeMode = activeMode;
    l.startMs = nowMs;
    l.durationMs = std::max<qint64>(durationMs, 1);
    l.phase = OntLoad::Phase::Running;
    advanceOntLoad(d, nowMs);
    return Failure::None;
}

void advanceOntLoad(Device &d, qint64 nowMs) {
    OntLoad &l = d.ontLoad;
    if (l.phase != OntLoad::Phase::Running) return;
    const qint64 elapsed = std::clamp<qint64>(nowMs - l.startMs, 0, l.durationMs);
    const bool over = elapsed >= l.durationMs;
    for (OntLoadTarget &t : l.targets) {
        if (t.state != OntLoadTarget::State::Loading) continue;
        Ont *o = d.ont(t.at, t.id);
        if (!o || !o->online()) { // deleted or gone dark while it was loading
            t.state = OntLoadTarget::State::Failed;
            t.cause = o ? Failure::NotOnline : Failure::NoOnt;
            continue;
        }
        t.progress = over ? 100 : int(elapsed * 100 / l.durationMs);
        if (!over) continue;
        t.state = OntLoadTarget::State::Success;
        if (l.program) applyPackage(d, *o, l.version, l.activeMode != "next-startup");
    }
    if (over) l.phase = OntLoad::Phase::Ended;
}

Failure stopOntLoad(Device &d) {
    OntLoad &l = d.ontLoad;
    switch (l.phase) {
    case OntLoad::Phase::Idle:
        return Failure::NoLoadRunning;
    case OntLoad::Phase::Running:
        for (OntLoadTarget &t : l.targets)
            if (t.state == OntLoadTarget::State::Loading) t.state = OntLoadTarget::State::Stopped;
        l.phase = OntLoad::Phase::Ended;
        return Failure::None;
    case OntLoad::Phase::Ended:
        l.phase = OntLoad::Phase::Idle;
        l.targets.clear();
        return Failure::None;
    }
    return Failure::None;
}

void restartOnt(Device &d, Ont &o) {
    o.lastUp = d.now;
    if (!std::exchange(o.standbyOnRestart, false)) return;
    std::swap(o.software, o.standbySoftware);
}

} // namespace tw::sim
