#include "app/MainWindow.h"

#include "admin/BoardPage.h"
#include "app/AppIconPainter.h"
#include "app/ChassisPage.h"
#include "app/ConsolePane.h"
#include "app/ControlPanelWindow.h"
#include "app/NavigationUi.h"
#include "app/Reachability.h"
#include "app/StatusBarUi.h"
#include "app/ToolsMenuUi.h"
#include "app/TrayUi.h"
#include "common/ActivityLog.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "monitor/AlarmPage.h"
#include "monitor/OpticalPage.h"
#include "monitor/QueryPage.h"
#include "olt/OltLink.h"
#include "olt/TestConnection.h"
#include "ont/OntPage.h"
#include "widgets/ReceivingIndicatorWidget.h"
#include "widgets/SwitchBox.h"
#include "wizards/CommissioningPage.h"
#include "wizards/SettingsPage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace tw {

MainWindow::MainWindow(SettingsStore &settings, ActivityLog &log, Operator &op, QWidget *parent)
    : QMainWindow(parent), session(settings, log, op), settings_(settings), log_(log), op_(op) {
    setWindowTitle(ProductTitle);
    setWindowIcon(paintAppIcon());
    resize(1038, 708);

    probe = [](const QString &host, int port) { return probeReachable(host, port, 1000); };
    openControlPanel = [this] {
        ControlPanelWindow panel(settings_, op_, this);
        TestConnection test(op_, knownHostsFile(settings_));
        connect(&panel, &ControlPanelWindow::testConnectionRequested, &test, &TestConnection::start);
        panel.exec();
    };
    status = new StatusBarUi(statusBar(), session);
    const auto event = [this](const QString &line) { status->setLastEvent(line); };
    session.report = [this, event](const QString &message) { event(log_.timeStamp() + u' ' + message); };

    buildPagesAndNavigation();
    tools = new ToolsMenuUi(this, session, event);
    tray = new TrayUi(
        this, [this] { bringToFront(); }, [this] { requestExit(); });

    ontPage->registerStartupFields(startupFields);
    boardPage->registerStartupFields(startupFields);
    commissioningPage->registerStartupFields(startupFields);
    settingsPage->registerStartupFields(startupFields);

    session.replies.chassis = [this](const QString &reply) { chassisPage->drawFrom(reply); };
    // Writes the program makes on its own (counters, switches) have nobody else to tell.
    settings_.setFailureListener(
        [this](const QString &why) { status->setLastEvent(log_.timeStamp() + u' ' + why); });
}

MainWindow::~MainWindow() {
    settings_.setFailureListener(nullptr);
}

void MainWindow::buildPagesAndNavigation() {
    auto *central = new QSplitter(Qt::Vertical, this);
    central->setObjectName(QStringLiteral("CentralSplitter"));
    central->setChildrenCollapsible(false);
    pages = new QTabWidget(central);
    pages->setObjectName(QStringLiteral("PageArea"));
    pages->tabBar()->hide(); // pages are switched by the toolbar and the menu only
    consolePane = new ConsolePane(session, central);
    console = consolePane->console;
    consolePane->splitBelow(pages, central, settings_);
    setCentralWidget(central);
    connect(status->receivingIndicator->stopButton, &QPushButton::clicked, consolePane->breakButton,
            &QPushButton::click);

    PageContext &context = session.context();
    chassisPage = new ChassisPage(pages);
    ontPage = new OntPage(session, pages);
    boardPage = new BoardPage(context, pages);
    queryPage = new QueryPage(context, pages);
    alarmPage = new AlarmPage(context, pages);
    commissioningPage = new CommissioningPage(context, pages);
    settingsPage = new SettingsPage(context, pages);
    opticalPage = new OpticalPage(context, session.ontListGrid, pages);
    const QString chassisCommand = QStringLiteral("display board 0\r\n");
    using S = QStyle;
    const QList<NavigationEntry> table = {
        {u"单板信息", u"机框状态", u"检测OLT下板卡数量和位置", S::SP_ComputerIcon, chassisPage,
         // The toolbar's query ends with a blank line; the menu's does not.
         [this, chassisCommand](bool fromMenu) {
             session.sink().send(fromMenu ? chassisCommand : chassisCommand + QStringLiteral("\r\n"));
         }},
        {u"ONT管理", u"ONT管理", u"ONT发现查询及注册", S::SP_FileDialogDetailedView, ontPage,
         [this](bool fromMenu) {
             if (fromMenu) session.ontListGrid.resetHeader();
         }},
        {u"板卡管理", u"板卡管理", nullptr, S::SP_DriveHDIcon, boardPage, {}},
        {u"查询功能", u"查询功能", u"查询OLT相关信息", S::SP_FileDialogContentsView, queryPage, {}},
        {u"报警状态", u"报警状态", u"OLT系统报警信息", S::SP_MessageBoxWarning, alarmPage, {}},
        {u"标准开局", u"标准开局", u"OLT开局", S::SP_DialogApplyButton, commissioningPage, {}},
        {u"控制面板", u"控制面板", nullptr, S::SP_FileDialogInfoView, nullptr,
         [this](bool) { openControlPanel(); }},
        {u"基本设置", u"基本设置", u"基础功能增删查", S::SP_BrowserReload, settingsPage, {}},
        {u"自动注册", u"自动注册", u"ONT前台自动注册功能", S::SP_MediaPlay, nullptr,
         [this](bool) { ontPage->openAutoRegisterWindow(); }},
        {u"光功率", u"光功率", u"ONT收光功率、门限与历史趋势", S::SP_DriveNetIcon, opticalPage, {}},
    };
    navigation = new NavigationUi(this, pages, table, [this] { requestExit(); });
}

