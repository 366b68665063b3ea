#include "monitor/OpticalLevelChartWidget.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>

namespace tw {

namespace {

const QColor Normal(0x4C, 0xA3, 0x5A), Amber(0xF0, 0xA8, 0x1E), Red(0xD9, 0x3A, 0x32);

} // namespace

OpticalLevelChartWidget::OpticalLevelChartWidget(QWidget *parent) : QChartView(parent) {
    setObjectName(QStringLiteral("OpticalLevelChart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->setTitle(QStringLiteral("接收光功率"));
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(2, 2, 2, 2));
    setMinimumHeight(180);
}

void OpticalLevelChartWidget::showBars(const QList<Bar> &given, const OpticalThresholds &limits, int ofAll) {
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    const QList<Bar> bars = given.mid(0, MaxBars);
    rows_.clear();

    auto *normal = new QBarSet(QStringLiteral("正常"));
    auto *low = new QBarSet(QStringLiteral("偏低"));
    auto *bad = new QBarSet(QStringLiteral("过低/过载"));
    normal->setColor(Normal);
    low->setColor(Amber);
    bad->setColor(Red);
    QStringList labels;
    double bottom = limits.tooLow - 5, top = std::max(0.0, limits.overload + 2);
    for (const Bar &b : bars) {
        // One bar per ONT: its value in the set of its colour, nothing in the others.
        *normal << (b.severity == Severity::None ? b.rxPower : 0);
        *low << (b.severity == Severity::Amber ? b.rxPower : 0);
        *bad << (b.severity == Severity::Red ? b.rxPower : 0);
        labels << b.label;
        rows_ << b.row;
        bottom = std::min(bottom, b.rxPower - 1);
        top = std::max(top, b.rxPower + 1);
    }
    auto *series = new QStackedBarSeries;
    series->append({normal, low, bad});
    series->setBarWidth(0.8);
    c->addSeries(series);
    connect(series, &QStackedBarSeries::clicked, this, [this](int index, QBarSet *) {
        if (index >= 0 && index < rows_.size()) emit barClicked(rows_[index]);
    });

    auto *x = new QBarCategoryAxis;
    x->append(labels.isEmpty() ? QStringList{QStringLiteral(" ")} : labels);
    x->setLabelsVisible(labels.size() <= 24);
    x->setLabelsAngle(-60);
    auto *y = new QValueAxis;
    y->setRange(bottom, top);
    y->setTitleText(QStringLiteral("dBm"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);

    // The limits, across every bar.
    const double from = -0.5, to = std::max<qsizetype>(labels.size(), 1) - 0.5;
    const struct {
        double at;
        QString name;
        QColor colour;
    } lines[] = {{limits.tooLow, QStringLiteral("过低门限"), Red},
                 {limits.low, QStringLiteral("偏低门限"), Amber},
                 {limits.overload, QStringLiteral("过载门限"), Red}};
    for (const auto &l : lines) {
        auto *line = new QLineSeries;
        line->setName(l.name + QStringLiteral(" %1").arg(l.at, 0, 'f', 1));
        line->append(from, l.at);
        line->append(to, l.at);
        line->setPen(QPen(l.colour, 1.5, Qt::DashLine));
        c->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    c->setTitle(bars.size() < ofAll
                    ? QStringLiteral("接收光功率（显示前 %1 个，共 %2 个有读数）").arg(bars.size()).arg(ofAll)
                    : QStringLiteral("接收光功率（%1 个ONT）").arg(bars.size()));
}

} // namespace tw
