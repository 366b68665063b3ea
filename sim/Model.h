#pragma once
// The simulated OLT: plain data and the operations the CLI and the control channel perform on it.
// Nothing here does I/O; every change a command makes goes through one of these functions.

#include "ModelConfig.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tw::sim {

enum class BoardKind { Gpon, Epon, Control, Uplink, Power, Other };
enum class BoardState { Normal, ActiveNormal, StandbyNormal, StandbyFailed, Failed, AutoFind, PowerOff };

struct PortRef {
    int frame = 0;
    int slot = 0;
    int port = 0;

    QString text() const; // "0/1/0"
    auto operator<=>(const PortRef &) const = default;
    static std::optional<PortRef> parse(const QString &text);
};

struct Board {
    int slot = 0;
    QString name; // empty: no board in this slot
    BoardKind kind = BoardKind::Other;
    BoardState state = BoardState::Normal;
    int ports = 0;
    QString subType;

    bool present() const { return !name.isEmpty(); }
    bool isPon() const { return kind == BoardKind::Gpon || kind == BoardKind::Epon; }
    // Carries services: confirmed, powered and not failed.
    bool working() const {
        return state == BoardState::Normal || state == BoardState::ActiveNormal ||
               state == BoardState::StandbyNormal;
    }
};

enum class AuthMode { Sn, Mac, Loid, Password };

struct Ont {
    PortRef at;
    int id = 0;
    PonKind pon = PonKind::Gpon;
    AuthMode auth = AuthMode::Sn;
    QString sn;  // GPON: 16 hex digits
    QString mac; // EPON: xxxx-xxxx-xxxx
    QString loid;
    QString password;
    QString management = "omci"; // omci, oam or snmp
    int lineProfile = 1;
    int srvProfile = 1; // -1: none (snmp management)
    QString desc;
    bool active = true;  // control flag
    bool plugged = true; // light on the fibre: the ONT answers
    QString vendor = "HWTC";
    QString version = "159D.A";
    QString software = "V5R019C10S350";
    QString standbySoftware = "V5R019C10S300";
    bool standbyOnRestart = false; // a loaded package waits in the standby area for the next restart
    QString equipmentId = "EG8145V5";
    // Optical levels as the ONT reports them while online (drawOptics() gives realistic ones).
    double rxPower = -19.5;    // dBm at the ONT
    double txPower = 2.1;      // dBm
    double oltRxPower = -21.8; // dBm at the OLT's port, from this ONT
    double voltage = 3.28;     // V
    int biasCurrent = 12;      // mA, laser bias
    int distance = 1200;
    int temperature = 45;
    QString lastUp = "2024-05-20 08:00:00+08:00";
    QString lastDown = "-";
    QString lastDownCause = "-";
    QString ip;         // management address, empty when none
    bool linked = true; // its board works; see settle()

    bool online() const { return active && plugged && linked; }
    // The key the ONT registered with: SN, MAC, LOID or password.
    QString key() const;
};

struct AutofindEntry {
    PortRef at;
    PonKind pon = PonKind::Gpon;
    QString sn;
    QString mac;
    QString loid;
    QString password;
    QString vendor = "HWTC";
    QString version = "159D.A";
    QString software = "V5R019C10S350";
    QString equipmentId = "EG8145V5";
    QString time = "2024-05-20 09:30:00+08:00";

    QString key() const { return pon == PonKind::Gpon ? sn : mac; }
};

struct ServicePort {
    int index = 0;
    int vlan = 0;
    PortRef at;
    QString portType = "gpon"; // gpon, epon, eth
    int ont = 0;
    int gemport = -1; // -1: none (EPON)
    QString userVlan = "untagged";
    QString tagTransform = "translate";
    int rxCttr = -1;
    int txCttr = -1;
    bool up = true;
};

struct MulticastUser {
    int servicePort = 0;
    bool noAuth = true;
    int maxProgram = 8;
};

