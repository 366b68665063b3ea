#include "app/MainWindow.h"
#include "app/NavigationUi.h"
#include "app/TrayUi.h"
#include "ConsoleFixture.h"
#include "TestDoubles.h"
#include "admin/BoardPage.h"
#include "app/ConsolePane.h"
#include "common/ActivityLog.h"
#include "common/Gbk.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "monitor/QueryPage.h"
#include "ont/OntPage.h"
#include "provision/AutoRegisterWindow.h"
#include "widgets/GridPanelWidget.h"
#include "wizards/BasicConfigTab.h"
#include "wizards/SettingsPage.h"

#include "widgets/OperatorConsole.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace tw;

using test::configured;
using test::Console;

TEST(MainWindowStartup, TitleProbeConnectAndLog) {
    Console c(configured(QStringLiteral("标识=一号机房\n")));
    ASSERT_TRUE(c.window->start());
    EXPECT_EQ(c.window->windowTitle(), QStringLiteral("Tarnwick v3.0.0 - 一号机房"));
    EXPECT_EQ(c.probes, QStringList{QStringLiteral("10.1.1.1:23")});
    EXPECT_EQ(c.connects, 1);
    EXPECT_TRUE(c.op.boxes.isEmpty());
    EXPECT_EQ(c.logText(), QStringLiteral("08:00:00   系统初始化成功！\r\n"));
    EXPECT_EQ(c.window->size(), QSize(1038, 708));
}

TEST(MainWindowStartup, EmptyLabelLeavesTheDash) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    EXPECT_EQ(c.window->windowTitle(), QStringLiteral("Tarnwick v3.0.0 - "));
}

