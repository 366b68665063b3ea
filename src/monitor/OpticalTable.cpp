#include "monitor/OpticalTable.h"

#include "common/Settings.h"
#include "common/SettingsStore.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

QString level(const std::optional<double> &v, int decimals) {
    return v ? QString::number(*v, 'f', decimals) : QStringLiteral("-");
}

std::optional<double> numberIn(const QString &text, double low, double high) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < low || v > high) return std::nullopt;
    return v;
}

} // namespace

QList<GridColumn> opticalColumns() {
    using enum ColumnKind;
    return {{QStringLiteral("框/槽/端口"), 90, Port},
            {QStringLiteral("ONT编号"), 70, Number},
            {QStringLiteral("序列号"), 150, Text},
            {QStringLiteral("描述"), 140, Text},
            {QStringLiteral("接收光功率(dBm)"), 110, Number},
            {QStringLiteral("发送光功率(dBm)"), 110, Number},
            {QStringLiteral("OLT接收光功率(dBm)"), 130, Number},
            {QStringLiteral("温度(C)"), 70, Number},
            {QStringLiteral("电压(V)"), 70, Number},
            {QStringLiteral("电流(mA)"), 70, Number},
            {QStringLiteral("距离(m)"), 70, Number},
            {QStringLiteral("状态"), 70, Text}};
}

QString opticalState(const OpticalEntry &e, const OpticalThresholds &limits) {
    if (e.offline) return QStringLiteral("离线");
    const RxLevel l = classifyRx(e.row.rxPower, limits);
    return l == RxLevel::NoValue ? QStringLiteral("无读数") : rxLevelText(l);
}

Severity opticalSeverity(const OpticalEntry &e, const OpticalThresholds &limits) {
    return e.offline ? Severity::None : severityOf(classifyRx(e.row.rxPower, limits));
}

QStringList opticalEntryCells(const OpticalEntry &e, const OpticalThresholds &limits) {
    const OpticalRow &r = e.row;
    return {r.portText(),
            QString::number(r.ontId),
            e.serial,
            e.description,
            level(r.rxPower, 2),
            level(r.txPower, 2),
            level(r.oltRxPower, 2),
            level(r.temperature, 0),
            level(r.voltage, 3),
            level(r.biasCurrent, 0),
            r.distance ? QString::number(*r.distance) : QStringLiteral("-"),
            opticalState(e, limits)};
}

OpticalSummary summarize(const std::vector<OpticalEntry> &entries, const OpticalThresholds &limits) {
    OpticalSummary s;
    std::vector<double> levels;
    for (const OpticalEntry &e : entries) {
        ++s.onts;
        if (e.offline) {
            ++s.offline;
            continue;
        }
        if (!e.row.rxPower) {
            ++s.noValue;
            continue;
        }
        levels.push_back(*e.row.rxPower);
        if (opticalSeverity(e, limits) != Severity::None) ++s.outOfRange;
    }
    if (levels.empty()) return s;
    std::sort(levels.begin(), levels.end());
    s.min = levels.front();
    s.max = levels.back();
    const size_t mid = levels.size() / 2;
    s.median = levels.size() % 2 ? levels[mid] : (levels[mid - 1] + levels[mid]) / 2;
    return s;
}

QString summaryText(const OpticalSummary &s) {
    QString text = QStringLiteral("ONT %1 个").arg(s.onts);
    QStringList aside;
    if (s.offline) aside << QStringLiteral("离线 %1").arg(s.offline);
    if (s.noValue) aside << QStringLiteral("无读数 %1").arg(s.noValue);
    if (!aside.isEmpty())
        text += QStringLiteral("（") + aside.join(QStringLiteral("，")) + QStringLiteral("）");
    text += QStringLiteral("，超出范围 %1 个").arg(s.outOfRange);
    if (s.min)
        text += QStringLiteral("；接收光功率 最小 %1 / 中位 %2 / 最大 %3 dBm")
                    .arg(level(s.min, 2), level(s.median, 2), level(s.max, 2));
    return text;
}

bool thresholdsInOrder(const OpticalThresholds &l) {
    return l.tooLow < l.low && l.low < l.overload;
}

OpticalThresholds readThresholds(const SettingsStore &settings) {
    const OpticalThresholds defaults;
    auto read = [&](const Setting &s) { return numberIn(settings.read(s), -60, 20); };
    const auto tooLow = read(settings::OpticalTooLow), low = read(settings::OpticalLow),
               overload = read(settings::OpticalOverload);
    if (!tooLow || !low || !overload) return defaults;
    const OpticalThresholds limits{*tooLow, *low, *overload};
    return thresholdsInOrder(limits) ? limits : defaults;
}

int readPeriodMinutes(const SettingsStore &settings) {
    const auto v = numberIn(settings.read(settings::OpticalPeriod), 0, MaxPeriodMinutes);
    return v ? int(*v) : 0;
}

int readRetentionDays(const SettingsStore &settings) {
    const auto v = numberIn(settings.read(settings::OpticalRetention), 1, MaxRetentionDays);
    return v ? int(*v) : OpticalHistory::DefaultRetentionDays;
}

} // namespace tw
