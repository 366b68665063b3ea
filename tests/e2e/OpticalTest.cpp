// The optical power page against the simulator: a weak ONT set through the control port shows as
// 过低, a board reading ends in configuration mode and lands in the history, repeated readings make
// a trend, and 中断 stops a board reading cleanly.

#include "ConsoleHarness.h"

#include "common/GridModel.h"
#include "monitor/OpticalHistory.h"
#include "monitor/OpticalLevelChartWidget.h"
#include "monitor/OpticalPage.h"
#include "monitor/OpticalTable.h"
#include "monitor/OpticalTrendWidget.h"
#include "widgets/GridPanelWidget.h"
#include "ont/OntPage.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::e2e;

namespace {

struct OpticalConsole : ConsoleHarness {
    OpticalPage *page = nullptr;
    int finished = 0;

    bool start() {
        if (!startAndLogIn()) return false;
        page = window->findChild<OpticalPage *>();
        if (!page) return false;
        QObject::connect(page, &OpticalPage::readingFinished, [this] { ++finished; });
        return true;
    }

    // The ONT list of a board, for the serials the page joins.
    bool listBoard(int slot) {
        window->ontPage->list.slot->setCurrentText(QString::number(slot));
        click(window->ontPage->listBoardButton);
        const qsizetype expected = onts(QStringLiteral("0/%1/").arg(slot)).size();
        return QTest::qWaitFor([&] { return window->session.ontListGrid.count() >= expected; }, WaitMs) && settle();
    }

    // Reads `kind` (0 port, 1 board) and waits for the reading and the console to end.
    bool read(int kind, int slot, int port = 0) {
        page->scopeKind->setCurrentIndex(kind);
        page->slotField->setValue(slot);
        page->portField->setValue(port);
        const int before = finished;
        click(page->readButton);
        return QTest::qWaitFor([&] { return finished > before; }, 4 * WaitMs) && settle();
    }

    // The model's ONTs under `prefix` ("0/1/" or "0/1/3/").
    QList<QJsonObject> onts(const QString &prefix) const {
        QList<QJsonObject> found;
        for (const QJsonValue &v : sim.dump()["onts"].toArray())
            if ((v["port"].toString() + '/').startsWith(prefix)) found << v.toObject();
        return found;
    }

    int gridRow(const QString &port, int id) const {
        for (int r = 0; r < page->grid->count(); ++r)
            if (page->grid->cell(r, 0) == port && page->grid->cell(r, 1) == QString::number(id)) return r;
        return -1;
    }
};

QJsonObject firstOnline(const QList<QJsonObject> &onts) {
    for (const QJsonObject &o : onts)
        if (o["runState"].toString() == "online" && o.contains("sn")) return o;
    return {};
}

} // namespace

TEST(OpticalE2E, AWeakOntShowsTooLowWithItsLevelAfterAPortReading) {
    OpticalConsole h;
    ASSERT_TRUE(h.start());
    const QJsonObject weak = firstOnline(h.onts(QStringLiteral("0/1/")));
    ASSERT_FALSE(weak.isEmpty());
    const QString port = weak["port"].toString();
    const int id = weak["id"].toInt();
    ASSERT_EQ(h.sim.command(QStringLiteral("optics %1 rx -28.5").arg(weak["sn"].toString())), "ok");
    ASSERT_TRUE(h.listBoard(1));

    ASSERT_TRUE(h.read(0, 1, port.section('/', 2).toInt())) << h.consoleText().right(600).toStdString();
    EXPECT_EQ(h.page->lastResult().status, OpticalResult::Done) << h.page->lastResult().reason.toStdString();
    const int row = h.gridRow(port, id);
    ASSERT_GE(row, 0) << h.page->grid->count() << " rows";
    const QStringList cells = h.page->grid->row(row);
    EXPECT_EQ(cells[OpticalSerialColumn], weak["sn"].toString());
    EXPECT_EQ(cells[4], QStringLiteral("-28.50"));
    EXPECT_EQ(cells[OpticalStateColumn], QStringLiteral("过低"));
    EXPECT_TRUE(h.page->grid->data(h.page->grid->index(row, 0), Qt::BackgroundRole).isValid()) << "coloured";
    EXPECT_TRUE(h.page->summaryLabel->text().contains(QStringLiteral("超出范围")));

    // Every ONT of the port is a row; an offline one has no levels, not zeros.
    const QList<QJsonObject> onPort = h.onts(port + '/');
    EXPECT_EQ(h.page->grid->count(), onPort.size());
    int online = 0;
    for (const QJsonObject &o : onPort) {
        const int r = h.gridRow(port, o["id"].toInt());
        ASSERT_GE(r, 0);
        if (o["runState"].toString() == "online") {
            ++online;
            continue;
        }
        EXPECT_EQ(h.page->grid->cell(r, OpticalStateColumn), QStringLiteral("离线"));
        EXPECT_EQ(h.page->grid->cell(r, 4), QStringLiteral("-"));
    }
    EXPECT_EQ(h.page->levelChart->barCount(), online);
}