TEST(MainWindowStartup, FirstRunOpensControlPanelAndEnds) {
    Console c(QStringLiteral("[OLT]\nIP地址=10.1.1.1\n端口=23\n"));
    EXPECT_FALSE(c.window->start());
    ASSERT_EQ(c.op.boxes.size(), 1);
    EXPECT_EQ(c.op.boxes[0].text, QStringLiteral("首次使用请先在程序控制面板窗口设置正确的配置信息\r\n"
                                                 "然后点击测试并保存，保存完毕关闭并重新打开本软件！"));
    EXPECT_EQ(c.op.boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(c.controlPanels, 1);
    EXPECT_TRUE(c.probes.isEmpty());
    EXPECT_EQ(c.connects, 0);
}

TEST(MainWindowStartup, UnreachableAddressShowsMessageAndDoesNotConnect) {
    Console c(configured());
    c.reachable = false;
    ASSERT_TRUE(c.window->start());
    ASSERT_EQ(c.op.boxes.size(), 1);
    EXPECT_EQ(c.op.boxes[0].text, QStringLiteral("尝试连接OLT地址：10.1.1.1 失败，请检查后手动重连OLT！"));
    EXPECT_EQ(c.op.boxes[0].title, QStringLiteral("连接失败"));
    EXPECT_EQ(c.connects, 0);
}

TEST(MainWindowStartup, AutoRegistrationTimer) {
    struct Case {
        const char *extra;
        bool running;
        int interval;
    } cases[] = {
        {"自动注册=真\n[基本]\n周期=5\n", true, 300000},
        {"自动注册=真\n", true, 60000}, // period defaults to 1 minute
        {"自动注册=假\n[基本]\n周期=5\n", false, 0},
        {"[基本]\n周期=5\n", false, 0},
        {"自动注册=真\n[基本]\n周期=abc\n", false, 0}, // a period of 0 never fires
    };
    for (const Case &k : cases) {
        Console c(configured(QString::fromUtf8(k.extra)));
        ASSERT_TRUE(c.window->start());
        EXPECT_EQ(c.window->session.autoRegisterTimer.isActive(), k.running) << k.extra;
        EXPECT_EQ(c.window->session.autoRegisterTimer.interval(), k.interval) << k.extra;
        EXPECT_EQ(c.window->ontPage->autoRegisterBox->isChecked(),
                  QByteArray(k.extra).startsWith("自动注册=真"))
            << k.extra;
    }
}

TEST(MainWindowStartup, FieldsLoadFromSettingsWithDefaults) {
    Console c(configured(
        QStringLiteral("开启IPTV=真\n自动移机=假\n[基本]\n周期=3\n[其他]\n防御环路=真\n间隔保存=真\n"
                       "防御DOS攻击=yes\n")));
    ASSERT_TRUE(c.window->start());
    for (QLineEdit *box : c.window->boardPage->boardBoxes)
        EXPECT_EQ(box->text(), QStringLiteral("0/1"));
    // Frame, board and port presets reach all five tabs.
    for (const PortSelector *sel :
         {&c.window->ontPage->list, &c.window->ontPage->detail, &c.window->ontPage->discovery,
          &c.window->ontPage->registration, &c.window->ontPage->version})
        EXPECT_EQ(sel->slot->currentText(), QStringLiteral("1"));
    EXPECT_EQ(c.window->ontPage->serviceVlan->text(), QStringLiteral("41"));
    EXPECT_EQ(c.window->ontPage->periodBox->text(), QStringLiteral("3"));
    EXPECT_TRUE(c.window->ontPage->iptvBox->isChecked());
    EXPECT_FALSE(c.window->ontPage->autoMoveBox->isChecked());
    const auto &security = c.window->settingsPage->basicTab->securityBoxes;
    EXPECT_TRUE(security[6]->isChecked());  // 防御环路功能
    EXPECT_FALSE(security[4]->isChecked()); // only exactly 真 ticks
    EXPECT_TRUE(c.window->settingsPage->basicTab->intervalSaveBox->isChecked());
    EXPECT_EQ(c.window->settingsPage->basicTab->routeGateway->text(), QStringLiteral("192.168.88.254"));
    EXPECT_TRUE(c.sink.writes.isEmpty()) << "loading fields sends nothing";
}

TEST(MainWindow, ChassisCommandsAndPageSwitches) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    auto *toolbar = c.window->findChild<QToolBar *>(QStringLiteral("Toolbar"));
    ASSERT_NE(toolbar, nullptr);
    c.window->showPage(c.window->queryPage);
    c.action(toolbar, QStringLiteral("单板信息"))->trigger();
    EXPECT_EQ(c.window->pages->currentIndex(), 0);
    c.action(c.window->navigation->programMenu, QStringLiteral("机框状态"))->trigger();
    EXPECT_EQ(c.sink.writes, (QList<QByteArray>{"display board 0\r\n\r\n", "display board 0\r\n"}));
    c.action(toolbar, QStringLiteral("基本设置"))->trigger();
    EXPECT_EQ(c.window->pages->currentIndex(), 6);
    // The current page's button stays pressed, and only that one.
    EXPECT_TRUE(c.action(toolbar, QStringLiteral("基本设置"))->isChecked());
    EXPECT_FALSE(c.action(toolbar, QStringLiteral("单板信息"))->isChecked());
    c.action(c.window->navigation->programMenu, QStringLiteral("查询功能"))->trigger();
    EXPECT_TRUE(c.action(toolbar, QStringLiteral("查询功能"))->isChecked());
    EXPECT_FALSE(c.action(toolbar, QStringLiteral("基本设置"))->isChecked());
    EXPECT_FALSE(c.action(toolbar, QStringLiteral("控制面板"))->isCheckable());
    EXPECT_EQ(c.action(toolbar, QStringLiteral("单板信息"))->toolTip(),
              QStringLiteral("检测OLT下板卡数量和位置"));
    // "板卡管理" and "控制面板" have no tool tip, not even their caption.
    c.window->show();
    const auto hover = [&](const char *caption) {
        QWidget *button = toolbar->widgetForAction(c.action(toolbar, QString::fromUtf8(caption)));
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(button, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(hover("板卡管理"), QString());
    EXPECT_EQ(hover("控制面板"), QString());
    EXPECT_EQ(hover("单板信息"), QStringLiteral("检测OLT下板卡数量和位置")) << "the test sees tool tips";
    QToolTip::hideText();
    // Ten menu items with a separator between each two, then "退出" after one more.
    EXPECT_EQ(c.window->navigation->programMenu->actions().size(), 21);
    EXPECT_EQ(c.window->navigation->programMenu->actions().last()->text(), QStringLiteral("退出"));
    const QList<QAction *> bar = c.window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("程序(&F)"));
}

TEST(MainWindow, ConsoleButtons) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    // A two-line entry goes out with CR LF line ends, its log line too; the entry is emptied.
    c.window->console->entry->setPlainText(QStringLiteral("a\nb"));
    c.window->consolePane->executeButton->click();
    EXPECT_TRUE(c.window->console->entry->toPlainText().isEmpty());
    c.window->consolePane->executeButton->click();
    c.window->consolePane->breakButton->click();
    EXPECT_EQ(c.sink.writes, (QList<QByteArray>{"a\r\nb\r\n", "\r\n", "Q\r\n"}));
    EXPECT_TRUE(c.logText().endsWith(QStringLiteral("08:00:00   执行一次自定义命令！ a\r\nb\r\n"
                                                    "08:00:00   执行一次自定义命令！ \r\n")));
    EXPECT_FALSE(c.logText().contains(QRegularExpression(QStringLiteral("[^\r]\n"))));

    // "帮助" sends the entry and "?" and keeps the entry; the OLT keeps the partial command on its
    // line, so the completed command only adds what is new.
    c.sink.writes.clear();
    c.window->console->entry->setPlainText(QStringLiteral("a\nb"));
    c.window->consolePane->helpButton->click();
    EXPECT_EQ(c.window->console->entry->toPlainText(), QStringLiteral("a\nb"));
    c.window->console->entry->setPlainText(QStringLiteral("a\nb c"));
    c.window->consolePane->executeButton->click();
    EXPECT_EQ(c.sink.writes, (QList<QByteArray>{"a\r\nb?", " c\r\n"}));
    EXPECT_TRUE(c.logText().endsWith(QStringLiteral("08:00:00   执行一次自定义命令！ a\r\nb c\r\n")));
}

