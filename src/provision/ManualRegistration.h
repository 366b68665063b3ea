#pragma once
// Registering a discovered ONT by hand: from the discovery grid's menu and from the manual group
// of "ONT 注册". Each shows its script for confirmation and sends it in one write.

#include "common/PageContext.h"
#include "common/ScriptOutcome.h"
#include "ont/OntRef.h"

#include <QString>

#include <functional>
#include <optional>

namespace tw {

class GridModel;
using RegistrationContext = PageContext;

// The top row of "ONT 注册" and the manual group's boxes.
struct RegisterFields {
    QString frame, slot, port;
    QString outerVlan, serviceVlan, lineProfile, serviceProfile;
    QString serial, description;
};

enum class Management { Omci, Snmp };

// The serial of a discovery cell: up to its last "(", trimmed; unchanged without "(".
QString serialFromCell(const QString &cell);

// The discovery row a registration works on: the current row's cells, read once the description
// is given (column 1 the port, column 2 the serial or MAC), and where the row's frame, slot and port
// are shown (the top row of "ONT 注册"), before the questions that follow.
struct DiscoveredRow {
    std::function<QString(int column)> cell;
    std::function<void(const QString &frame, const QString &slot, const QString &port)> showPort;
    // Where the registration's outcome shows (the row's 注册状态): told when the script went and
    // again once the OLT has answered, with the row's port and key to find it by.
    std::function<void(const QString &port, const QString &key, const QString &status)> showStatus;
};

// The discovery grid's column of registration outcomes.
inline constexpr int DiscoveryStatusColumn = 11;
// Writes `status` into the 注册状态 of every row of `discovery` with that port and key (the grid
// may have been listed again since the registration began); false when none has them.
bool showDiscoveryStatus(GridModel &discovery, const QString &port, const QString &key,
                         const QString &status);
// What became of a registration, for the row: "已注册，ONT编号：N", "注册失败：" and the OLT's words,
// or why it was cut short.
QString registrationStatus(const ScriptOutcome &outcome);

// "ONT注册(OMCI)" / "ONU注册(SNMP)" on a discovery row. True when the script was sent.
bool registerDiscovered(RegistrationContext &ctx, Management how, const DiscoveredRow &row);

// The autofind query of one port, as "获取序列号" sends it.
QString autofindScript(PonKind kind, const QString &frame, const QString &slot, const QString &port);

// "获取序列号": asks the kind, sends the port's autofind query, returns today's date for the
// description box; nullopt when nothing was sent.
std::optional<QString> fetchSerial(RegistrationContext &ctx, const RegisterFields &fields);

// "注册" of the manual group. True when the script was sent.
bool registerManually(RegistrationContext &ctx, const RegisterFields &fields);

} // namespace tw
