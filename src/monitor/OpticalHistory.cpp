#include "monitor/OpticalHistory.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <cmath>
#include <limits>

namespace tw {

namespace {

// Levels are kept in thousandths, as integers: exact to what the OLT prints, and a third of the
// room a floating-point value takes in SQLite.
QVariant fixed(std::optional<double> v) {
    return v ? QVariant(qint64(std::llround(*v * 1000))) : QVariant();
}

std::optional<double> level(const QVariant &v) {
    return v.isNull() ? std::nullopt : std::optional(v.toLongLong() / 1000.0);
}

QVariant place(int v) {
    return v >= 0 ? QVariant(v) : QVariant();
}

int placeOf(const QVariant &v) {
    return v.isNull() ? -1 : v.toInt();
}

const char *const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS ont (id INTEGER PRIMARY KEY, serial TEXT NOT NULL UNIQUE)",
    // A reading's samples are written in one transaction, so their row ids are one run, first to
    // last: pruning removes them by that range and needs no index on time.
    "CREATE TABLE IF NOT EXISTS reading (id INTEGER PRIMARY KEY, taken INTEGER NOT NULL, scope TEXT NOT NULL,"
    " first_sample INTEGER, last_sample INTEGER)",
    "CREATE INDEX IF NOT EXISTS reading_taken ON reading (taken)",
    "CREATE TABLE IF NOT EXISTS sample (id INTEGER PRIMARY KEY, ont INTEGER, taken INTEGER NOT NULL,"
    " frame INTEGER, slot INTEGER, port INTEGER, ont_id INTEGER, rx INTEGER, tx INTEGER, olt_rx INTEGER,"
    " temperature INTEGER, voltage INTEGER, bias INTEGER, distance INTEGER)",
    "CREATE INDEX IF NOT EXISTS sample_ont_taken ON sample (ont, taken)",
};

} // namespace

QString OpticalHistory::fileName() {
    return QString::fromUtf8("光功率.db");
}

OpticalHistory::OpticalHistory(const RunDirectory &runDir) : path_(runDir.file(fileName())) {
    static std::atomic<int> serial{0};
    connection_ = QStringLiteral("tarnwick-optical-history-%1").arg(++serial);
}

OpticalHistory::~OpticalHistory() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    if (QSqlDatabase::contains(connection_)) QSqlDatabase::removeDatabase(connection_);
}

bool OpticalHistory::fail(const QString &what) {
    error_ = what;
    return false;
}

bool OpticalHistory::open() {
    if (open_) return true;
    QSqlDatabase db = QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false)
                                                          : QSqlDatabase::addDatabase("QSQLITE", connection_);
    if (!db.isValid()) return fail(QStringLiteral("the SQLite driver of Qt (QSQLITE) is not installed"));
    db.setDatabaseName(path_);
    if (!db.open()) return fail(db.lastError().text());
    QSqlQuery q(db);
    // Write-ahead logging: a reading is written while the page reads a trend, and a crash of the
    // program loses no committed reading.
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL"})
        if (!q.exec(QString::fromLatin1(pragma))) return fail(q.lastError().text());
    for (const char *statement : kSchema)
        if (!q.exec(QString::fromLatin1(statement))) return fail(q.lastError().text());
    open_ = true;
    return true;
}

std::optional<qint64> OpticalHistory::ontKey(const QString &serial) {
    if (const auto it = ontKeys_.constFind(serial); it != ontKeys_.constEnd()) return *it;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT id FROM ont WHERE serial = ?"));
    q.addBindValue(serial);
    if (!q.exec()) return std::nullopt;
    if (!q.next()) {
        q.prepare(QStringLiteral("INSERT INTO ont (serial) VALUES (?)"));
        q.addBindValue(serial);
        if (!q.exec()) return std::nullopt;
        return ontKeys_[serial] = q.lastInsertId().toLongLong();
    }
    return ontKeys_[serial] = q.value(0).toLongLong();
}

