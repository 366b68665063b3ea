#include "olt/OltLink.h"

#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/SshTransport.h"
#include "olt/TcpTransport.h"

#include <QFileInfo>

namespace tw {

LinkProtocol protocolFrom(const QString &text) {
    return text.trimmed().compare(ProtocolSsh, Qt::CaseInsensitive) == 0 ? LinkProtocol::Ssh
                                                                         : LinkProtocol::Telnet;
}

const QString &protocolName(LinkProtocol protocol) {
    return protocol == LinkProtocol::Ssh ? ProtocolSsh : ProtocolTelnet;
}

quint16 defaultPort(LinkProtocol protocol) {
    return protocol == LinkProtocol::Ssh ? 22 : 23;
}

const Setting &portSetting(LinkProtocol protocol) {
    return protocol == LinkProtocol::Ssh ? settings::OltSshPort : settings::OltPort;
}

quint16 portFrom(const QString &text) {
    const int port = leadingInt(text);
    return port > 0 && port <= 65535 ? quint16(port) : 0;
}

OltLink oltLink(const SettingsStore &settings) {
    OltLink link;
    link.protocol = protocolFrom(settings.read(settings::OltProtocol));
    link.host = settings.read(settings::OltAddress);
    link.port = portFrom(settings.read(portSetting(link.protocol)));
    return link;
}

QString knownHostsFile(const SettingsStore &settings) {
    return QFileInfo(settings.filePath()).absolutePath() + QStringLiteral("/known_hosts");
}

Transport *makeTransport(LinkProtocol protocol, const QString &account, const QString &password,
                         const QString &knownHosts, Operator &op, QObject *parent) {
    if (protocol == LinkProtocol::Telnet) return new TcpTransport(parent);
    auto *ssh = new SshTransport(parent);
    ssh->setCredentials(account, password);
    ssh->setKnownHostsFile(knownHosts);
    ssh->setTrustNewKey([&op](const QString &host, const QString &fingerprint) {
        return op.trustHostKey(host, fingerprint);
    });
    return ssh;
}

} // namespace tw