TEST(MainWindow, AutoRegisterTickReconnectsOnceWhenTheSendFails) {
    Console c(configured());
    c.sink.connected = false;
    c.window->session.connectOlt = [&] { ++c.connects, c.sink.connected = true; };
    c.window->ontPage->testAutoRegisterButton->click();
    EXPECT_EQ(c.connects, 1);
    EXPECT_TRUE(c.sink.writes.isEmpty()) << "the resend waits for the new login";
    emit c.window->session.connection.loginAnswered();
    emit c.window->session.connection.loginAnswered(); // a later login sends nothing more
    EXPECT_EQ(c.sink.writes, QList<QByteArray>{"display ont autofind all\r\n"});
}

// Offscreen there is no tray: the close box asks like "退出" and ends the program on OK.
TEST(MainWindow, ExitAsksAndTheCloseBoxWithoutATrayExitsToo) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    c.window->show();
    ASSERT_EQ(c.window->tray->icon, nullptr);
    QSignalSpy exits(c.window.get(), &MainWindow::exitConfirmed);
    c.op.answer(false);
    EXPECT_FALSE(c.window->requestExit());
    c.op.answer(false);
    EXPECT_FALSE(c.window->close()) << "Cancel keeps it open";
    EXPECT_TRUE(c.window->isVisible());
    EXPECT_FALSE(c.logText().contains(QStringLiteral("系统被强制关闭")));
    EXPECT_EQ(exits.count(), 0);
    c.op.answer(true);
    EXPECT_TRUE(c.window->close());
    EXPECT_EQ(exits.count(), 1);
    EXPECT_TRUE(c.logText().endsWith(QStringLiteral("08:00:00   系统被强制关闭！\r\n")));
    EXPECT_EQ(c.op.boxes.last().text, QStringLiteral("您真的要退出软件吗？"));
    EXPECT_EQ(c.op.boxes.last().title, QStringLiteral("系统提示"));
    EXPECT_EQ(c.op.boxes.last().kind, test::Box::OkCancel);
}

