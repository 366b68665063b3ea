#pragma once
// Registering a discovered ONT by hand: from the discovery grid's menu and from the manual group
// of "ONT 注册". Each shows its script for confirmation and sends it in one write.

#include <QString>

#include <optional>

namespace tw {

class ActivityLog;
class CommandSink;
class Operator;
class SettingsStore;
struct SharedValues;

struct RegistrationContext {
    Operator &op;
    CommandSink &sink;
    SettingsStore &settings;
    const ActivityLog &log;
    SharedValues &shared;
};

// The top row of "ONT 注册" and the manual group's boxes.
struct RegisterFields {
    QString frame, slot, port;
    QString outerVlan, serviceVlan, lineProfile, serviceProfile;
    QString serial, description;
};

enum class Management { Omci, Snmp };

// The serial of a discovery cell: up to its last "(", trimmed; unchanged without "(".
QString serialFromCell(const QString &cell);

// "ONT注册(OMCI)" / "ONU注册(SNMP)" on a discovery row (port cell and key cell). `fields` receives
// the row's frame, slot and port once the description was given. True when the script was sent.
bool registerDiscovered(RegistrationContext &ctx, Management how, const QString &portCell,
                        const QString &keyCell, RegisterFields &fields);

// "获取序列号": asks the kind, sends the port's autofind query, returns today's date for the
// description box.
QString fetchSerial(RegistrationContext &ctx, const RegisterFields &fields);

// "注册" of the manual group. True when the script was sent.
bool registerManually(RegistrationContext &ctx, const RegisterFields &fields);

} // namespace tw
