#pragma once
// The run directory holds config.ini, 日志/, MA5680T.cfg, GPON.txt and EPON.txt.

#include <QString>
#include <QStringList>

namespace tw {

struct RunDirectory {
    QString path;

    QString configFile() const { return path + QStringLiteral("/config.ini"); }
    QString file(const QString &name) const { return path + QLatin1Char('/') + name; }

    // --run-dir DIR when given; else the executable's directory when writable (a portable install),
    // else the per-user data directory. A program in a system directory (/usr/bin, /usr/local/bin,
    // …) is an installed one, never portable, even when root may write there.
    static RunDirectory choose(const QStringList &arguments, const QString &executableDir);
    // Creates the directory if needed; false when it cannot be created or written.
    bool ensureWritable() const;
};

// The value of "--run-dir DIR" or "--run-dir=DIR", or a null string.
QString runDirArgument(const QStringList &arguments);

} // namespace tw
