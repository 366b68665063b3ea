#include "common/ActivityLog.h"

#include "common/Gbk.h"
#include "common/SettingsStore.h"

#include <QDir>
#include <QFile>

namespace tw {

namespace {
QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

QString timeStampOf(const QDateTime &t, const QString &separator) {
    const QString sep = separator.isEmpty() ? QStringLiteral(":") : separator;
    const QTime time = t.time();
    return twoDigits(time.hour()) + sep + twoDigits(time.minute()) + sep + twoDigits(time.second());
}

QString dateTextOf(const QDate &d, const QString &separator) {
    const QString sep = separator.isEmpty() ? QStringLiteral("-") : separator;
    return QString::number(d.year()) + sep + twoDigits(d.month()) + sep + twoDigits(d.day());
}

ActivityLog::ActivityLog(const SettingsStore &settings, QString runDir, Clock clock)
    : settings_(settings), runDir_(std::move(runDir)), clock_(std::move(clock)) {}

QString ActivityLog::timeStamp(const QString &separator) const {
    return timeStampOf(clock_(), separator);
}

QString ActivityLog::dateText(const QString &separator) const {
    return dateTextOf(clock_().date(), separator);
}

QString ActivityLog::directory() const {
    return runDir_ + QStringLiteral("/日志");
}

void ActivityLog::writeLine(const QString &line) const {
    if (settings_.read(settings::LogEnabled) != SwitchOn) return;
    QDir().mkpath(directory());
    // The file is named by the moment of writing, not by the caller's time stamp.
    QFile file(directory() + QLatin1Char('/') + dateText() + QStringLiteral(".txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    file.write(toGbk(line) + "\r\n");
}

} // namespace tw
