#include "common/RunDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tw {

QString runDirArgument(const QStringList &arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--run-dir") && i + 1 < arguments.size()) return arguments[i + 1];
        if (a.startsWith(QLatin1String("--run-dir="))) return a.mid(10);
    }
    return {};
}

namespace {
bool writableDir(const QString &dir) {
    if (!QFileInfo(dir).isDir()) return false;
    QTemporaryFile probe(dir + QStringLiteral("/.write-probe-XXXXXX"));
    return probe.open();
}
} // namespace

RunDirectory RunDirectory::choose(const QStringList &arguments, const QString &executableDir) {
    const QString given = runDirArgument(arguments);
    if (!given.isEmpty()) return {QDir(given).absolutePath()};
    if (writableDir(executableDir)) return {QDir(executableDir).absolutePath()};
    return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
}

bool RunDirectory::ensureWritable() const {
    if (!QDir().mkpath(path)) return false;
    return writableDir(path);
}

} // namespace tw
