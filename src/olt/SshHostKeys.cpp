#include "olt/SshHostKeys.h"

#include <QFile>

#include <libssh/libssh.h>

namespace tw::ssh {

QString fingerprint(ssh_key key) {
    unsigned char *hash = nullptr;
    size_t length = 0;
    if (!key || ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) != SSH_OK) return {};
    char *text = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
    const QString result = QString::fromLatin1(text);
    ssh_string_free_char(text);
    ssh_clean_pubkey_hash(&hash);
    return result;
}

QStringList storedFingerprints(const QString &path, const QString &host, quint16 port) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    // The name the file knows the host by: "[host]:port", or the bare host on port 22.
    const QByteArray name =
        (port == 22 ? host.toLower() : QStringLiteral("[%1]:%2").arg(host.toLower()).arg(port)).toUtf8();
    QStringList found;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        ssh_knownhosts_entry *entry = nullptr;
        if (ssh_known_hosts_parse_line(name.constData(), line.constData(), &entry) == SSH_OK && entry) {
            const QString stored = fingerprint(entry->publickey);
            if (!stored.isEmpty() && !found.contains(stored)) found << stored;
        }
        SSH_KNOWNHOSTS_ENTRY_FREE(entry);
    }
    return found;
}

bool storeHostKey(const QString &path, ssh_session session) {
    char *text = nullptr;
    if (ssh_session_export_known_hosts_entry(session, &text) != SSH_OK || !text) return false;
    QByteArray entry(text);
    ssh_string_free_char(text);
    if (!entry.endsWith('\n')) entry += '\n';
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) return false;
    if (file.size() > 0) {
        file.seek(file.size() - 1);
        if (file.read(1) != "\n") entry.prepend('\n');
    }
    return file.write(entry) == entry.size() && file.flush();
}

} // namespace tw::ssh