bool MainWindow::start() {
    using namespace settings;
    log_.write(QStringLiteral("   系统初始化成功！"));
    chassisPage->sizeSurface(pages->size());

    if (settings_.read(OltPassword).isEmpty()) {
        op_.notice(QStringLiteral("首次使用请先在程序控制面板窗口设置正确的配置信息\r\n"
                                  "然后点击测试并保存，保存完毕关闭并重新打开本软件！"));
        openControlPanel();
        return false;
    }

    const QString address = settings_.read(OltAddress);
    if (probe(address, oltLink(settings_).port)) {
        session.connectOlt();
    } else {
        op_.notice(QStringLiteral("尝试连接OLT地址：") + address +
                       QStringLiteral(" 失败，请检查后手动重连OLT！"),
                   QStringLiteral("连接失败"));
    }

    const QString label = settings_.read(OltLabel);
    tray->show(label);
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + label);
    status->setOltLabel(label);

    if (settings_.read(AutoRegister) == SwitchOn) {
        loadSwitch(ontPage->autoRegisterBox, true); // the stored state: nothing to ask
        session.setAutoRegisterInterval(minutesToMs(settings_.read(Period)));
    } else {
        session.setAutoRegisterInterval(0);
    }

    startupFields.load(settings_);
    session.ontListGrid.resetHeader();
    session.ontVersionGrid.resetHeader();
    session.ontDiscoveryGrid.resetHeader();
    return true;
}

void MainWindow::showPage(QWidget *page) {
    navigation->showPage(page);
}

void MainWindow::bringToFront() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

bool MainWindow::requestExit() {
    if (exiting_) return true;
    if (!op_.askOkCancel(QStringLiteral("您真的要退出软件吗？"), QStringLiteral("系统提示"),
                         BoxIcon::Question))
        return false;
    exiting_ = true;
    tray->hide();
    log_.write(QStringLiteral("   系统被强制关闭！"));
    emit exitConfirmed();
    // Quitting closes the windows first: this one lets itself be closed now, tray or not.
    QCoreApplication::quit();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (exiting_) {
        event->accept();
        return;
    }
    // With a tray the close box only minimises (the program ends from the tray menu). Without one
    // a hidden window could never be found again: the close box ends the program as "退出" does.
    if (tray->icon) {
        event->ignore();
        showMinimized();
        return;
    }
    if (requestExit())
        event->accept();
    else
        event->ignore();
}

void MainWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    // Without a tray the window stays on the task bar; hidden it would be lost.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && tray->icon)
        QTimer::singleShot(0, this, &QWidget::hide);
}

} // namespace tw
