#pragma once
// Registering a discovered ONT by hand: from the discovery grid's menu and from the manual group
// of "ONT 注册". Each shows its script for confirmation and sends it in one write.

#include "common/PageContext.h"
#include "ont/OntRef.h"

#include <QString>

#include <functional>
#include <optional>

namespace tw {

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
};

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