bool OpticalHistory::store(const OpticalSnapshot &reading) {
    if (!open_) return fail(QStringLiteral("the optical history is not open"));
    if (!reading.taken.isValid()) return fail(QStringLiteral("a reading without its time"));
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) return fail(db.lastError().text());
    const qint64 taken = reading.taken.toMSecsSinceEpoch();
    auto abandon = [&](const QSqlQuery &q) {
        const QString why = q.lastError().isValid() ? q.lastError().text() : db.lastError().text();
        db.rollback();
        ontKeys_.clear(); // the serials this transaction added are gone again
        return fail(why);
    };
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO reading (taken, scope) VALUES (?, ?)"));
    q.addBindValue(taken);
    q.addBindValue(reading.scope);
    if (!q.exec()) return abandon(q);
    const qint64 readingId = q.lastInsertId().toLongLong();

    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO sample (ont, taken, frame, slot, port, ont_id, rx, tx, "
                                  "olt_rx, temperature, voltage, bias,"
                                  " distance) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QVariant first, last;
    for (const OpticalSample &s : reading.samples) {
        QVariant ont;
        if (!s.serial.isEmpty()) {
            const std::optional<qint64> key = ontKey(s.serial);
            if (!key) return abandon(insert);
            ont = *key;
        }
        const OpticalRow &r = s.row;
        for (const QVariant &v :
             {ont, QVariant(taken), place(r.frame), place(r.slot), place(r.port), place(r.ontId),
              fixed(r.rxPower), fixed(r.txPower), fixed(r.oltRxPower), fixed(r.temperature), fixed(r.voltage),
              fixed(r.biasCurrent), r.distance ? QVariant(*r.distance) : QVariant()})
            insert.addBindValue(v);
        if (!insert.exec()) return abandon(insert);
        last = insert.lastInsertId();
        if (first.isNull()) first = last;
    }
    q.prepare(QStringLiteral("UPDATE reading SET first_sample = ?, last_sample = ? WHERE id = ?"));
    q.addBindValue(first);
    q.addBindValue(last);
    q.addBindValue(readingId);
    if (!q.exec()) return abandon(q);
    if (!db.commit()) return abandon(q);
    return true;
}

std::vector<OpticalTrendPoint> OpticalHistory::trend(const QString &serial, const QDateTime &from,
                                                     const QDateTime &to) {
    std::vector<OpticalTrendPoint> points;
    if (!open_) return points;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT s.taken, s.frame, s.slot, s.port, s.ont_id, s.rx, s.tx, s.olt_rx FROM sample s"
        " WHERE s.ont = (SELECT id FROM ont WHERE serial = ?) AND s.taken BETWEEN ? AND ? ORDER BY s.taken"));
    q.addBindValue(serial);
    q.addBindValue(from.isValid() ? from.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min());
    q.addBindValue(to.isValid() ? to.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max());
    if (!q.exec()) {
        error_ = q.lastError().text();
        return points;
    }
    while (q.next())
        points.push_back({QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong(), Qt::UTC),
                          placeOf(q.value(1)), placeOf(q.value(2)), placeOf(q.value(3)), placeOf(q.value(4)),
                          level(q.value(5)), level(q.value(6)), level(q.value(7))});
    return points;
}

qint64 OpticalHistory::prune(const QDateTime &now, int days) {
    if (!open_ || !now.isValid() || days < 0) return -1;
    const qint64 cutoff = now.addDays(-days).toMSecsSinceEpoch();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) return -1;
    auto abandon = [&](const QSqlQuery &q) {
        error_ = q.lastError().isValid() ? q.lastError().text() : db.lastError().text();
        db.rollback();
        return qint64(-1);
    };
    QSqlQuery ranges(db), remove(db);
    ranges.setForwardOnly(true);
    ranges.prepare(QStringLiteral(
        "SELECT first_sample, last_sample FROM reading WHERE taken < ? AND first_sample IS NOT NULL"));
    ranges.addBindValue(cutoff);
    if (!ranges.exec()) return abandon(ranges);
    remove.prepare(QStringLiteral("DELETE FROM sample WHERE id BETWEEN ? AND ?"));
    qint64 removed = 0;
    while (ranges.next()) {
        remove.addBindValue(ranges.value(0));
        remove.addBindValue(ranges.value(1));
        if (!remove.exec()) return abandon(remove);
        removed += remove.numRowsAffected();
    }
    remove.prepare(QStringLiteral("DELETE FROM reading WHERE taken < ?"));
    remove.addBindValue(cutoff);
    if (!remove.exec()) return abandon(remove);
    if (!db.commit()) return abandon(remove);
    return removed;
}

qint64 OpticalHistory::readingCount() {
    if (!open_) return 0;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    return q.exec(QStringLiteral("SELECT count(*) FROM reading")) && q.next() ? q.value(0).toLongLong() : 0;
}

} // namespace tw
