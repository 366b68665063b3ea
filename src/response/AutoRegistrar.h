#pragma once
// The unattended registration of the ONTs in the autofind list. Each ONT is an attempt of its own
// that carries its port, key and stage and goes on only on the answers to its own commands:
// "ont add", then the service flows on the ONT the OLT confirms; or, when the OLT still holds the
// ONT on another port, the location query and the deletion of the old registration (its multicast
// users first with IPTV on), after which the next tick registers it where it is now.
//
// A key whose registration fails is set aside for a few ticks, and the others are not held up by
// it. A dropped connection interrupts what was running; once the CLI is back, an attempt that may
// have registered its ONT looks it up and gives it its service ports, so that no ONT is left
// registered without them.

#include "response/DiscoveryParser.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

namespace tw {

class ActivityLog;
class CommandSink;
class SettingsStore;
struct OntLocation;
struct ScriptOutcome;

class AutoRegistrar {
  public:
    AutoRegistrar(CommandSink &sink, SettingsStore &settings, const ActivityLog &log)
        : sink_(sink), settings_(settings), log_(log) {}

    // What went wrong or was finished late, for the status bar and the console.
    std::function<void(const QString &message)> report;

    // A tick's discovery reply: every waiting ONT that is neither in hand nor set aside.
    void discovered(const QString &text);
    // Whether an attempt is under way for this key (its replies are its own).
    bool owns(const QString &key) const;
    // The CLI is back after a reconnect: finish what the drop cut off.
    void resume();

    // How many ticks a key that failed `failures` times in a row is left out.
    static int backoffTicks(int failures);
    // Attempts waiting for the connection to come back.
    int pendingRecoveries() const { return int(recover_.size()); }

  private:
    void add(const WaitingOnt &ont);
    void added(const WaitingOnt &ont, const ScriptOutcome &outcome);
    void giveFlows(const WaitingOnt &ont, const QString &port, const QString &ontId, bool recovered);
    void locate(const WaitingOnt &ont);
    void removeOld(const WaitingOnt &ont, const OntLocation &at);
    void deleteOld(const WaitingOnt &ont, const OntLocation &at);
    void recover(const WaitingOnt &ont);
    void interrupted(const WaitingOnt &ont, bool mayBeRegistered);
    void failed(const WaitingOnt &ont, const QString &what);
    void finished(const WaitingOnt &ont);
    void tell(const QString &message) const;

    CommandSink &sink_;
    SettingsStore &settings_;
    const ActivityLog &log_;
    QSet<QString> active_; // keys (upper case) with an attempt under way or waiting to recover
    struct SetAside {
        int failures = 0;
        int untilTick = 0;
    };
    QHash<QString, SetAside> setAside_;
    QList<WaitingOnt> recover_;
    int tick_ = 0;
};

} // namespace tw
