#pragma once
// What the built-in TFTP server lets a peer read and write: plain names of the served directory
// only, never a path, a hidden file or the settings file, nor a link leading to one of those or out
// of the directory; uploads only of the two backup files, and never through a link.

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
