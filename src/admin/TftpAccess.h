#pragma once
// What the built-in TFTP server lets a peer read and write: plain names of the served directory
// only, never a path, a hidden file, a link that leads out of it or the settings file; uploads only
// of the two backup files.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tw {

struct TftpAccess {
    quint16 error = 0;  // the TFTP error code when refused
    QByteArray message; // empty when allowed
    QString path;       // the file to open when allowed
    bool allowed() const { return message.isEmpty(); }
};

// The names a peer may upload: the configuration and database backups.
QStringList tftpUploadNames();

TftpAccess tftpReadAccess(const QString &root, const QString &name);
TftpAccess tftpWriteAccess(const QString &root, const QString &name);

} // namespace tw
