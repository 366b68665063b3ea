#pragma once
// The configured side of the simulated OLT: VLANs, profiles, multicast VLANs, IP interfaces and
// routes. Plain data; Model.h keeps them in the Device and declares what changes them.

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace tw::sim {

enum class PonKind { Gpon, Epon };

struct Vlan {
    int id = 0;
    QString type = "smart";
    QString attrib = "common";
    QString desc;
    QStringList ports;      // uplink ports "0/19/0"
    int serviceProfile = 0; // the VLAN service profile bound to it, 0: none
};

struct DbaProfile {
    int id = 0;
    QString name;
    int type = 4;
    int fix = 0;
    int assure = 0;
    int max = 1024000;
};

struct Tcont {
    int id = 0;
    int dbaProfile = 0;
    auto operator<=>(const Tcont &) const = default;
};

struct Gem {
    int index = 0;
    QString service = "eth";
    int tcont = 0;
    bool operator==(const Gem &) const = default;
    bool operator<(const Gem &o) const { return index < o.index; }
};

struct GemMapping {
    int gem = 0;
    int index = 0;
    int vlan = 0;
    auto operator<=>(const GemMapping &) const = default;
};

// "port vlan eth <port> translation <vlan> user-vlan <user>" of a service profile.
struct OntPortVlan {
    int port = 1;
    int vlan = 0;
    int userVlan = 0;
    auto operator<=>(const OntPortVlan &) const = default;
};

// What a line or service profile holds. Edits change it at once; "commit" marks the state the
// ONTs bound to it get, so a commit with nothing changed since the last one changes nothing.
struct ProfileContent {
    // Line profile: GPON T-CONTs, GEM ports and their VLAN mappings; the EPON LLID's DBA profile.
    std::vector<Tcont> tconts;
    std::vector<Gem> gems;
    std::vector<GemMapping> mappings;
    int llidDbaProfile = 0; // 0: none
    // Service profile: the ONT's ports ("adaptive" or a count, empty: not set) and their VLANs.
    QString potsPorts;
    QString ethPorts;
    std::vector<OntPortVlan> portVlans;
    std::map<int, QString> multicastTagstrip; // eth port -> "untag", "transparent" ...
    QString multicastForward;                 // empty: the default
    bool operator==(const ProfileContent &) const = default;
};

struct Profile {
    PonKind pon = PonKind::Gpon;
    int id = 0;
    QString name;
    QStringList lines{}; // accepted commands with no model of their own, as typed
    ProfileContent content{};
    bool committed = true; // false while edits wait for "commit"
};

// "vlan service-profile profile-id N": how the VLANs bound to it forward.
struct VlanServiceProfile {
    int id = 0;
    bool userBridging = false;
    bool committed = true;
    QStringList lines{}; // other accepted commands, as typed
};

// "multicast-vlan N" with its IGMP settings.
struct MulticastVlan {
    int id = 0;
    QString igmpVersion = "v3";
    QString igmpMode = "off";  // off, proxy or snooping
    bool matchMode = true;     // "igmp match mode enable": programs must be configured
    QStringList uplinkPorts{}; // "0/19/0"
    QStringList lines{};       // other accepted IGMP commands, as typed
};

// An IP interface: meth0 or a vlanif. An address with its mask as "255.255.255.0"; empty: none yet.
struct IpInterface {
    QString name; // "meth0", "vlanif100"
    QString address;
    QString mask;
    QString description;
    bool arpProxy = false;
};

struct StaticRoute {
    QString destination;
    QString mask;
    QString gateway;
    QString description;
};

} // namespace tw::sim
