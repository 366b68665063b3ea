#pragma once
// The history of the ONTs' optical levels: a SQLite database in the run directory, written a
// reading at a time (the rows of one port, board or chassis at one time), read an ONT at a time to
// show how its levels move, and pruned of what is older than the retention.

#include "common/RunDirectory.h"
#include "monitor/OpticalParser.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace tw {

// One ONT's row of a reading, with the serial it is kept under: its SN (GPON) or MAC (EPON). A
// sample whose serial is not known is kept with its place, but no trend finds it.
struct OpticalSample {
    QString serial;
    OpticalRow row;
};

// The rows of one reading as they are kept: what was read, when, and each ONT's sample.
struct OpticalSnapshot {
    QDateTime taken;
    QString scope; // what was read: "0/1/3" a port, "0/1" a board, "0" a chassis
    std::vector<OpticalSample> samples;
};

// An ONT's levels at one reading, and where it was then.
struct OpticalTrendPoint {
    QDateTime taken;
    int frame = -1;
    int slot = -1;
    int port = -1;
    int ontId = -1;
    std::optional<double> rxPower;
    std::optional<double> txPower;
    std::optional<double> oltRxPower;
};

class OpticalHistory {
  public:
    static constexpr int DefaultRetentionDays = 90;
    static QString fileName(); // 光功率.db, in the run directory

    explicit OpticalHistory(const RunDirectory &runDir);
    ~OpticalHistory();
    OpticalHistory(const OpticalHistory &) = delete;
    OpticalHistory &operator=(const OpticalHistory &) = delete;

    // Opens the database, creating it and its tables when they are not there. On false, error()
    // says why; nothing else works then.
    bool open();
    bool isOpen() const { return open_; }
    QString error() const { return error_; }

    // Writes the reading in one transaction: all of it or, on false, nothing.
    bool store(const OpticalSnapshot &reading);
    // The ONT's samples taken in [from, to] (an invalid bound leaves that side open), oldest first.
    std::vector<OpticalTrendPoint> trend(const QString &serial, const QDateTime &from = {},
                                         const QDateTime &to = {});
    // Removes the readings taken more than `days` days before `now` with their samples. Returns how
    // many samples went, or -1 when it failed (and removed nothing).
    qint64 prune(const QDateTime &now, int days = DefaultRetentionDays);
    qint64 readingCount();

  private:
    bool fail(const QString &what);
    std::optional<qint64> ontKey(const QString &serial);

    QString connection_;
    QString path_;
    QString error_;
    bool open_ = false;
    QHash<QString, qint64> ontKeys_; // serial -> row of the ont table, as far as looked up
};

} // namespace tw
