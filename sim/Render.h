#pragma once
// Prints the device model the way the OLT lays out its replies, in English or Chinese CLI mode.
// Every function returns lines ended by "\r\n"; the session adds the echo, paging and prompt.

#include "Model.h"

#include <QString>

#include <functional>
#include <optional>

namespace tw::sim {

struct TransferResult;

enum class Lang { English, Chinese };

// A long reply made a piece at a time: each call appends the next piece to `out` and says whether
// more follow. Every call looks the device up afresh, so the device may change in between.
using Pieces = std::function<bool(QString &out)>;

inline QString tr(Lang lang, const char *english, const char *chinese) {
    return QString::fromUtf8(lang == Lang::English ? english : chinese);
}

// A fixed text in both languages.
struct Text {
    const char *english;
    const char *chinese;
};

inline QString tr(Lang lang, const Text &text) {
    return tr(lang, text.english, text.chinese);
}

// Display width on a terminal: a GBK double-byte character takes two columns.
int displayWidth(QStringView text);
void appendPadded(QString &out, const QString &text, int width);       // left-aligned
void appendRightAligned(QString &out, const QString &text, int width); // right-aligned
QString rule(int dashes = 77, int indent = 2);                         // a dashed rule line
// "0/ 1/0": the slot padded to two characters, as the OLT prints ports in tables.
QString paddedPort(PortRef at);

// A "label : value" line, the value wrapped near column 79 and continued under itself.
void appendField(QString &out, const QString &label, const QString &value, int labelWidth = 24);

QString failureText(Failure f, Lang lang);

QString controlFlagText(const Ont &o, Lang lang);
QString runStateText(const Ont &o, Lang lang);
QString boardStateText(BoardState s, Lang lang);

// display ont info <f> [<s> [<p>]] all. Returns false (and prints nothing) when no ONT matches.
bool renderOntTable(QString &out, const Device &d, Lang lang, int frame, std::optional<int> slot,
                    std::optional<int> port);
// The same a port's block at a time; empty when no ONT matches.
Pieces ontTablePieces(const Device &d, Lang lang, int frame, std::optional<int> slot,
                      std::optional<int> port);
// display ont info <f> <s> <p> <id> and the by-sn/by-mac/... searches.
QString renderOntDetail(const Device &d, Lang lang, const Ont &o, bool withProfiles);
QString renderAutofind(const Device &d, Lang lang, std::optional<PortRef> at);
QString renderBoards(const Device &d, Lang lang);
QString renderBoardDetail(const Device &d, Lang lang, const Board &b);
// The port table of an uplink board: every port, or only the one asked for.
QString renderUplinkPorts(const Device &d, Lang lang, const Board &b, std::optional<int> port);
bool renderOntVersionTable(QString &out, const Device &d, Lang lang, int frame, std::optional<int> slot,
                           std::optional<int> port);
// The same a few hundred rows at a time; empty when no ONT matches.
Pieces ontVersionPieces(const Device &d, Lang lang, int frame, std::optional<int> slot,
                        std::optional<int> port);
QString renderOntVersionDetail(Lang lang, const Ont &o);
QString renderServicePorts(const Device &d, Lang lang, const std::vector<const ServicePort *> &list);
// display igmp user: the multicast users by service port.
QString renderMulticastUsers(const Device &d, Lang lang);
QString renderCurrentConfiguration(const Device &d);
// The saved-configuration lines of one ONT and its service ports.
QString renderOntConfiguration(const Device &d, const Ont &o);
QString renderServicePortConfiguration(const Device &d, const std::vector<const ServicePort *> &list);
// display current-configuration ont <f/s/p> <id> and service-port <index>|all: the extracts the
// whole configuration would hold, with its header and end.
QString renderOntCurrentConfiguration(const Device &d, const Ont &o,
                                      const std::vector<const ServicePort *> &servicePorts);
QString renderServicePortCurrentConfiguration(const Device &d, const std::vector<const ServicePort *> &list);
// display ont optical-info <p> <id>: an online ONT's optical module.
QString renderOptics(Lang lang, const Ont &o);
// display ont optical-info <p> all: a row per online ONT; empty when none is online.
QString renderOpticalTable(Lang lang, PonKind pon, const std::vector<const Ont *> &onts);
// What the OLT prints into the session when an alarm is raised: the latest active one.
QString renderAlarmNotice(Lang lang, const Device &d);
// "Major" for MAJOR; the Chinese name of an alarm the simulator raises, else the name as it is.
QString alarmLevelText(const QString &level, Lang lang);
QString alarmNameText(const QString &name, Lang lang);

// The displays of a PON interface mode: an ONT's traffic and last registration, a port's state in
// detail, and the state of the ports given.
QString renderOntTraffic(Lang lang);
QString renderRegisterInfo(Lang lang, const Ont &o);
QString renderPonPortInfo(const Device &d, Lang lang, PortRef at);
QString renderPonPortStates(const Device &d, Lang lang, const std::vector<PortRef> &ports);

// The displays of an uplink board's mode: a port's optical diagnostics, the optical modules of the
// ports given, a port's traffic rates and the storm-control levels of the ports given.
QString renderUplinkDdm(Lang lang, int port);
QString renderUplinkOptics(Lang lang, const Board &b, const std::vector<int> &ports);
QString renderUplinkTraffic(Lang lang, PortRef at, double inMbps, double outMbps);
QString renderTrafficSuppress(Lang lang, const std::vector<int> &ports);

// The network displays. The VLANs of a port come with the port's native VLAN.
QString renderRoutingTable(Lang lang, const std::vector<Route> &list);
QString renderIpInterfaces(const Device &d, Lang lang);
// The neighbours the static routes lead to, as learnt on their interfaces.
QString renderArpTable(const Device &d, Lang lang);
QString renderPortVlans(Lang lang, const std::vector<const Vlan *> &list, int nativeVlan);
QString renderVlanList(const Device &d, Lang lang);
QString renderVlanCounts(const Device &d, Lang lang); // display vlan number
QString renderVlan(Lang lang, const Vlan &v);
QString renderIpStatistics(Lang lang);

// The monitoring displays. Temperatures list only boards that run (empty when none does); the
// power is one board's block or a table of the boards given with their total.
QString renderVersion(const Device &d, Lang lang);
QString renderDbaProfiles(const Device &d, Lang lang);
QString renderOntProfiles(const Device &d, Lang lang, bool line, PonKind pon);
QString renderTemperatures(const Device &d, Lang lang, const std::vector<const Board *> &boards);
QString renderBoardPower(Lang lang, const Board &b);
QString renderPowerTable(Lang lang, const std::vector<const Board *> &boards);
QString renderIoPacketFiles(const Device &d, Lang lang);
QString renderDataSync(const Device &d, Lang lang, const Board &active, const Board &standby);
QString renderStatistics(const Device &d, Lang lang);
QString renderCpuOccupancy(Lang lang);
QString renderTime(const Device &d);

// display ont-load info, and display ont-load select with the ONTs it selects (one at least).
QString renderOntLoadInfo(const OntLoad &l, Lang lang);
QString renderOntLoadTargets(const std::vector<const OntLoadTarget *> &targets, Lang lang);

// display alarm active all [detail]: the active alarms, a row or a block each, and their total.
QString renderAlarms(const Device &d, Lang lang, bool detail);

// The EMU mode's displays of the fan tray.
QString renderFanEnvironment(const Fans &f, Lang lang);
QString renderFanAlarms(const Fans &f, Lang lang);
QString renderFanSpeed(const Fans &f, Lang lang);
QString renderFanParameters(const Fans &f, Lang lang);
QString renderEmuVersion(Lang lang);

// The lines a command prints about what it did. A tally: how many objects the command addressed
// and how many it changed.
enum class Tally { OntsAdded, OntsDeleted, OntsOperated, ServicePortsDeleted };
QString renderTally(Lang lang, Tally what, qsizetype candidates, qsizetype success);
QString renderOntAdded(Lang lang, int port, int id); // where "ont add" put the ONT
QString renderMulticastUsersDeleted(Lang lang, qsizetype count);
QString renderTelnetTrying(Lang lang, const QString &host);
QString renderConfigurationSaved(Lang lang, int slot);
// Why a transfer did not end well; empty when it did.
QString renderTransferFailure(Lang lang, const TransferResult &result);
QString renderOntLoadReady(Lang lang, qsizetype bytes);
QString renderOntLoadStarted(Lang lang, qsizetype onts);

} // namespace tw::sim
