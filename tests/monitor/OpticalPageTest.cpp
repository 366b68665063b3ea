// The optical power page with a sink whose answers the test gives: rows coloured by limits the
// operator edits (and config.ini keeps), the bars and the grid tied together, the periodic reading
// that waits for a busy connection, and a reading without a connection.

#include "monitor/OpticalPage.h"

#include "Flow.h"
#include "common/GridModel.h"
#include "common/InputCheck.h"
#include "monitor/OpticalLevelChartWidget.h"
#include "monitor/OpticalTable.h"
#include "monitor/OpticalTrendWidget.h"
#include "widgets/GridPanelWidget.h"

#include <QBrush>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <gtest/gtest.h>

using namespace tw;

namespace {

const QString Listing =
    QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                   "  ONT  Rx power  Tx power  OLT Rx ONT  Temperature  Voltage  Current  Distance\r\n"
                   "  ID   (dBm)     (dBm)     power(dBm)  (C)          (V)      (mA)     (m)\r\n"
                   "  -----------------------------------------------------------------------------\r\n"
                   "    0  -28.50    2.10      -30.00      45           3.300    12       1200\r\n"
                   "    1  -22.00    2.10      -24.00      45           3.300    12       1200\r\n"
                   "    2  -26.00    2.10      -28.00      45           3.300    12       1200\r\n"
                   "  -----------------------------------------------------------------------------\r\n");

const QString Boards = QStringLiteral("  1       H806GPBD   正常\r\n");

struct Page : ::testing::Test, test::PageFlow {
    GridModel ontList{ontListColumns()};
    std::unique_ptr<OpticalPage> page;

    Page() {
        ontList.appendRow({"0/1/3", "0", "SERIAL-A"});
        sink.holdRuns = true;
        page = std::make_unique<OpticalPage>(context, ontList);
    }

    // A port reading of 0/1/3 answered with the listing above.
    void readPort() {
        page->scopeKind->setCurrentIndex(0);
        page->slotField->setValue(1);
        page->portField->setValue(3);
        ASSERT_TRUE(page->readNow());
        sink.answer({{QStringLiteral("display board"), Boards}});
        sink.answer({{QStringLiteral("display ont optical-info"), Listing}});
        ASSERT_TRUE(page->readButton->isEnabled()) << "the reading ended";
    }

    Severity colourOf(int row) const {
        const QVariant v = page->grid->data(page->grid->index(row, 0), Qt::BackgroundRole);
        if (!v.isValid()) return Severity::None;
        return v.value<QBrush>().color().green() > 0xC0 ? Severity::Amber : Severity::Red;
    }
};

TEST_F(Page, RowsAreColouredByTheLimitsTheOperatorSets) {
    readPort();
    ASSERT_EQ(page->grid->count(), 3);
    EXPECT_EQ(std::tuple(colourOf(0), colourOf(1), colourOf(2)),
              std::tuple(Severity::Red, Severity::None, Severity::Amber));
    EXPECT_EQ(page->grid->cell(0, OpticalSerialColumn), QStringLiteral("SERIAL-A"));
    EXPECT_EQ(page->levelChart->barCount(), 3);

    // 偏低 from -21 dBm: the -22 dBm row turns amber, and config.ini keeps the limit.
    page->lowField->setValue(-21);
    EXPECT_EQ(colourOf(1), Severity::Amber);
    EXPECT_EQ(page->grid->cell(1, OpticalStateColumn), QStringLiteral("偏低"));
    EXPECT_EQ(settings.read(settings::OpticalLow), QStringLiteral("-21"));
    // Limits out of order are refused: nothing stored, the colours stay.
    page->tooLowField->setValue(-20);
    EXPECT_EQ(settings.read(settings::OpticalTooLow), QStringLiteral("-27"));
    EXPECT_EQ(colourOf(1), Severity::Amber);
    EXPECT_EQ(page->thresholds().tooLow, -27);
}

TEST_F(Page, ABarSelectsItsRowAndTheRowShowsItsTrend) {
    readPort();
    emit page->levelChart->barClicked(0);
    EXPECT_EQ(currentSourceRow(page->gridPanel->view), 0);
    EXPECT_EQ(page->trendChart->pointCount(), 1) << "the reading just stored";
    // An ONT the ONT list does not hold has no serial and so no trend.
    emit page->levelChart->barClicked(2);
    EXPECT_EQ(currentSourceRow(page->gridPanel->view), 2);
    EXPECT_EQ(page->trendChart->pointCount(), 0);
}

TEST_F(Page, ThePeriodicReadingIsOffByDefaultAndWaitsForABusyConnection) {
    EXPECT_FALSE(page->periodicTimer.isActive());
    page->periodField->setValue(5);
    EXPECT_TRUE(page->periodicTimer.isActive());
    EXPECT_EQ(page->periodicTimer.interval(), 5 * 60 * 1000);
    EXPECT_EQ(settings.read(settings::OpticalPeriod), QStringLiteral("5"));

    sink.idleNow = false;
    EXPECT_FALSE(page->periodicTick());
    EXPECT_TRUE(sink.writes.isEmpty());
    sink.idleNow = true;
    EXPECT_TRUE(page->periodicTick());
    EXPECT_EQ(sink.writes.size(), 1);
    EXPECT_FALSE(page->periodicTick()) << "one reading at a time";

    page->periodField->setValue(0);
    EXPECT_FALSE(page->periodicTimer.isActive());
}

TEST_F(Page, WithoutAConnectionTheOperatorIsToldAndNothingRuns) {
    sink.connected = false;
    EXPECT_FALSE(page->readNow());
    EXPECT_EQ(lastBox(), NotConnectedNotice);
    EXPECT_TRUE(page->readButton->isEnabled());
    EXPECT_FALSE(page->periodicTick());
    EXPECT_EQ(op.boxes.size(), 1) << "the periodic reading tells nobody";
}

} // namespace
