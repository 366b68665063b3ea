#pragma once
// Host keys of SSH servers: their fingerprints as OpenSSH prints them, and the known-hosts file in
// OpenSSH's format ("[host]:port key-type key" lines, so ssh-keygen -F/-R work on it too).

#include <QString>
#include <QStringList>

struct ssh_key_struct;
struct ssh_session_struct;

namespace tw::ssh {

// "SHA256:" and the unpadded base64 of the key's SHA-256; empty without a key.
QString fingerprint(ssh_key_struct *key);

// The fingerprints `file` holds for host:port (every key type), read with libssh's line parser;
// lines it cannot parse are passed over.
QStringList storedFingerprints(const QString &file, const QString &host, quint16 port);

// Adds the key the session's server offered as one line at the end of `file` (made when missing).
// A last line without its line end (a file edited by hand) gets one first, so the two never run
// together; every other line stays as it was.
bool storeHostKey(const QString &file, ssh_session_struct *session);

} // namespace tw::ssh