struct Account {
    QString user;
    QString password;
};

struct Alarm {
    QString time;
    QString level; // CRITICAL, MAJOR, MINOR or WARNING
    QString name;  // in English; the Chinese mode translates the names it knows
    QString parameters;
    int serial = 0; // given when the alarm is raised, never reused
};

struct Fans {
    QString speedMode = "auto emu"; // or "auto mainboard"
    int speedLevel = 3;             // 0 to 5
    // Alarm masks by their CLI keyword: true reports the alarm (permit), false keeps it quiet (forbid).
    std::map<QString, bool> alarms{{"read-tem-fault", true}, {"tem-high", true}, {"block", true}};
};

struct Autosave {
    QString type = "data"; // data, configuration or all
    bool intervalOn = false;
    int interval = 1440; // minutes
    bool timeOn = false;
    QString time = "00:00:00";
    int configurationInterval = 30; // minutes
};

// Result of a model change: empty on success, else a failure code the renderer words.
enum class Failure {
    None,
    NoBoard,
    WrongBoardType,
    NoPort,
    SnExists,
    MacExists,
    LoidExists,
    PasswordExists,
    OntIdExists,
    PortFull,
    NoLineProfile,
    NoSrvProfile,
    NoOnt,
    NotOnline,
    HasServicePorts,
    NoVlan,
    VlanExists,
    VlanInUse,
    ServicePortExists,
    NoServicePort,
    MulticastInUse,
    NoMulticastUser,
    BadParameter,
    NoFrame,
    BoardConfirmed,
    BoardConfigured,
    BoardPoweredOff,
    BoardNotSupported,
    StandbyNotReady,
    NoAutofindOnt,
    NoAlarm,
    VlanHasPorts,
    VlanHasInterface,
    VlanIsMulticast,
    PortNotInVlan,
    NoVlanServiceProfile,
    NoMulticastVlan,
    NoDbaProfile,
    DbaProfileExists,
    ProfileNameExists,
    NoTcont,
    NoGem,
    GemExists,
    MappingExists,
    PortVlanExists,
    AddressConflict,
    ArpProxyOff,
    NoLoadFile,
    NoLoadSelection,
    LoadRunning,
    NoLoadRunning,
    BadLoadFile,
};

// ONT loading in the diagnose mode: the file the device fetched, the ONTs selected, and the
// loading that runs on them from "ont-load start" on.
struct OntLoadSelection {
    int frame = 0;
    int slot = 0;
    std::optional<int> port; // none: every port of the board
    std::optional<int> ont;  // none: every ONT of the port(s)
};

struct OntLoadTarget {
    enum class State { Loading, Success, Failed, Stopped };
    PortRef at;
    int id = 0;
    State state = State::Loading;
    int progress = 0;              // percent
    Failure cause = Failure::None; // why it failed
};

struct OntLoad {
    enum class Phase { Idle, Running, Ended };
    bool program = true; // a firmware package; false: a configuration file
    QString file;
    QString server;
    QString version; // what a package makes the ONTs run
    bool fileReady = false;
    std::optional<OntLoadSelection> selection;
    Phase phase = Phase::Idle;
    QString activeMode; // "immediate", "next-startup"
    qint64 startMs = 0;
    qint64 durationMs = 0;
    std::vector<OntLoadTarget> targets;
};

