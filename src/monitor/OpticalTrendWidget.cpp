#include "monitor/OpticalTrendWidget.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace tw {

OpticalTrendWidget::OpticalTrendWidget(QWidget *parent) : QChartView(parent) {
    setObjectName(QStringLiteral("OpticalTrendChart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->setTitle(QStringLiteral("光功率趋势（选择一个ONT）"));
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(2, 2, 2, 2));
    setMinimumSize(360, 180);
}

void OpticalTrendWidget::showTrend(const QString &title, const std::vector<OpticalTrendPoint> &points,
                                   const QString &note) {
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    points_ = int(points.size());
    c->setTitle(note.isEmpty() ? title : title + QStringLiteral("：") + note);
    if (points.empty()) return;

    auto *rx = new QLineSeries;
    rx->setName(QStringLiteral("接收光功率"));
    auto *tx = new QLineSeries;
    tx->setName(QStringLiteral("发送光功率"));
    double low = 0, high = 0;
    bool any = false;
    // A reading without a level leaves that point out; the line joins the readings on each side.
    for (const OpticalTrendPoint &p : points) {
        const qreal at = qreal(p.taken.toMSecsSinceEpoch());
        for (const auto &[series, value] : {std::pair{rx, p.rxPower}, std::pair{tx, p.txPower}}) {
            if (!value) continue;
            series->append(at, *value);
            low = any ? std::min(low, *value) : *value;
            high = any ? std::max(high, *value) : *value;
            any = true;
        }
    }
    for (QLineSeries *s : {rx, tx}) {
        s->setPointsVisible(true);
        c->addSeries(s);
    }
    auto *x = new QDateTimeAxis;
    // Readings of one hour are told apart by their seconds, of one day by their time, longer
    // histories by their date.
    const qint64 span = points.front().taken.secsTo(points.back().taken);
    x->setFormat(span < 3600        ? QStringLiteral("HH:mm:ss")
                 : span < 24 * 3600 ? QStringLiteral("HH:mm")
                                    : QStringLiteral("MM-dd"));
    x->setTickCount(4);
    x->setRange(points.front().taken.toLocalTime(),
                points.back().taken.toLocalTime().addSecs(points.size() == 1 ? 60 : 0));
    auto *y = new QValueAxis;
    y->setRange(low - 2, high + 2);
    y->setTitleText(QStringLiteral("dBm"));
    y->setLabelFormat(QStringLiteral("%.1f"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (QLineSeries *s : {rx, tx}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

} // namespace tw
