#pragma once
// How the console reaches the OLT: the protocol, address and port as config.ini has them, and the
// transport that carries the CLI for that protocol. The connection and "测试连接" both start here,
// so they always dial the same way.

#include "common/Settings.h"

#include <QString>

class QObject;

namespace tw {

class Operator;
class SettingsStore;
class Transport;

enum class LinkProtocol { Telnet, Ssh };

inline const QString ProtocolTelnet = QStringLiteral("Telnet");
inline const QString ProtocolSsh = QStringLiteral("SSH");

// "SSH" in any letter case, blanks around it allowed, is SSH; anything else (a missing key, a typo)
// is telnet, as before the key existed.
LinkProtocol protocolFrom(const QString &text);
const QString &protocolName(LinkProtocol protocol);
// 23 for telnet, 22 for SSH.
quint16 defaultPort(LinkProtocol protocol);
// The key holding the protocol's port: 端口 for telnet, SSH端口 for SSH.
const Setting &portSetting(LinkProtocol protocol);
// The leading whole number of the text (a fraction dropped, as 端口 has always been read), or 0
// when that is no TCP port.
quint16 portFrom(const QString &text);

struct OltLink {
    LinkProtocol protocol = LinkProtocol::Telnet;
    QString host;
    quint16 port = 0; // 0: the configured port is no port
};

// The link as the settings have it now.
OltLink oltLink(const SettingsStore &settings);

// The SSH known-hosts file: "known_hosts" in the run directory, beside config.ini.
QString knownHostsFile(const SettingsStore &settings);

// A new transport for the protocol, not connected yet. SSH logs in with the account and password,
// checks host keys against `knownHosts` and asks the operator about a key it has not seen.
Transport *makeTransport(LinkProtocol protocol, const QString &account, const QString &password,
                         const QString &knownHosts, Operator &op, QObject *parent);

} // namespace tw