struct Device {
    QString sysname = "MA5680T";
    int frame = 0;
    std::vector<Board> boards; // indexed by slot
    std::vector<Ont> onts;     // ordered by port, then id
    std::vector<AutofindEntry> autofind;
    // On the fibre and unregistered, on a port that reports nothing now (auto-find off, board down).
    std::vector<AutofindEntry> unreported;
    std::vector<ServicePort> servicePorts; // ordered by index
    std::vector<MulticastUser> multicastUsers;
    std::vector<Vlan> vlans; // ordered by id
    std::vector<DbaProfile> dbaProfiles;
    std::vector<Profile> lineProfiles; // ordered by PON kind, then id
    std::vector<Profile> srvProfiles;
    std::vector<VlanServiceProfile> vlanServiceProfiles; // ordered by id
    std::vector<MulticastVlan> multicastVlans;           // ordered by id
    std::map<QString, int> nativeVlans;                  // uplink port "0/19/0" -> VLAN, where not 1
    // meth0 has its factory address until the configuration gives it another.
    std::vector<IpInterface> ipInterfaces{{"meth0", "10.11.104.2", "255.255.255.0", {}, false}};
    std::vector<StaticRoute> routes;
    std::vector<Account> accounts;
    std::vector<Alarm> alarms;                // the active ones, oldest first
    int alarmSerial = 0;                      // the serial number the last raised alarm got
    std::map<QString, bool> switches;         // security toggles and similar on/off features
    std::map<QString, bool> autofindDisabled; // "0/1/3" -> true when switched off
    QStringList extraConfig;                  // accepted configuration lines with no model of their own
    Fans fans;
    Autosave autosave;
    int screenLength = 40;
    int idleSeconds = 0;
    QString now = "2024-05-20 10:00:00+08:00";
    // The configuration a restart comes back with; null until the first session or save.
    std::shared_ptr<const Device> saved;
    // A configuration file fetched by "load configuration", waiting for "active configuration system".
    QByteArray loadedConfiguration;
    // The loaded configuration the device restarts with once it has been made active.
    QByteArray activating;
    OntLoad ontLoad;

    // Lookups. Pointers stay valid until the next change of the vector they point into.
    const Board *board(int frame, int slot) const;
    Board *board(int frame, int slot);
    Ont *ont(PortRef at, int id);
    const Ont *ont(PortRef at, int id) const;
    Ont *ontByKey(const QString &key); // SN, MAC, LOID or password
    std::vector<const Ont *> ontsOn(PortRef at) const;
    std::vector<const AutofindEntry *> autofindOn(std::optional<PortRef> at) const;
    const Vlan *vlan(int id) const;
    Vlan *vlan(int id);
    const Profile *lineProfile(PonKind pon, int id) const;
    const Profile *srvProfile(PonKind pon, int id) const;
    Profile *profile(bool line, PonKind pon, int id);
    const DbaProfile *dbaProfile(int id) const;
    VlanServiceProfile *vlanServiceProfile(int id);
    MulticastVlan *multicastVlan(int id);
    const IpInterface *ipInterface(const QString &name) const;
    IpInterface *ipInterface(const QString &name);
    int nativeVlan(const QString &port) const; // 1 unless set
    ServicePort *servicePort(int index);
    bool hasMulticastUser(int servicePort) const;
    bool portExists(PortRef at) const;
    // A working board with auto-find on for the port: new devices there show in autofind.
    bool portReports(PortRef at) const;
    int nextServicePortIndex() const;
    bool switchOn(const QString &name) const; // the set value, else the factory default
};

struct AddOntRequest {
    PortRef at;
    std::optional<int> id;
    PonKind pon = PonKind::Gpon;
    AuthMode auth = AuthMode::Sn;
    QString key; // SN, MAC, LOID or password as typed (quotes removed)
    QString management = "omci";
    int lineProfile = 1;
    int srvProfile = -1;
    QString desc;
};

struct AddOntResult {
    Failure failure = Failure::None;
    int id = -1;
};

// Normalises an SN as the CLI accepts it: 16 hex digits, or vendor form "HWTC-1A2B3C4D".
QString normaliseSn(const QString &text);
// Normalises a MAC to xxxx-xxxx-xxxx (lower-case hex), or empty when it is not one.
QString normaliseMac(const QString &text);
// "HWTC-1A2B3C4D" for "485754431A2B3C4D".
QString vendorForm(const QString &sn);

