#pragma once
// Moving a re-homed ONT: when its registration on a new port fails because the OLT still holds it
// on the old one, the console asks where it is registered and deletes that registration (service
// ports, then the ONT). With IPTV on, the ONT's multicast users go first. These are the pieces of
// that move; AutoRegistrar runs them one after the other on the replies they get.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace tw {

class SettingsStore;

// Values of the "label : value" lines of an ONT-info reply whose label is one of `labels`, in the
// order of the reply: the text after the line's last ":" with every blank removed.
QStringList ontInfoEntries(QStringView text, const QStringList &labels);

// Where an ONT-info reply says the ONT is registered.
struct OntLocation {
    QString port; // frame/slot/port
    QString id;
    QString key;  // its SN or MAC as the reply shows it
};
std::optional<OntLocation> locationFrom(QStringView infoReply, bool gpon);

// "display ont info by-sn KEY" / "by-mac KEY".
QString locationQuery(const QString &key, bool gpon);
// "display service-port port P ont N" (the line its reply echoes), and the script that sends it.
QString servicePortListing(const OntLocation &at);

// The multicast users of the IPTV VLAN among a service-port listing, one script each:
// "btv", "igmp user delete service-port N", "y", "quit".
QStringList multicastUserDeletions(QStringView listing, const SettingsStore &settings);
// Whether a service-port listing shows at least one service port.
bool listsServicePorts(QStringView listing);

// The old registration's service ports (each gemport of 基本/GEM端口 for GPON) and the ONT.
QString moveDeletionScript(const OntLocation &at, bool gpon, const SettingsStore &settings);
// "GPON移机删除成功，已删除 … 的ONT设备" as the activity log tells it.
QString moveLogLine(const OntLocation &at, bool gpon);

} // namespace tw
