#pragma once
// The daily activity log: one GBK line per operation, in 日志/<year-month-day>.txt under the run
// directory, each line opened, appended and closed on its own. Failures are silent by design: an
// operation never fails because its log line could not be written.

#include <QDateTime>
#include <QString>

#include <functional>

namespace tw {

class SettingsStore;

class ActivityLog {
  public:
    using Clock = std::function<QDateTime()>;

    ActivityLog(const SettingsStore &settings, QString runDir, Clock clock = &QDateTime::currentDateTime);

    // hh:mm:ss of now; an empty separator means ":".
    QString timeStamp(const QString &separator = {}) const;
    // year-month-day of now; an empty separator means "-".
    QString dateText(const QString &separator = {}) const;
    // Appends the line and CR LF to today's file when OLT / 开启日志 is "真" (its default).
    void writeLine(const QString &line) const;
    // The common case: the time stamp followed by the message.
    void write(const QString &message) const { writeLine(timeStamp() + message); }

    QString directory() const;

  private:
    const SettingsStore &settings_;
    QString runDir_;
    Clock clock_;
};

QString timeStampOf(const QDateTime &t, const QString &separator = {});
QString dateTextOf(const QDate &d, const QString &separator = {});

} // namespace tw