Failure checkPonBoard(const Device &d, int frame, int slot, PonKind pon);
AddOntResult addOnt(Device &d, const AddOntRequest &req);
// How the ONT shows in an autofind list when it reports itself on `at`.
AutofindEntry autofindEntryOf(const Ont &o, PortRef at, const QString &time);
// Refused while service ports name the ONT. An ONT still on the fibre shows in autofind afterwards.
Failure deleteOnt(Device &d, PortRef at, int id);
Failure setActive(Device &d, PortRef at, int id, bool active);
// Registers the ONT with another SN, MAC, LOID or password. The device on the fibre keeps its own
// SN or MAC: when that no longer fits, it drops off and shows in autofind, and a device waiting
// on the port with the new key comes up in its place.
Failure changeOntKey(Device &d, PortRef at, int id, AuthMode auth, const QString &key);

// Devices on the fibre. One that answers the ONT's key on its port comes up as that ONT (true);
// one that no registration answers reports itself in autofind, or waits unreported.
bool comeUpIfWaiting(Device &d, Ont &o, const QString &key);
void reportToAutofind(Device &d, const AutofindEntry &e);

// Control-channel events.
QString plugOnt(Device &d, const AutofindEntry &entry); // empty, or the reason it was refused
QString unplugOnt(Device &d, const QString &key);
QString moveOnt(Device &d, const QString &key, PortRef to);

// Optical levels from the seed and the ONT's key, the same on every run: receive levels mostly
// between -15 and -26 dBm with a few weak ones near the sensitivity limit, and the OLT's reading,
// temperature, voltage and bias current to match.
void drawOptics(Ont &o, quint32 seed);
// New receive and/or transmit levels of a registered ONT (dBm). A change of the fibre's loss or of
// the ONT's laser moves what the OLT receives from it by as much. Empty, or why it was refused.
QString setOntOptics(Device &d, const QString &key, std::optional<double> rx, std::optional<double> tx);

// The ONTs' links and the autofind list brought in line with the boards and the auto-find switches.
void settle(Device &d);

Failure addServicePort(Device &d, ServicePort sp, bool explicitIndex);
// Removes the service ports that match; those with a multicast user stay. Returns how many went.
int removeServicePorts(Device &d, const std::function<bool(const ServicePort &)> &match, int *refused);

// Global switches in the order the saved configuration lists them, with their factory defaults.
const std::vector<std::pair<QString, bool>> &knownSwitches();

// Boards. "confirm" takes an auto-found board into service; a frame-wide confirm takes all of them.
Failure confirmBoard(Device &d, int frame, int slot);
Failure confirmFrame(Device &d, int frame);
Failure powerBoard(Device &d, int frame, int slot, bool on);
Failure resetBoard(Device &d, int frame, int slot);
// Refused while ONTs, service ports or VLAN uplinks are configured on the board.
Failure deleteBoard(Device &d, int frame, int slot);
const Board *activeControlBoard(const Device &d);
Failure switchOver(Device &d);

// DBA profiles 1 to 9, there from the factory.
std::vector<DbaProfile> factoryDbaProfiles();
bool isFactoryDbaProfile(const DbaProfile &p);

// VLANs. A VLAN in use (service ports, uplink ports, a native VLAN, its VLAN interface, a
// multicast VLAN) is not deleted; the uplink port changes name ports as "0/19/0".
Failure deleteVlan(Device &d, int id);
Failure addUplinkPorts(Device &d, int vlan, const QStringList &ports);
// Refused when none of the ports is in the VLAN; the others go.
Failure removeUplinkPorts(Device &d, int vlan, const QStringList &ports);
Failure setNativeVlan(Device &d, const QString &port, int vlan);
// Binds VLANs from..to to the VLAN service profile; all of them must exist.
Failure bindVlanServiceProfile(Device &d, int from, int to, int profile);

