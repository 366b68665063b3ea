// Boards, system operations and switches against the simulator: what each does to the device.

#include "ConsoleHarness.h"
#include "app/StatusBarUi.h"

#include "admin/BoardPage.h"
#include "admin/SystemGroupWidget.h"
#include "wizards/BasicConfigTab.h"
#include "wizards/SettingsPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::e2e;

namespace {

QString boardState(const QJsonObject &dump, int slot) {
    for (const QJsonValue &b : dump["boards"].toArray())
        if (b["slot"].toInt() == slot) return b["state"].toString();
    return {};
}

struct AdminHarness : ConsoleHarness {
    using ConsoleHarness::ConsoleHarness;

    bool waitForModel(const std::function<bool(const QJsonObject &)> &done) {
        return QTest::qWaitFor([&] { return done(sim.dump()); }, WaitMs);
    }
    void board(int group, const QString &text, std::vector<test::ScriptedOperator::Answer> answers) {
        op.answers.assign(answers.begin(), answers.end());
        window->boardPage->boardBoxes[group]->setText(text);
        click(window->boardPage->groupButtons[group]);
    }
};

} // namespace

TEST(AdminE2E, BoardsConfirmPowerOffAndOn) {
    AdminHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_EQ(boardState(h.sim.dump(), 5), "auto_find");
    h.board(0, "0/5", {true}); // "确认业务板"
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) { return boardState(d, 5) == "normal"; }));
    ASSERT_TRUE(h.settle());

    h.board(1, "0/2", {true}); // "远程业务板断电"
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) { return boardState(d, 2) == "power_off"; }));
    ASSERT_TRUE(h.settle());
    h.board(3, "0/2", {true}); // "远程业务板上电"
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) { return boardState(d, 2) == "normal"; }));
    ASSERT_TRUE(h.settle());
    EXPECT_TRUE(h.op.answers.empty());
    const QString log =
        fromGbk(h.run.readFile(QStringLiteral("日志/") + h.log->dateText() + QStringLiteral(".txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("   业务板确认0/5")));
    EXPECT_TRUE(log.contains(QStringLiteral("   业务板断电0/2")));
    EXPECT_TRUE(log.contains(QStringLiteral("   业务板上电0/2")));
}

TEST(AdminE2E, RenameSaveIdleTimeoutAndSwitches) {
    AdminHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    SettingsPage *page = h.window->settingsPage;

    // Renamed, the system's prompt carries the new name, and outputs still complete.
    h.op.answer(true);
    page->systemGroup->systemName->setText(QStringLiteral("OLT-E2E"));
    h.click(page->systemGroup->renameButton);
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("OLT-E2E(config)#")));
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) { return d["sysname"].toString() == "OLT-E2E"; }));

    h.op.answer(true);
    h.click(h.window->consolePane->writeButton); // "写入OLT(&S)"
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("保存完毕"))) << h.consoleText().right(600).toStdString();

    page->otherGroup->idleMinutes->setText(QStringLiteral("30"));
    h.click(page->otherGroup->setButton);
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) { return d["idleSeconds"].toInt() == 30 * 60; }));

    // One security switch (its disable form answers the OLT's question) and one autosave box:
    // the OLT and config.ini agree.
    QCheckBox *dos = page->basicTab->securityBoxes[4];
    ASSERT_EQ(dos->text(), QStringLiteral("防御DOS攻击"));
    dos->click();
    ASSERT_TRUE(
        h.waitForModel([](const QJsonObject &d) { return d["switches"]["security anti-dos"].toBool(); }));
    EXPECT_EQ(h.settings->read(settings::other(u"防御DOS攻击")), QStringLiteral("真"));
    dos->click();
    ASSERT_TRUE(
        h.waitForModel([](const QJsonObject &d) { return !d["switches"]["security anti-dos"].toBool(); }));
    EXPECT_EQ(h.settings->read(settings::other(u"防御DOS攻击")), QStringLiteral("假"));
    page->basicTab->securityBoxes[1]->click(); // "防御IP欺骗" on
    page->basicTab->timedSaveBox->click();
    ASSERT_TRUE(h.waitForModel([](const QJsonObject &d) {
        return d["autosave"]["timeOn"].toBool() && d["autosave"]["time"].toString() == "03:00:00" &&
               d["switches"]["security anti-ipspoofing"].toBool();
    }));
    EXPECT_EQ(h.settings->read(settings::TimedSave), QStringLiteral("真"));
    EXPECT_TRUE(h.op.boxes.size() == 2) << "the rename and save questions only";

    // A console started afterwards on the same run directory shows the stored state.
    MainWindow again(*h.settings, *h.log, h.op);
    again.probe = [](const QString &, int) { return false; };
    h.op.agreeWith = QString(); // the unreachable notice
    ASSERT_TRUE(again.start());
    EXPECT_TRUE(again.settingsPage->basicTab->timedSaveBox->isChecked());
    EXPECT_TRUE(again.settingsPage->basicTab->securityBoxes[1]->isChecked());
    EXPECT_FALSE(again.settingsPage->basicTab->securityBoxes[4]->isChecked());
    EXPECT_FALSE(again.settingsPage->basicTab->intervalSaveBox->isChecked());
}

// A reboot ends the session from the OLT's side; with 自动重连 on the console logs in again once the
// OLT is back (over SSH with the host key it trusted, asking nothing), and the next query completes.
using AdminRebootE2E = OverEachLink;
INSTANTIATE_TEST_SUITE_P(, AdminRebootE2E, ::testing::Values(Link::Telnet, Link::Ssh), linkName);

TEST_P(AdminRebootE2E, RebootEndsTheSessionAndTheConsoleComesBack) {
    AdminHarness h(demoDevice(), QStringLiteral("自动重连=真\n"), GetParam());
    h.sim.server->setRestartMs(500);
    h.window->session.connection.setRetryDelay(300);
    ASSERT_TRUE(h.startAndLogIn());
    h.op.answer(true);
    h.click(h.window->settingsPage->systemGroup->rebootButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.window->session.connection.isConnected(); }, WaitMs));
    EXPECT_EQ(h.op.boxes.last().text, QStringLiteral("重启成功，请等待系统启动！"));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("语言模式已切换为中文")))
        << h.consoleText().right(600).toStdString();
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt));
    ASSERT_TRUE(h.settle());
    h.typeCommand(QStringLiteral("display board 0"));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("单板名称")));
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt));
    for (const test::Box &b : h.op.boxes)
        EXPECT_NE(b.title, Operator::HostKeyTitle) << "the trusted key is not asked about again";
    EXPECT_EQ(h.window->status->connectionLabel->text(),
              QStringLiteral("已连接 ") + h.window->session.where());
}
