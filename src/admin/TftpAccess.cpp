#include "admin/TftpAccess.h"

#include "admin/OntDataExtraction.h"
#include "admin/TftpPacket.h"

#include <QFileInfo>

namespace tw {

namespace {

TftpAccess refused(quint16 code, const char *message) {
    return {code, QByteArray(message), {}};
}

// One name of the directory: no separators (either kind), nothing hidden (which also rules out
// "." and ".." and the temporary files of uploads), no control characters.
bool plainName(const QString &name) {
    if (name.isEmpty() || name.size() > 255 || name.startsWith(u'.')) return false;
    for (const QChar ch : name) {
        const char16_t u = ch.unicode();
        if (u == u'/' || u == u'\\' || u == u':' || u < 0x20 || u == 0x7F ||
            ch == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

// Whether the resolved file stands directly in the served directory.
bool directlyIn(const QString &root, const QString &canonicalFile) {
    return !canonicalFile.isEmpty() &&
           QFileInfo(canonicalFile).absolutePath() == QFileInfo(root).canonicalFilePath();
}

// It holds the OLT's login.
bool isSettingsFile(const QString &name) {
    return name.compare(QLatin1String("config.ini"), Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList tftpUploadNames() {
    return {BackupConfigFile, BackupDataFile};
}

TftpAccess tftpReadAccess(const QString &root, const QString &name) {
    if (!plainName(name)) return refused(tftp::AccessViolation, "Access violation: plain file names only");
    if (isSettingsFile(name)) return refused(tftp::AccessViolation, "Access violation");
    const QFileInfo entry(root + QLatin1Char('/') + name);
    if (!entry.exists()) return refused(tftp::FileNotFound, "File not found");
    const QString real = entry.canonicalFilePath();
    if (!directlyIn(root, real))
        return refused(tftp::AccessViolation, "Access violation: outside the directory");
    // A link is served only when what it leads to would be served under its own name.
    const QFileInfo target(real);
    if (!plainName(target.fileName()) || isSettingsFile(target.fileName()))
        return refused(tftp::AccessViolation, "Access violation");
    if (!target.isFile()) return refused(tftp::AccessViolation, "Access violation: not a file");
    return {0, {}, real};
}

TftpAccess tftpWriteAccess(const QString &root, const QString &name) {
    if (!tftpUploadNames().contains(name))
        return refused(tftp::AccessViolation,
                       "Access violation: only MA5680T.cfg and MA5680T.dat are accepted");
    const QString path = root + QLatin1Char('/') + name;
    const QFileInfo entry(path);
    // A save would write through the link to whatever it leads to (config.ini, say): never.
    if (entry.isSymLink()) return refused(tftp::AccessViolation, "Access violation: the name is a link");
    if (entry.exists() && !entry.isFile())
        return refused(tftp::AccessViolation, "Access violation: not a file");
    return {0, {}, path};
}

} // namespace tw