// IPv4 as the CLI takes it: dotted quads, and masks as quads or lengths.
std::optional<quint32> parseIpv4(const QString &text);
std::optional<int> parseMaskLength(const QString &text); // nothing for a mask with holes
QString ipv4Text(quint32 address);
QString maskText(int length);
// A usable host address on its mask: not a network, broadcast, loopback or multicast address.
bool hostAddressFits(quint32 address, int length);
// The IP interface by name, created without an address when it is not there; meth0 comes first,
// then the vlanifs by VLAN.
IpInterface &openIpInterface(Device &d, const QString &name);
// A row of the routing table.
struct Route {
    quint32 destination = 0;
    int length = 0;
    QString proto;
    QString flags;
    quint32 nextHop = 0;
    QString interface;
};
// The routing table: the static routes (the factory gateway when there are none), each interface's
// network and address, and loopback; by destination and mask length.
std::vector<Route> routeTable(const Device &d);
// Sets the address of meth0 or a vlanif (created when it is not there); refused when the subnet
// overlaps another interface's.
Failure setIpAddress(Device &d, const QString &interface, quint32 address, int length,
                     const QString &description);
// A route to the same destination over the same gateway replaces the earlier one.
void addStaticRoute(Device &d, const StaticRoute &route);

// Profiles. Entering a profile mode creates the profile; a name must not be another profile's.
Failure openProfile(Device &d, bool line, PonKind pon, int id, const QString &name);
// Profile edits: refused on what the profile or the device lacks; a change leaves the profile
// uncommitted until "commit".
Failure setTcont(const Device &d, Profile &p, int tcont, int dbaProfile);
Failure addGem(Profile &p, int index, const QString &service, int tcont);
Failure mapGem(Profile &p, int gem, int index, int vlan);
Failure setLlidDba(const Device &d, Profile &p, int dbaProfile);
void setOntPorts(Profile &p, const QString &pots, const QString &eth);
Failure addOntPortVlan(Profile &p, const OntPortVlan &v);
void setMulticastTagstrip(Profile &p, int port, const QString &mode);
void setMulticastForward(Profile &p, const QString &mode);
void keepProfileLine(Profile &p, const QString &line);
// False when nothing waited for it.
bool commitProfile(Profile &p);
// How many T-CONTs and LLIDs of the line profiles use the DBA profile.
int dbaProfileBindings(const Device &d, int id);
// The line and service profiles 0 every OLT has from the factory.
std::vector<Profile> factoryLineProfiles();
std::vector<Profile> factorySrvProfiles();

// Active alarms. A raised alarm gets the next serial number; clearing removes every active one.
void raiseAlarm(Device &d, Alarm a);
int clearAlarms(Device &d);

// The system: the saved configuration, a restart that comes back with it, and the factory state.
void saveConfiguration(Device &d);
void restartDevice(Device &d);
void eraseDevice(Device &d);
// Restarts the device with this configuration in place of the saved one; what is on the fibre stays.
void restartWith(Device &d, Device configured);

// ONT loading. The file is fetched first ("ont-load info"), then the ONTs are selected and the
// loading started; it runs for `durationMs` and is brought up to date by advanceOntLoad().
// What a package makes the ONTs run: the first line of the file when it reads as a version
// ("V5R020C00S100"), else the file's name without its extension.
QString loadedVersion(const QString &file, const QByteArray &contents);
Failure setOntLoadFile(Device &d, bool program, const QString &file, const QString &server,
                       const QByteArray &contents);
Failure selectOntLoad(Device &d, const OntLoadSelection &selection);
Failure startOntLoad(Device &d, const QString &activeMode, qint64 nowMs, qint64 durationMs);
void advanceOntLoad(Device &d, qint64 nowMs);
// Stops a running loading; after its end, clears it.
Failure stopOntLoad(Device &d);
// Whether the target lies in the selection.
bool ontLoadSelects(const OntLoadSelection &s, PortRef at, int id);
// The ONT restarts: a package waiting in its standby area becomes the one it runs.
void restartOnt(Device &d, Ont &o);

} // namespace tw::sim
