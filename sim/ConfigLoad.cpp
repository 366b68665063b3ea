// Activating a configuration file: its sections hold CLI lines, indented one blank at the level of
// the section's interface (or of configuration mode) and two blanks inside a nested mode.
#include "ConfigLoad.h"

#include "Commands.h"
#include "Session.h"

#include "common/Gbk.h"

#include <QElapsedTimer>

namespace tw::sim {

namespace {

// The device before the file: its boards and accounts, nothing configured.
Device factoryBase(const Device &running) {
    Device d;
    d.frame = running.frame;
    d.boards = running.boards;
    d.accounts = running.accounts;
    d.screenLength = running.screenLength;
    d.now = running.now;
    d.fans = running.fans;
    d.alarms = running.alarms;
    d.alarmSerial = running.alarmSerial;
    d.dbaProfiles = factoryDbaProfiles();
    d.lineProfiles = factoryLineProfiles();
    d.srvProfiles = factorySrvProfiles();
    // A configured PON board starts with auto-find off on every port; the file turns it on.
    for (const Board &b : d.boards)
        if (b.isPon() && b.present() && b.state != BoardState::AutoFind)
            for (int p = 0; p < b.ports; ++p)
                d.autofindDisabled[PortRef{d.frame, b.slot, p}.text()] = true;
    d.saved = std::make_shared<const Device>(); // not booted from: no session saves it
    return d;
}

// "board add 0/1 H806GPBD": a board found but not yet confirmed is taken into service.
bool boardAdd(Device &d, const QString &line) {
    const QStringList w = line.split(' ', Qt::SkipEmptyParts);
    if (w.size() != 4) return false;
    auto ref = boardRef(w[2]);
    if (!ref) return false;
    const Board *b = d.board(ref->first, ref->second);
    if (!b || b->name != w[3]) return false; // another board in the slot: its configuration does not fit
    if (b->state == BoardState::AutoFind) confirmBoard(d, ref->first, ref->second);
    return true;
}

bool failed(const QString &output) {
    return output.contains("  % ") || output.contains("Failure");
}

// Commands a configuration file never holds: they act on the system instead of configuring it.
bool actsOnTheSystem(const QString &first) {
    static const QStringList words = {"reboot",  "erase",    "save",     "backup", "load",
                                      "active",  "diagnose", "ont-load", "telnet", "system",
                                      "display", "switch",   "scroll"};
    return words.contains(first);
}

int indentOf(const QString &line) {
    int n = 0;
    while (n < line.size() && line[n] == ' ')
        ++n;
    return n;
}

} // namespace

ConfigurationReplay::ConfigurationReplay(const Device &running, const QString &text)
    : result_{factoryBase(running), {}}, session_(std::make_unique<Session>(result_.device, faults_)),
      lines_(text.split('\n')) {
    session_->pushMode(mode::Privileged{});
    session_->pushMode(mode::Config{});
    configDepth_ = blockDepth_ = session_->modeDepth();
}

ConfigurationReplay::~ConfigurationReplay() = default;

bool ConfigurationReplay::step(int budgetMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done_ && next_ < lines_.size()) {
        run(lines_[next_++]);
        if (clock.elapsed() >= budgetMs) break;
    }
    done_ = done_ || next_ >= lines_.size();
    return done_;
}

void ConfigurationReplay::run(const QString &text) {
    Session &s = *session_;
    QString raw = text;
    if (raw.endsWith('\r')) raw.chop(1);
    const QString line = raw.trimmed();
    if (line.isEmpty()) return;
    if (line == "return") {
        done_ = true;
        return;
    }
    if (line == "#" || line.startsWith('[') || line.startsWith('<')) { // a section or block starts
        s.leaveToConfig();
        blockDepth_ = configDepth_;
        return;
    }
    const QString first = line.section(' ', 0, 0).toLower();
    if (first == "board" && line.section(' ', 1, 1).toLower() == "add") {
        if (!boardAdd(result_.device, line)) result_.rejected << line;
        return;
    }
    if (first == "emu") return; // the fan tray is there whether it is configured or not
    if (actsOnTheSystem(first)) {
        result_.rejected << line;
        return;
    }
    const bool blockLevel = indentOf(raw) <= 1;
    if (blockLevel)
        while (s.modeDepth() > blockDepth_)
            s.popMode();
    if (first == "quit") {
        if (s.modeDepth() > configDepth_) s.popMode();
        return;
    }
    QString out = s.runQuiet(line);
    // A block-level line the block's mode does not know belongs to configuration mode.
    if (blockLevel && out.contains("Unknown command") && s.modeDepth() > configDepth_) {
        s.leaveToConfig();
        blockDepth_ = configDepth_;
        out = s.runQuiet(line);
    }
    if (failed(out)) result_.rejected << line;
    if (blockLevel && (first == "interface" || first == "btv")) blockDepth_ = s.modeDepth();
}

ConfigurationResult ConfigurationReplay::take() {
    session_.reset();
    result_.device.saved.reset();
    return std::move(result_);
}

ConfigurationResult deviceFromConfiguration(const Device &running, const QString &text) {
    ConfigurationReplay replay(running, text);
    while (!replay.step(1000)) {
    }
    return replay.take();
}

void activateNow(Device &d) {
    if (d.activating.isEmpty()) return;
    const QString text = tw::fromGbk(std::exchange(d.activating, {}));
    restartWith(d, deviceFromConfiguration(d, text).device);
}

} // namespace tw::sim