TEST(OpticalE2E, BoardReadingsEndInConfigModeLandInTheHistoryAndMakeATrend) {
    OpticalConsole h;
    ASSERT_TRUE(h.start());
    ASSERT_TRUE(h.listBoard(1));
    const QJsonObject ont = firstOnline(h.onts(QStringLiteral("0/1/")));
    const QString sn = ont["sn"].toString();

    h.page->scopeKind->setCurrentIndex(1);
    h.page->slotField->setValue(1);
    h.click(h.page->readButton);
    EXPECT_FALSE(h.page->readButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return h.page->progressLabel->text().startsWith(QStringLiteral("已读取 ")); }, WaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.finished == 1; }, 4 * WaitMs));
    ASSERT_TRUE(h.settle()) << "back in configuration mode: " << h.consoleText().right(300).toStdString();
    EXPECT_EQ(h.page->progressLabel->text(), QStringLiteral("读取完成：已读取 8/8 个端口"));
    EXPECT_EQ(h.page->grid->count(), h.onts(QStringLiteral("0/1/")).size());

    // Two more readings of its port, its level lower each time.
    for (const char *rx : {"-23.5", "-27.5"}) {
        ASSERT_EQ(h.sim.command(QStringLiteral("optics %1 rx %2").arg(sn, QString::fromUtf8(rx))), "ok");
        ASSERT_TRUE(h.read(0, 1, ont["port"].toString().section('/', 2).toInt()));
    }
    OpticalHistory history(RunDirectory{h.run.path()});
    ASSERT_TRUE(history.open());
    EXPECT_EQ(history.readingCount(), 3);
    const std::vector<OpticalTrendPoint> trend = history.trend(sn);
    ASSERT_EQ(trend.size(), 3u);
    EXPECT_EQ(trend[1].rxPower, -23.5);
    EXPECT_EQ(trend[2].rxPower, -27.5);

    // Selecting the ONT's row (as clicking its bar does) draws its trend.
    selectSourceRow(h.page->gridPanel->view, h.gridRow(ont["port"].toString(), ont["id"].toInt()));
    EXPECT_EQ(h.page->trendChart->pointCount(), 3);
    EXPECT_EQ(h.page->grid->cell(h.gridRow(ont["port"].toString(), ont["id"].toInt()), OpticalStateColumn),
              QStringLiteral("过低"));
}

TEST(OpticalE2E, AnInterruptedBoardReadingLeavesTheCliReadyForTheNext) {
    OpticalConsole h;
    ASSERT_TRUE(h.start());
    h.page->scopeKind->setCurrentIndex(1);
    h.page->slotField->setValue(1);
    h.click(h.page->readButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return h.page->progressLabel->text() == readingProgressText(1, 8); }, WaitMs));
    h.click(h.page->stopButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.finished == 1; }, 4 * WaitMs));
    EXPECT_EQ(h.page->lastResult().status, OpticalResult::Interrupted);
    EXPECT_LT(h.page->lastResult().portsRead, 8);
    ASSERT_TRUE(h.settle()) << h.consoleText().right(300).toStdString();

    ASSERT_TRUE(h.read(0, 1, 2));
    EXPECT_EQ(h.page->lastResult().status, OpticalResult::Done) << h.page->lastResult().reason.toStdString();
    // Without the ONT list only the ONTs the OLT lists (the online ones) are rows.
    int online = 0;
    for (const QJsonObject &o : h.onts(QStringLiteral("0/1/2/")))
        online += o["runState"].toString() == "online";
    EXPECT_EQ(h.page->grid->count(), online);
}
