#pragma once

#include "monitor/OpticalHistory.h"

#include <QChartView>
#include <QString>

#include <vector>

namespace tw {

// One ONT's receive and transmit levels over the readings the history holds.
class OpticalTrendWidget : public QChartView {
    Q_OBJECT
  public:
    explicit OpticalTrendWidget(QWidget *parent = nullptr);
    // `title` names the ONT; an empty `points` shows the title and `note` only.
    void showTrend(const QString &title, const std::vector<OpticalTrendPoint> &points,
                   const QString &note = {});
    int pointCount() const { return points_; }

  private:
    int points_ = 0;
};

} // namespace tw
