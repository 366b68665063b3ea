#pragma once
// A reading of the ONTs' optical levels: one port, one board (each of its ports) or the chassis
// (each port of each PON board), a port at a time through the command sink, each port's listing
// taken from its own script's answer. The rows are joined with the ONT list (serial, description)
// and kept in the optical history as one reading.

#include "monitor/OpticalHistory.h"
#include "monitor/OpticalParser.h"
#include "ont/OntRef.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace tw {

class CommandSink;
class GridModel;
struct ScriptOutcome;

// A GPON or EPON service board and how many PON ports it has.
struct PonBoard {
    int frame = 0;
    int slot = 0;
    PonKind kind = PonKind::Gpon;
    int ports = 16;
    bool operator==(const PonBoard &) const = default;
};

// The PON boards of a "display board F" answer, in slot order. Boards of other kinds (control,
// uplink, power) and lines that are no board are left out.
QList<PonBoard> ponBoardsOf(const QString &answer, int frame = 0);

struct OpticalScope {
    enum Kind { Port, Board, Chassis };
    Kind kind = Port;
    int frame = 0;
    int slot = 0;
    int port = 0;
    // "0/1/3", "0/1" or "0": how the history names what was read.
    QString text() const;
};

// One ONT's row of a reading as the page shows it.
struct OpticalEntry {
    OpticalRow row;      // place and levels; a level the OLT gave none for has no value
    QString serial;      // from the ONT list; empty when the list does not hold the ONT
    QString description; // likewise
    // The ONT list has it on a port that was read, but the OLT listed no levels for it.
    bool offline = false;
};

struct OpticalResult {
    enum Status { Done, Interrupted, Failed };
    Status status = Done;
    OpticalScope scope;
    QDateTime taken;
    std::vector<OpticalEntry> entries; // by port, then ONT ID
    int portsRead = 0;
    int portsTotal = 0;
    QStringList portFailures; // "0/1/3：<what the OLT said>", ports that could not be read
    QString reason;           // why it stopped, when not Done
    QString storeError;       // why the history did not take it; empty when it did
};

// "已读取 5/16 个端口"
QString readingProgressText(int done, int total);

class OpticalReading {
  public:
    // `history` and `ontList` may be null: nothing is stored, nothing joined.
    OpticalReading(CommandSink &sink, OpticalHistory *history = nullptr, const GridModel *ontList = nullptr);
    ~OpticalReading();
    OpticalReading(const OpticalReading &) = delete;
    OpticalReading &operator=(const OpticalReading &) = delete;

    // Told (ports read, ports in all) before the first port and after each port.
    std::function<void(int done, int total)> progress;
    // Told once for every reading that started.
    std::function<void(const OpticalResult &)> finished;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTimeUtc(); };
    // After each stored reading, the history drops what is older; below 1 nothing is pruned.
    int retentionDays = OpticalHistory::DefaultRetentionDays;

    // Starts a reading of `scope`. With `boards` empty the OLT's "display board F" names them first.
    // False, and `finished` never told, when a reading is running or nothing could be sent.
    bool start(const OpticalScope &scope, QList<PonBoard> boards = {});
    // Stops after the port being read; the break key goes to the OLT at once so that a long
    // listing ends now (the port's script still leaves its interface mode).
    void interrupt();
    bool running() const { return state_ != nullptr; }

  private:
    struct State;
    void boardsAnswered(const ScriptOutcome &outcome);
    void planPorts(const QList<PonBoard> &boards);
    void nextPort();
    void portAnswered(const ScriptOutcome &outcome);
    void finish(OpticalResult::Status status, const QString &reason = {});
    // Runs `script`; its outcome comes to `then` only while this reading is still the one running.
    bool run(const QString &script, void (OpticalReading::*then)(const ScriptOutcome &));

    CommandSink &sink_;
    OpticalHistory *history_;
    const GridModel *ontList_;
    std::unique_ptr<State> state_;
    std::shared_ptr<int> generation_; // outcomes of a reading that ended are dropped
};

} // namespace tw
