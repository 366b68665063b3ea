#include "app/MainWindow.h"

#include "admin/BoardPage.h"
#include "admin/OntDataExtraction.h"
#include "admin/TftpServerUi.h"
#include "app/AppIconPainter.h"
#include "app/ChassisPage.h"
#include "app/ConsolePane.h"
#include "app/ControlPanelWindow.h"
#include "app/ManualWindow.h"
#include "app/Reachability.h"
#include "common/ActivityLog.h"
#include "common/ManualLocation.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "monitor/AlarmPage.h"
#include "monitor/OpticalPage.h"
#include "monitor/QueryPage.h"
#include "olt/OltLink.h"
#include "olt/TestConnection.h"
#include "ont/OntPage.h"
#include "widgets/OperatorConsole.h"
#include "widgets/ReceivingIndicatorWidget.h"
#include "widgets/WidgetKit.h"
#include "wizards/CommissioningPage.h"
#include "wizards/SettingsPage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

namespace tw {

namespace {

// One entry of the toolbar and of the "程序(&F)" menu: a page it shows (made by `makePage`), or a
// window it opens; `act` is what it does besides showing its page.
struct Navigation {
    const char16_t *caption;
    const char16_t *menuCaption;
    const char16_t *tip; // none: the button shows no tool tip
    QStyle::StandardPixmap icon;
    std::function<QWidget *(QWidget *parent)> makePage;
    std::function<void(bool fromMenu)> act;
};

} // namespace

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
    session.report = [this](const QString &message) { setLastEvent(log_.timeStamp() + u' ' + message); };

    buildStatusBar();
    buildPagesAndNavigation();
    buildToolsAndHelp();
    buildTray();

    ontPage->registerStartupFields(startupFields);
    boardPage->registerStartupFields(startupFields);
    commissioningPage->registerStartupFields(startupFields);
    settingsPage->registerStartupFields(startupFields);

    session.replies.chassis = [this](const QString &reply) { chassisPage->drawFrom(reply); };
    connect(&session, &OltSession::connectionChanged, this, [this](bool up, const QString &where) {
        setConnectionState(up ? QStringLiteral("已连接 ") + where : QStringLiteral("未连接"));
        // After the report, not over it: what a drop cut off is reported just before the drop
        // itself, and the reconnect follows at once.
        const QString event = log_.timeStamp() +
                              (up ? QStringLiteral(" 已连接到 ") : QStringLiteral(" 与OLT的连接已断开 ")) + where;
        eventLabel_->setText(lastReport_.isEmpty() ? event : lastReport_ + QStringLiteral("；") + event);
    });
    // Writes the program makes on its own (counters, switches) have nobody else to tell.
    settings_.setFailureListener([this](const QString &why) { setLastEvent(log_.timeStamp() + u' ' + why); });
}

MainWindow::~MainWindow() {
    settings_.setFailureListener(nullptr);
    if (tray) tray->hide();
}

void MainWindow::setConnectionState(const QString &state) {
    connectionLabel_->setText(state);
}

void MainWindow::setLastEvent(const QString &event) {
    lastReport_ = event;
    eventLabel_->setText(event);
}

void MainWindow::buildStatusBar() {
    connectionLabel_ = new QLabel(QStringLiteral("未连接"), this);
    oltLabel_ = new QLabel(this);
    eventLabel_ = new QLabel(this);
    statusBar()->addWidget(connectionLabel_, 1);
    statusBar()->addWidget(oltLabel_, 1);
    statusBar()->addWidget(eventLabel_, 3);
    receivingIndicator = new ReceivingIndicatorWidget(this);
    statusBar()->addPermanentWidget(receivingIndicator);
    session.view.setReceiving([this](qsizetype lines) { receivingIndicator->showProgress(lines); });
}

