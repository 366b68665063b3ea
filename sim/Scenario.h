#pragma once
// Scenarios: the device a simulator starts with. Built-in ones are generated from a seed; others
// are JSON files of the same shape that "dump" prints, so a dump can be loaded again.

#include "Model.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace tw::sim {

struct ScenarioResult {
    std::optional<Device> device;
    QString error;
};

// "demo", "full" or a path to a JSON file.
ScenarioResult loadScenario(const QString &nameOrFile, quint32 seed);
ScenarioResult scenarioFromJson(const QByteArray &json);
Device demoScenario(quint32 seed);
Device fullScenario(quint32 seed);

QJsonObject dumpDevice(const Device &d);

// The database file "backup data" stores: a line that names it, then the device as "dump" prints it.
QByteArray databaseFile(const Device &d);
ScenarioResult deviceFromDatabase(const QByteArray &file);

} // namespace tw::sim
