#pragma once

#include "monitor/OpticalHistory.h"
#include "monitor/OpticalReading.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tw {

class GridModel;
class GridPanelWidget;
class OpticalLevelChartWidget;
class OpticalTrendWidget;
struct PageContext;

// "光功率": reads the ONTs' optical levels of a port, a board or the chassis, shows them in a grid
// coloured by the receive-level limits and as bars, and one ONT's trend from the history; reads
// again every few minutes when asked to.
class OpticalPage : public QWidget {
    Q_OBJECT
  public:
    OpticalPage(PageContext &context, const GridModel &ontList, QWidget *parent = nullptr);
    ~OpticalPage() override;

    QComboBox *scopeKind; // 端口, 单板, 整框
    QSpinBox *frameField, *slotField, *portField;
    QPushButton *readButton, *stopButton;
    QLabel *progressLabel, *summaryLabel;
    QDoubleSpinBox *tooLowField, *lowField, *overloadField;
    QSpinBox *periodField, *retentionField;
    GridModel *grid;
    GridPanelWidget *gridPanel;
    OpticalLevelChartWidget *levelChart;
    OpticalTrendWidget *trendChart;
    QTimer periodicTimer;

    OpticalScope scope() const;
    // 读取: starts a reading of the chosen scope; false when none started (one is running, or the
    // OLT is not connected, which the operator is told).
    bool readNow();
    // The periodic timer's tick: a reading, unless one is running or the connection is still busy
    // with other commands (then this tick is skipped). True when one started.
    bool periodicTick();
    // Shows the trend of the grid's row `row` (a model row).
    void showTrendOf(int row);
    OpticalThresholds thresholds() const { return limits_; }
    const OpticalResult &lastResult() const { return last_; }

  signals:
    void readingFinished();

  private:
    QWidget *buildControls();
    bool begin();
    void finished(const OpticalResult &result);
    void showEntries();
    void refreshChart();
    void thresholdsEdited();
    void applyPeriod(int minutes);
    OpticalHistory *openHistory();

    PageContext &context_;
    OpticalHistory history_;
    OpticalReading reading_;
    OpticalThresholds limits_;
    std::vector<OpticalEntry> entries_; // the grid's rows, in model order
    OpticalResult last_;
    bool chartQueued_ = false;
};

} // namespace tw