// Quitting closes every window first; the one that confirmed the exit must not ask again (nor,
// with a tray, minimise instead of closing, which would cancel the quit and leave it running).
TEST(MainWindow, ExitAsksOnceAndLetsTheQuitCloseTheWindow) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    c.window->show();
    c.op.answer(true);
    EXPECT_TRUE(c.window->requestExit());
    const qsizetype boxes = c.op.boxes.size();
    EXPECT_TRUE(c.window->close()) << "what the quit does";
    EXPECT_EQ(c.op.boxes.size(), boxes) << "asked once";
    EXPECT_EQ(c.logText().count(QStringLiteral("系统被强制关闭")), 1);
}

// The division between the pages and the console is the operator's and comes back next time.
TEST(MainWindow, TheConsoleSplitterIsRemembered) {
    Console c(configured(QStringLiteral("[界面]\n分隔位置=300,260\n")));
    auto *splitter = c.window->findChild<QSplitter *>(QStringLiteral("CentralSplitter"));
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->widget(1), c.window->consolePane);
    const QList<int> sizes = splitter->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_GT(sizes[0], 0);
    EXPECT_GT(sizes[1], 0);
    splitter->splitterMoved(200, 1);
    EXPECT_EQ(c.settings.read(settings::SplitterSizes),
              QString::number(splitter->sizes()[0]) + u',' + QString::number(splitter->sizes()[1]));
    Console blank(configured(QStringLiteral("[界面]\n分隔位置=abc\n")));
    EXPECT_NE(blank.window->findChild<QSplitter *>(QStringLiteral("CentralSplitter")), nullptr)
        << "a mangled value is the initial layout";
}

TEST(MainWindow, GridsHaveTheirHeaders) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    EXPECT_EQ(c.window->session.ontDiscoveryGrid.columns()[1].caption, QStringLiteral("框/槽/端口 "));
    EXPECT_EQ(c.window->ontPage->ontListGrid->columnWidth(2), 200);
    EXPECT_EQ(c.window->ontPage->ontVersionGrid->columnWidth(4), 220);
    EXPECT_EQ(c.window->ontPage->tabs->count(), 8);
    EXPECT_EQ(c.window->ontPage->tabs->tabText(7), QStringLiteral("ONT 刷机"));
}

TEST(AutoRegistrationLoop, TickingAsksAndUntickingStopsEverything) {
    Console c(configured(QStringLiteral("[基本]\n周期=5\n")));
    ASSERT_TRUE(c.window->start());
    OntPage *p = c.window->ontPage;
    c.op.answer(false);
    p->autoRegisterBox->click();
    EXPECT_FALSE(p->autoRegisterBox->isChecked());
    EXPECT_FALSE(c.window->session.autoRegisterTimer.isActive());
    EXPECT_EQ(c.op.boxes.last().icon, BoxIcon::None);

    c.op.answer(true);
    p->autoRegisterBox->click();
    EXPECT_EQ(c.window->session.autoRegisterTimer.interval(), 300000);
    EXPECT_TRUE(c.window->session.autoRegisterTimer.isActive());
    EXPECT_EQ(c.settings.read(settings::AutoRegister), QStringLiteral("真"));

    // Editing the period while running changes the interval at once and stores it.
    p->periodBox->setText(QString());
    QTest::keyClicks(p->periodBox, QStringLiteral("2"));
    EXPECT_EQ(c.window->session.autoRegisterTimer.interval(), 120000);
    EXPECT_EQ(c.settings.read(settings::Period), QStringLiteral("2"));

    p->iptvBox->click();
    p->autoMoveBox->click();
    EXPECT_EQ(c.settings.read(settings::Iptv), QStringLiteral("真"));
    p->autoRegisterBox->click();
    EXPECT_FALSE(c.window->session.autoRegisterTimer.isActive());
    EXPECT_EQ(c.op.boxes.last().text, QStringLiteral("自动注册已关闭，功能跟随运行已关闭！"));
    EXPECT_FALSE(p->iptvBox->isChecked());
    EXPECT_FALSE(p->autoMoveBox->isChecked());
    for (const Setting &s : {settings::AutoRegister, settings::Iptv, settings::AutoMove})
        EXPECT_EQ(c.settings.read(s), QStringLiteral("假")) << s.key.toStdString();

    // Stopped: an edit only stores the period.
    QTest::keyClicks(p->periodBox, QStringLiteral("0"));
    EXPECT_EQ(c.settings.read(settings::Period), QStringLiteral("20"));
    EXPECT_FALSE(c.window->session.autoRegisterTimer.isActive());
}

