#pragma once
// What the optical power page shows of a reading: its grid's columns and rows, each row's state
// against the receive-level limits, the summary line, and the limits and periods as config.ini
// keeps them.

#include "common/GridModel.h"
#include "monitor/OpticalParser.h"
#include "monitor/OpticalReading.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tw {

class SettingsStore;

// The grid: place, ID, serial, description, the levels, distance and the state.
QList<GridColumn> opticalColumns();
inline constexpr int OpticalStateColumn = 11;
inline constexpr int OpticalSerialColumn = 2;

// The state of a row: 离线, 无读数 (listed without a receive level), or the receive level's class.
QString opticalState(const OpticalEntry &entry, const OpticalThresholds &limits);
Severity opticalSeverity(const OpticalEntry &entry, const OpticalThresholds &limits);
// The row's cells; a level the OLT gave none for is "-", never 0.
QStringList opticalEntryCells(const OpticalEntry &entry, const OpticalThresholds &limits);

struct OpticalSummary {
    int onts = 0;                           // rows
    int offline = 0;                        // offline ONTs
    int noValue = 0;                        // listed without a receive level
    int outOfRange = 0;                     // 偏低, 过低 or 过载
    std::optional<double> min, median, max; // of the receive levels there are
};
OpticalSummary summarize(const std::vector<OpticalEntry> &entries, const OpticalThresholds &limits);
// "ONT 16 个（离线 1），超出范围 3 个；接收光功率 最小 -28.50 / 中位 -21.30 / 最大 -14.20 dBm"
QString summaryText(const OpticalSummary &summary);

// Whether the limits are in order: 过低 below 偏低 below 过载.
bool thresholdsInOrder(const OpticalThresholds &limits);
// The limits in config.ini; a missing, unreadable or out-of-order set gives the defaults.
OpticalThresholds readThresholds(const SettingsStore &settings);
// Minutes between periodic readings (0: off) and days the history keeps, each within its range;
// anything else in config.ini gives the default.
int readPeriodMinutes(const SettingsStore &settings);
int readRetentionDays(const SettingsStore &settings);
inline constexpr int MaxPeriodMinutes = 1440;
inline constexpr int MaxRetentionDays = 3650;

} // namespace tw
