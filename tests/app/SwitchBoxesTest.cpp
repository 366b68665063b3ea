#include "ConsoleFixture.h"
#include "app/CommandLineWindow.h"
#include "app/ControlPanelWindow.h"
#include "monitor/AlarmPage.h"
#include "monitor/FanTab.h"
#include "ont/OntPage.h"
#include "wizards/BasicConfigTab.h"
#include "wizards/SettingsPage.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QTabWidget>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace tw;
using test::configured;
using test::Console;

namespace {

// What a screen reader does through AT-SPI: the box's "Toggle" action, which changes the state
// without a click.
void toggleAsAScreenReaderDoes(QAbstractButton *box) {
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(box);
    ASSERT_TRUE(a && a->actionInterface());
    ASSERT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

} // namespace

// A switch acts on a change of its state however it came: sent and stored, or back as it was when
// the OLT did not get it. The stored states shown at start-up send nothing.
TEST(SwitchBoxes, OltSwitchesActOnAChangeWithoutAClick) {
    const Setting dosKey = settings::other(u"防御DOS攻击");
    Console c(configured(QStringLiteral("[其他]\n防御DOS攻击=真\n")));
    ASSERT_TRUE(c.window->start());
    EXPECT_TRUE(c.sink.writes.isEmpty()) << "loading the stored state is no change";
    QCheckBox *dos = c.window->settingsPage->basicTab->securityBoxes[4];
    ASSERT_EQ(dos->text(), QStringLiteral("防御DOS攻击"));
    EXPECT_TRUE(dos->isChecked());

    toggleAsAScreenReaderDoes(dos);
    EXPECT_FALSE(dos->isChecked());
    EXPECT_EQ(c.sent(), QStringLiteral("security anti-dos disable\r\ny\r\n"));
    EXPECT_EQ(c.settings.read(dosKey), QStringLiteral("假"));

    c.sink.writes.clear();
    c.sink.connected = false;
    const qsizetype boxes = c.op.boxes.size();
    toggleAsAScreenReaderDoes(dos);
    EXPECT_FALSE(dos->isChecked()) << "not sent: the box goes back";
    EXPECT_EQ(c.settings.read(dosKey), QStringLiteral("假"));
    EXPECT_EQ(c.op.boxes.size(), boxes + 1); // told once, not again by the box going back

    c.sink.connected = true;
    QCheckBox *blocked = c.window->settingsPage->fanTab->alarmBoxes[2]; // "风扇堵转"
    toggleAsAScreenReaderDoes(blocked);
    EXPECT_TRUE(blocked->isChecked());
    EXPECT_TRUE(c.sent().contains(QStringLiteral("block"))) << c.sent().toStdString();
}

TEST(SwitchBoxes, ConsoleSwitchesActOnAChangeWithoutAClick) {
    test::TempRunDir run;
    SettingsStore settings(run.config());
    test::ScriptedOperator op;
    ControlPanelWindow panel(settings, op);
    toggleAsAScreenReaderDoes(panel.reconnectBox);
    EXPECT_EQ(settings.read(settings::AutoReconnect), QStringLiteral("真"));

    CommandLineWindow mirror([] { return QString(); });
    toggleAsAScreenReaderDoes(mirror.autoSync);
    EXPECT_FALSE(mirror.timer.isActive());
    toggleAsAScreenReaderDoes(mirror.autoSync);
    EXPECT_TRUE(mirror.timer.isActive());
}

// The automatic registration's boxes: ticked without a click, the question is asked and the loop
// runs; a refused tick puts the box back and stores nothing; unticked, the loop stops and the
// boxes that follow it go off too.
TEST(SwitchBoxes, AutomaticRegistrationBoxesActOnAChangeWithoutAClick) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    OntPage *page = c.window->ontPage;
    QTimer &loop = c.window->session.autoRegisterTimer;

    c.op.answer(false);
    toggleAsAScreenReaderDoes(page->autoRegisterBox);
    EXPECT_FALSE(page->autoRegisterBox->isChecked()) << "refused: back as it was";
    EXPECT_FALSE(loop.isActive());
    EXPECT_NE(c.settings.read(settings::AutoRegister), QStringLiteral("真"));

    c.op.answer(true);
    toggleAsAScreenReaderDoes(page->autoRegisterBox);
    EXPECT_TRUE(page->autoRegisterBox->isChecked());
    EXPECT_TRUE(loop.isActive());
    EXPECT_EQ(c.settings.read(settings::AutoRegister), QStringLiteral("真"));
    toggleAsAScreenReaderDoes(page->iptvBox);
    EXPECT_EQ(c.settings.read(settings::Iptv), QStringLiteral("真"));

    toggleAsAScreenReaderDoes(page->autoRegisterBox);
    EXPECT_FALSE(loop.isActive());
    EXPECT_EQ(c.settings.read(settings::AutoRegister), QStringLiteral("假"));
    EXPECT_FALSE(page->iptvBox->isChecked());
    EXPECT_EQ(c.settings.read(settings::Iptv), QStringLiteral("假"));
}

// The toolbar's page buttons switch pages on their state change; the button of the page shown
// stays pressed when toggled again.
TEST(SwitchBoxes, ToolbarPageButtonsSwitchPagesWithoutAClick) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    auto *toolbar = c.window->findChild<QToolBar *>(QStringLiteral("Toolbar"));
    ASSERT_NE(toolbar, nullptr);
    const auto button = [&](const QString &caption) -> QAbstractButton * {
        for (QAction *a : toolbar->actions())
            if (a->text() == caption) return qobject_cast<QAbstractButton *>(toolbar->widgetForAction(a));
        return nullptr;
    };
    QAbstractButton *alarms = button(QStringLiteral("报警状态"));
    QAbstractButton *onts = button(QStringLiteral("ONT管理"));
    ASSERT_TRUE(alarms && onts);

    toggleAsAScreenReaderDoes(alarms);
    EXPECT_EQ(c.window->pages->currentWidget(), c.window->alarmPage);
    EXPECT_TRUE(alarms->isChecked());
    toggleAsAScreenReaderDoes(alarms);
    EXPECT_EQ(c.window->pages->currentWidget(), c.window->alarmPage);
    EXPECT_TRUE(alarms->isChecked()) << "the shown page's button stays pressed";

    toggleAsAScreenReaderDoes(onts);
    EXPECT_EQ(c.window->pages->currentWidget(), c.window->ontPage);
    EXPECT_TRUE(onts->isChecked());
    EXPECT_FALSE(alarms->isChecked());
}
