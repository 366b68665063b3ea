#pragma once

#include "monitor/OpticalParser.h"

#include <QChartView>
#include <QList>
#include <QString>

namespace tw {

// The receive levels of a reading's ONTs as bars, coloured as their rows (正常, 偏低, 过低/过载),
// with the limits drawn across. Clicking a bar names the grid row it stands for.
class OpticalLevelChartWidget : public QChartView {
    Q_OBJECT
  public:
    struct Bar {
        QString label; // "0/1/3-5"
        double rxPower = 0;
        Severity severity = Severity::None;
        int row = -1; // the grid's row
    };
    // More bars than this are not drawn (the title says how many of how many are).
    static constexpr int MaxBars = 512;

    explicit OpticalLevelChartWidget(QWidget *parent = nullptr);
    void showBars(const QList<Bar> &bars, const OpticalThresholds &limits, int ofAll);
    int barCount() const { return int(rows_.size()); }

  signals:
    void barClicked(int row);

  private:
    QList<int> rows_; // the grid row of each bar
};

} // namespace tw
