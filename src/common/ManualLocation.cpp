#include "common/ManualLocation.h"

#include <QDir>
#include <QFileInfo>

namespace tw {

namespace {

// build/src/tarnwick and build/tests/<group>/<binary> are three levels below the source tree.
constexpr int SourceTreeLevels = 4;

QString existing(const QString &path) {
    return QFileInfo(path).isFile() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : QString();
}

} // namespace

QString manualPath(const QString &executableDir) {
    const QDir dir(executableDir);
    for (const QString &candidate : {dir.filePath(QStringLiteral("../share/doc/tarnwick/") + ManualFileName),
                                     dir.filePath(ManualFileName)})
        if (const QString found = existing(candidate); !found.isEmpty()) return found;
    QDir up(executableDir);
    for (int level = 0; level < SourceTreeLevels && up.cdUp(); ++level)
        if (const QString found = existing(up.filePath(QStringLiteral("docs/") + ManualFileName));
            !found.isEmpty())
            return found;
    return {};
}

} // namespace tw