TEST(AutoRegistrationLoop, WindowRunsTheLoopWhileOpen) {
    Console c(configured(QStringLiteral("自动注册=真\n[基本]\n周期=3\n")));
    ASSERT_TRUE(c.window->start());
    int intervalWhileOpen = 0, afterEdit = 0;
    bool tickedWhileOpen = false;
    QObject::connect(c.window->ontPage, &OntPage::autoRegisterWindowOpened, [&](QDialog *w) {
        QTimer::singleShot(0, w, [&, w] {
            auto *window = static_cast<AutoRegisterWindow *>(w);
            EXPECT_EQ(window->windowTitle(), QStringLiteral("ONT自动注册中"));
            EXPECT_EQ(window->periodBox->text(), QStringLiteral("3"));
            tickedWhileOpen = c.window->ontPage->autoRegisterBox->isChecked();
            intervalWhileOpen = c.window->session.autoRegisterTimer.interval();
            window->periodBox->setText(QStringLiteral("7"));
            afterEdit = c.window->session.autoRegisterTimer.interval();
            window->testButton->click();
            window->reject();
        });
    });
    c.window->ontPage->openAutoRegisterWindow();
    EXPECT_TRUE(tickedWhileOpen);
    EXPECT_EQ(intervalWhileOpen, 180000);
    EXPECT_EQ(afterEdit, 420000);
    EXPECT_EQ(c.settings.read(settings::Period), QStringLiteral("3")) << "the window's period is not saved";
    EXPECT_EQ(c.sink.writes, QList<QByteArray>{"display ont autofind all\r\n"});
    EXPECT_FALSE(c.window->ontPage->autoRegisterBox->isChecked());
    EXPECT_FALSE(c.window->session.autoRegisterTimer.isActive());
    EXPECT_EQ(c.settings.read(settings::AutoRegister), QStringLiteral("真"))
        << "closing keeps the stored switch";
}

TEST(ManualRegistrationUi, DiscoveryMenuRegistersTheCurrentRowAndFillsTheTab) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    c.window->session.ontDiscoveryGrid.appendRow(
        {QStringLiteral("1"), QStringLiteral("0/2/7"), QStringLiteral("4857544300000001(HWTC-00000001)")});
    selectSourceRow(c.window->ontPage->ontDiscoveryGrid, 0);
    QAction *item = c.window->ontPage->ontDiscoveryActions.value(QStringLiteral("ONT注册(OMCI)"));
    ASSERT_TRUE(item && item->isEnabled());
    c.op.answerText(QStringLiteral("lobby"));
    c.op.answer(true);
    c.op.answer(true);
    item->trigger();
    EXPECT_EQ(c.sink.all(),
              QByteArray("interface gpon 0/2\r\nont add 7 sn-auth 4857544300000001 omci "
                         "ont-lineprofile-id 1 ont-srvprofile-id 1 desc lobby\r\n\r\nquit\r\n"));
    EXPECT_EQ(c.window->ontPage->registration.slot->currentText(), QStringLiteral("2"));
    EXPECT_EQ(c.window->ontPage->registration.port->currentText(), QStringLiteral("7"));
    EXPECT_EQ(c.window->session.shared.ponKindFlag, 1);

    // "LOID" swaps the manual group for the batch group.
    c.window->ontPage->registrationMode->setCurrentIndex(1);
    EXPECT_TRUE(c.window->ontPage->manualGroup->isHidden());
    EXPECT_FALSE(c.window->ontPage->registerButton->isEnabled());
    c.window->ontPage->registrationMode->setCurrentIndex(0);
    EXPECT_FALSE(c.window->ontPage->manualGroup->isHidden());
}
