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

// A program installed with the system (a package puts it in /usr/bin) is no portable install, even
// when root may write there: its config.ini and logs would land among the system's programs.
bool isSystemProgramDir(const QString &dir) {
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    if (canonical.isEmpty()) return false;
    for (const char *system :
         {"/usr/bin", "/usr/sbin", "/usr/local/bin", "/usr/local/sbin", "/usr/games", "/bin", "/sbin"})
        if (canonical == QFileInfo(QString::fromLatin1(system)).canonicalFilePath()) return true;
    return false;
}
} // namespace

RunDirectory RunDirectory::choose(const QStringList &arguments, const QString &executableDir) {
    const QString given = runDirArgument(arguments);
    if (!given.isEmpty()) return {QDir(given).absolutePath()};
    if (!isSystemProgramDir(executableDir) && writableDir(executableDir))
        return {QDir(executableDir).absolutePath()};
    return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
}

bool RunDirectory::ensureWritable() const {
    if (!QDir().mkpath(path)) return false;
    return writableDir(path);
}

} // namespace tw