void MainWindow::buildPagesAndNavigation() {
    PageContext &context = session.context();
    const QString chassisCommand = QStringLiteral("display board 0\r\n");
    const Navigation table[] = {
        {u"单板信息", u"机框状态", u"检测OLT下板卡数量和位置", QStyle::SP_ComputerIcon,
         [this](QWidget *parent) { return chassisPage = new ChassisPage(parent); },
         // The toolbar's query ends with a blank line; the menu's does not.
         [this, chassisCommand](bool fromMenu) {
             session.sink().send(fromMenu ? chassisCommand : chassisCommand + QStringLiteral("\r\n"));
         }},
        {u"ONT管理", u"ONT管理", u"ONT发现查询及注册", QStyle::SP_FileDialogDetailedView,
         [this](QWidget *parent) { return ontPage = new OntPage(session, parent); },
         [this](bool fromMenu) {
             if (fromMenu) session.ontListGrid.resetHeader();
         }},
        {u"板卡管理",
         u"板卡管理",
         nullptr,
         QStyle::SP_DriveHDIcon,
         [this, &context](QWidget *parent) { return boardPage = new BoardPage(context, parent); },
         {}},
        {u"查询功能",
         u"查询功能",
         u"查询OLT相关信息",
         QStyle::SP_FileDialogContentsView,
         [this, &context](QWidget *parent) { return queryPage = new QueryPage(context, parent); },
         {}},
        {u"报警状态",
         u"报警状态",
         u"OLT系统报警信息",
         QStyle::SP_MessageBoxWarning,
         [this, &context](QWidget *parent) { return alarmPage = new AlarmPage(context, parent); },
         {}},
        {u"标准开局",
         u"标准开局",
         u"OLT开局",
         QStyle::SP_DialogApplyButton,
         [this, &context](QWidget *parent) {
             return commissioningPage = new CommissioningPage(context, parent);
         },
         {}},
        {u"控制面板",
         u"控制面板",
         nullptr,
         QStyle::SP_FileDialogInfoView,
         {},
         [this](bool) { openControlPanel(); }},
        {u"基本设置",
         u"基本设置",
         u"基础功能增删查",
         QStyle::SP_BrowserReload,
         [this, &context](QWidget *parent) { return settingsPage = new SettingsPage(context, parent); },
         {}},
        {u"自动注册",
         u"自动注册",
         u"ONT前台自动注册功能",
         QStyle::SP_MediaPlay,
         {},
         [this](bool) { ontPage->openAutoRegisterWindow(); }},
        {u"光功率", u"光功率", u"ONT收光功率、门限与历史趋势", QStyle::SP_DriveNetIcon,
         [this, &context](QWidget *parent) {
             return opticalPage = new OpticalPage(context, session.ontListGrid, parent);
         },
         {}},
    };

    auto *central = new QSplitter(Qt::Vertical, this);
    central->setObjectName(QStringLiteral("CentralSplitter"));
    central->setChildrenCollapsible(false);
    pages = new QTabWidget(central);
    pages->setObjectName(QStringLiteral("PageArea"));
    pages->tabBar()->hide(); // pages are switched by the toolbar and the menu only
    consolePane = new ConsolePane(session, central);
    console = consolePane->console;
    central->addWidget(pages);
    central->addWidget(consolePane);
    central->setStretchFactor(0, 3);
    central->setStretchFactor(1, 2);
    setCentralWidget(central);
    // The operator's own division of the window comes back at the next start.
    const QStringList sizes = settings_.read(settings::SplitterSizes).split(u',');
    if (sizes.size() == 2 && sizes[0].toInt() > 0 && sizes[1].toInt() > 0)
        central->setSizes({sizes[0].toInt(), sizes[1].toInt()});
    connect(central, &QSplitter::splitterMoved, this, [this, central] {
        const QList<int> now = central->sizes();
        settings_.write(settings::SplitterSizes,
                        QString::number(now.value(0)) + u',' + QString::number(now.value(1)));
    });
    connect(receivingIndicator->stopButton, &QPushButton::clicked, consolePane->breakButton,
            &QPushButton::click);

    auto *toolbar = addToolBar(QStringLiteral("工具栏"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(28, 28));
    programMenu = menuBar()->addMenu(QStringLiteral("程序(&F)"));
    for (const Navigation &entry : table) {
        QWidget *page = entry.makePage ? entry.makePage(pages) : nullptr;
        if (page) pages->addTab(page, QString::fromUtf16(entry.caption));
        const auto effect = [this, page, act = entry.act](bool fromMenu) {
            if (page) showPage(page);
            if (act) act(fromMenu);
        };
        QAction *tool =
            toolbar->addAction(style()->standardIcon(entry.icon), QString::fromUtf16(entry.caption));
        if (entry.tip)
            tool->setToolTip(QString::fromUtf16(entry.tip));
        else
            suppressToolTip(toolbar->widgetForAction(tool));
        connect(tool, &QAction::triggered, this, [effect] { effect(false); });
        // The buttons of pages stay pressed while their page shows; those that open a window do not.
        if (page) {
            tool->setCheckable(true);
            pageButtons_.append({page, tool});
        }
        if (!programMenu->isEmpty()) programMenu->addSeparator();
        connect(programMenu->addAction(QString::fromUtf16(entry.menuCaption)), &QAction::triggered, this,
                [effect] { effect(true); });
    }
    programMenu->addSeparator();
    connect(programMenu->addAction(QStringLiteral("退出")), &QAction::triggered, this,
            &MainWindow::requestExit);
    showPage(pages->currentWidget());
}

void MainWindow::buildToolsAndHelp() {
    toolsMenu = menuBar()->addMenu(QStringLiteral("工具(&T)"));
    connect(toolsMenu->addAction(QStringLiteral("记事本")), &QAction::triggered, this, [this] {
        launchTool({QStringLiteral("notepad.exe"), QStringLiteral("gnome-text-editor"),
                    QStringLiteral("gedit"), QStringLiteral("kwrite"), QStringLiteral("kate"),
                    QStringLiteral("mousepad"), QStringLiteral("xed"), QStringLiteral("pluma"),
                    QStringLiteral("featherpad"), QStringLiteral("leafpad")},
                   QStringLiteral("记事本"));
    });
    toolsMenu->addSeparator();
    connect(toolsMenu->addAction(QStringLiteral("计算器")), &QAction::triggered, this, [this] {
        launchTool({QStringLiteral("calc.exe"), QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                    QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                    QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")},
                   QStringLiteral("计算器"));
    });
    toolsMenu->addSeparator();
    tftp = new TftpServerUi(toolsMenu, statusBar(), runDirectoryOf(session.context()), op_, this);
    tftp->report = [this](const QString &line) { setLastEvent(log_.timeStamp() + u' ' + line); };

    helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    connect(helpMenu->addAction(QStringLiteral("使用说明")), &QAction::triggered, this, [this] {
        // Inside the program: no desktop launcher is needed, installed or from a build tree.
        auto *manual = new ManualWindow(manualPath(QCoreApplication::applicationDirPath()), this);
        manual->setAttribute(Qt::WA_DeleteOnClose);
        manual->show();
    });
    connect(helpMenu->addAction(QStringLiteral("OLT命令参考")), &QAction::triggered, this, [this] {
        // The OLT itself is the reference: "?" lists what may follow the typed command.
        op_.notice(QStringLiteral("在命令输入框中输入命令的开头，然后点击“帮助”，OLT会列出可用的后续参数。"));
    });
    helpMenu->addSeparator();
    connect(helpMenu->addAction(QStringLiteral("关于 Tarnwick")), &QAction::triggered, this,
            &MainWindow::showAbout);
}

void MainWindow::showAbout() {
    QMessageBox::about(
        this, QStringLiteral("关于 Tarnwick"),
        QStringLiteral("<h3>%1</h3><p>GPON/EPON OLT 管理控制台</p>"
                       "<p>通过 Telnet 命令行管理 OLT：ONT 查询、发现与注册、业务流、单板与系统管理。</p>"
                       "<p>运行目录：%2</p>")
            .arg(ProductTitle.toHtmlEscaped(),
                 QFileInfo(settings_.filePath()).absolutePath().toHtmlEscaped()));
}

void MainWindow::launchTool(const QStringList &candidates, const QString &what) {
    for (const QString &program : candidates) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    op_.notice(QStringLiteral("未找到") + what + QStringLiteral("程序。"));
}

void MainWindow::buildTray() {
    trayMenu = new QMenu(QStringLiteral("托盘"), this);
    connect(trayMenu->addAction(QStringLiteral("显示")), &QAction::triggered, this,
            &MainWindow::bringToFront);
    trayMenu->addSeparator();
    connect(trayMenu->addAction(QStringLiteral("隐藏")), &QAction::triggered, this, &QWidget::showMinimized);
    trayMenu->addSeparator();
    connect(trayMenu->addAction(QStringLiteral("退出")), &QAction::triggered, this, &MainWindow::requestExit);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray = new QSystemTrayIcon(windowIcon(), this);
    tray->setContextMenu(trayMenu);
    connect(tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) bringToFront();
    });
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
    if (tray) {
        tray->setToolTip(QStringLiteral("标识：") + label);
        tray->show();
    }
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + label);
    oltLabel_->setText(QStringLiteral("标识：") + label);

    if (settings_.read(AutoRegister) == SwitchOn) {
        ontPage->autoRegisterBox->setChecked(true);
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
    pages->setCurrentWidget(page);
    for (const auto &[p, button] : std::as_const(pageButtons_))
        button->setChecked(p == page);
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
    if (tray) tray->hide();
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
    if (tray) {
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
    if (event->type() == QEvent::WindowStateChange && isMinimized() && tray)
        QTimer::singleShot(0, this, &QWidget::hide);
}

} // namespace tw
