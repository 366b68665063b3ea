// The query catalogue, alarms and fans against the simulator.

#include "ConsoleHarness.h"

#include "monitor/AlarmPage.h"
#include "monitor/FanTab.h"
#include "monitor/QueryCatalogue.h"
#include "monitor/QueryPage.h"
#include "wizards/SettingsPage.h"

#include <QCheckBox>
#include <QComboBox>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::e2e;

// Every catalogue entry, run once, fills the emptied query pane with the OLT's answer, and the
// console goes on to the next one (nothing stalls).
TEST(MonitorE2E, EveryCatalogueEntryFillsTheQueryPane) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    QueryPage *page = h.window->queryPage;
    const QList<QueryEntry> &entries = queryCatalogue();
    for (int i = 0; i < entries.size(); ++i) {
        const QueryEntry &e = entries[i];
        if (!e.before) continue; // a separator
        SCOPED_TRACE(QString::fromUtf16(e.caption).toStdString());
        if (e.input == QueryInput::Kind)
            h.op.answer(i == 1); // the line profiles of EPON, the services of GPON
        if (e.input == QueryInput::Text) h.op.answerText(QString::fromUtf16(e.initial));
        page->catalogueList->setCurrentIndex(i);
        h.click(page->queryButton);
        EXPECT_TRUE(page->queryPane->toPlainText().isEmpty() || e.input != QueryInput::None)
            << "emptied before the answer comes";
        ASSERT_TRUE(h.settle()) << h.consoleText().right(400).toStdString();
        const QString pane = page->queryPane->toPlainText();
        EXPECT_TRUE(pane.contains(QStringLiteral("display")))
            << "the echo and the answer: " << pane.toStdString();
        EXPECT_GT(pane.count(u'\n'), 2) << pane.toStdString();
        EXPECT_TRUE(h.op.answers.empty());
    }
}

TEST(MonitorE2E, AnAlarmShowsAfterViewAndIsGoneAfterClear) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    const qsizetype before = h.sim.dump()["alarms"].toArray().size();
    ASSERT_EQ(h.sim.command(QStringLiteral("fault alarm")), "ok");
    ASSERT_EQ(h.sim.dump()["alarms"].toArray().size(), before + 1);
    AlarmPage *page = h.window->alarmPage;
    h.click(page->viewButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return page->alarmPane->toPlainText().contains(QStringLiteral("告警名称")); }, WaitMs))
        << h.consoleText().right(600).toStdString();
    ASSERT_TRUE(h.settle());

    h.op.answer(true);
    h.click(page->clearButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.sim.dump()["alarms"].toArray().isEmpty(); }, WaitMs));
    ASSERT_TRUE(h.settle());
    h.click(page->viewButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return page->alarmPane->toPlainText().contains(QStringLiteral("系统中没有告警")); }, WaitMs))
        << page->alarmPane->toPlainText().toStdString();
}

TEST(MonitorE2E, FanSettingsChangeTheModel) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    FanTab *fans = h.window->settingsPage->fanTab;
    fans->speedLevel->setCurrentIndex(3);
    h.click(fans->levelButton);
    fans->speedMode->setCurrentIndex(1);
    h.click(fans->modeButton);
    fans->alarmBoxes[2]->click(); // "风扇堵转" permitted
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QJsonObject f = h.sim.dump()["fans"].toObject();
            return f["speedLevel"].toInt() == 3 && f["speedMode"].toString().contains("mainboard") &&
                   f["alarms"]["block"].toBool();
        },
        WaitMs))
        << QJsonDocument(h.sim.dump()["fans"].toObject()).toJson().toStdString();
    ASSERT_TRUE(h.settle());
}
