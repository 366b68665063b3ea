#include "app/MainWindow.h"

#include "app/ManualWindow.h"
#include "common/ManualLocation.h"

#include "admin/BoardPage.h"
#include "admin/OntDataExtraction.h"
#include "admin/SystemOperations.h"
#include "admin/TftpServerUi.h"
#include "app/ChassisPage.h"
#include "app/CommandLineWindow.h"
#include "app/ControlPanelWindow.h"
#include "app/OperatorConsoleWidget.h"
#include "app/Reachability.h"
#include "app/ReceivingIndicatorWidget.h"
#include "app/WidgetKitUi.h"
#include "common/ActivityLog.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "monitor/AlarmPage.h"
#include "monitor/QueryPage.h"
#include "olt/OltDisconnect.h"
#include "olt/TestConnection.h"
#include "ont/GridPanelWidget.h"
#include "ont/OntMenusUi.h"
#include "ont/OntPage.h"
#include "ont/OntQueries.h"
#include "provision/AutoRegisterWindow.h"
#include "provision/BatchRegistrationWidget.h"
#include "provision/ManualRegistration.h"
#include "response/AddReply.h"
#include "response/AutoRegistrar.h"
#include "wizards/CommissioningPage.h"
#include "wizards/SettingsPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace tw {

namespace {

QIcon appIcon() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1F, 0x6F, 0xB2));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(4, 4, 56, 56, 12, 12);
    p.setBrush(QColor(0xF5, 0xB8, 0x2E));
    p.drawEllipse(QPointF(32, 32), 9, 9);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(14, 18 + i * 14), QPointF(23, 32));
    p.drawLine(QPointF(41, 32), QPointF(52, 32));
    return QIcon(pm);
}

struct Navigation {
    const char16_t *caption;
    const char16_t *tip;
    QStyle::StandardPixmap icon;
};

const QString ChassisCommandToolbar = QStringLiteral("display board 0\r\n\r\n");
const QString ChassisCommandMenu = QStringLiteral("display board 0\r\n");

} // namespace

MainWindow::MainWindow(SettingsStore &settings, ActivityLog &log, Operator &op, QWidget *parent)
    : QMainWindow(parent), connection(settings, op), settings_(settings), log_(log), op_(op) {
    sink_.target = &connection;
    setWindowTitle(ProductTitle);
    setWindowIcon(appIcon());
    resize(1038, 708);

    probe = [](const QString &host, int port) { return probeReachable(host, port, 1000); };
    connectOlt = [this] { connection.connectToOlt(); };
    openControlPanel = [this] {
        ControlPanelWindow panel(settings_, op_, this);
        TestConnection test(op_);
        connect(&panel, &ControlPanelWindow::testConnectionRequested, &test, &TestConnection::start);
        panel.exec();
    };

    pageContext_.reset(new PageContext{op_, sink_, log_, settings_, shared, [this] { console->clear(); },
                                       [this](const QString &message) { report(message); }});
    registrar_ = std::make_unique<AutoRegistrar>(sink_, settings_, log_);
    registrar_->report = [this](const QString &message) { report(message); };
    buildCentral();
    buildMenusAndToolbar();
    showPage(pages->currentIndex());
    buildTray();
    wireOntPage();
    wireConnection();
    wireAutoRegistration();
    wireManualRegistration();
    registerStartupFields();
    // Writes the program makes on its own (counters, switches) have nobody else to tell.
    settings_.setFailureListener([this](const QString &why) { setLastEvent(log_.timeStamp() + u' ' + why); });
    autoRegisterTimer.setObjectName(QStringLiteral("AutoRegisterTimer"));
    connect(&autoRegisterTimer, &QTimer::timeout, this, &MainWindow::autoRegisterTick);
}

MainWindow::~MainWindow() {
    settings_.setFailureListener(nullptr);
    if (tray) tray->hide();
}

void MainWindow::setSink(CommandSink *sink) {
    sink_.target = sink ? sink : &connection;
}

void MainWindow::setConnectionState(const QString &state) {
    connectionLabel_->setText(state);
}

void MainWindow::setLastEvent(const QString &event) {
    eventLabel_->setText(event);
}

void MainWindow::buildCentral() {
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 2, 4, 2);

    pages = new QTabWidget(central);
    pages->setObjectName(QStringLiteral("PageArea"));
    chassisPage = new ChassisPage(pages);
    ontPage = new OntPage(ontListGrid, ontDiscoveryGrid, ontVersionGrid, pages);
    boardPage = new BoardPage(*pageContext_, pages);
    queryPage = new QueryPage(*pageContext_, pages);
    alarmPage = new AlarmPage(*pageContext_, pages);
    commissioningPage = new CommissioningPage(*pageContext_, pages);
    settingsPage = new SettingsPage(*pageContext_, pages);
    const QList<QWidget *> all = {chassisPage, ontPage,           boardPage,   queryPage,
                                  alarmPage,   commissioningPage, settingsPage};
    for (int i = 0; i < all.size(); ++i)
        pages->addTab(all[i], QString::number(i + 1));
    // Pages are switched by the toolbar and the menu only.
    pages->tabBar()->hide();
    layout->addWidget(pages, 3);

    auto *group = new QGroupBox(QStringLiteral("命令行"), central);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(2, 2, 2, 2);
    console = new OperatorConsole(group);
    groupLayout->addWidget(console);
    layout->addWidget(group, 2);

    auto *row = new QHBoxLayout;
    auto button = [&](const char16_t *caption) {
        auto *b = new QPushButton(QString::fromUtf16(caption), central);
        row->addWidget(b);
        return b;
    };
    writeButton = button(u"写入OLT(&S)");
    detachButton = button(u"独立显示(&P)");
    clearButton = button(u"清屏(&C)");
    disconnectButton = button(u"断开OLT(&D)");
    reconnectButton = button(u"重连OLT(&R)");
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("执行自定义命令："), central));
    helpButton = button(u"帮助");
    breakButton = button(u"中断命令(&Q)");
    executeButton = button(u"回车执行(&E)");
    layout->addLayout(row);
    setCentralWidget(central);

    connect(clearButton, &QPushButton::clicked, console, &OperatorConsole::clear);
    connect(writeButton, &QPushButton::clicked, this,
            [this] { runSystemAction(*pageContext_, SystemAction::Save); });
    connect(detachButton, &QPushButton::clicked, this, [this] {
        auto *w = new CommandLineWindow([this] { return console->text(); }, this);
        w->show();
    });
    connect(reconnectButton, &QPushButton::clicked, this, [this] { connectOlt(); });
    connect(executeButton, &QPushButton::clicked, this, &MainWindow::sendEntry);
    connect(breakButton, &QPushButton::clicked, this, [this] { sink_.breakOutput(); });
    // The entry keeps its text: the OLT shows it again after the list, and the operator goes on.
    connect(helpButton, &QPushButton::clicked, this, [this] {
        const QString partial = withCrLf(console->entry->toPlainText());
        sink_.target->send(sink_.held.help(partial));
    });
    connect(ontPage->testAutoRegisterButton, &QPushButton::clicked, this, &MainWindow::autoRegisterTick);

    connectionLabel_ = new QLabel(QStringLiteral("未连接"), this);
    oltLabel_ = new QLabel(this);
    eventLabel_ = new QLabel(this);
    statusBar()->addWidget(connectionLabel_, 1);
    statusBar()->addWidget(oltLabel_, 1);
    statusBar()->addWidget(eventLabel_, 3);
    receivingIndicator = new ReceivingIndicatorWidget(this);
    statusBar()->addPermanentWidget(receivingIndicator);
    connect(receivingIndicator->stopButton, &QPushButton::clicked, breakButton, &QPushButton::click);
}

void MainWindow::sendEntry() {
    // The box gives its line breaks as LF; the CLI (and the log file) takes CR LF.
    const QString text = withCrLf(console->entry->toPlainText());
    // What the operator types runs as typed, in whatever mode it leaves the CLI.
    sink_.run(text + QStringLiteral("\r\n"), {}, RunOptions{false, false});
    console->entry->clear();
    console->entry->moveCursor(QTextCursor::End);
    log_.write(QStringLiteral("   执行一次自定义命令！ ") + text);
}

void MainWindow::buildMenusAndToolbar() {
    const Navigation nav[] = {
        {u"单板信息", u"检测OLT下板卡数量和位置", QStyle::SP_ComputerIcon},
        {u"ONT管理", u"ONT发现查询及注册", QStyle::SP_FileDialogDetailedView},
        {u"板卡管理", nullptr, QStyle::SP_DriveHDIcon},
        {u"查询功能", u"查询OLT相关信息", QStyle::SP_FileDialogContentsView},
        {u"报警状态", u"OLT系统报警信息", QStyle::SP_MessageBoxWarning},
        {u"标准开局", u"OLT开局", QStyle::SP_DialogApplyButton},
        {u"控制面板", nullptr, QStyle::SP_FileDialogInfoView},
        {u"基本设置", u"基础功能增删查", QStyle::SP_BrowserReload},
        {u"自动注册", u"ONT前台自动注册功能", QStyle::SP_MediaPlay},
    };
    const char16_t *menuCaptions[] = {u"机框状态", u"ONT管理",  u"板卡管理", u"查询功能", u"报警状态",
                                      u"标准开局", u"控制面板", u"基本设置", u"自动注册"};
    // What each entry does; the toolbar and the menu differ only for the first two.
    auto effect = [this](int i, bool fromMenu) {
        switch (i) {
        case 0:
            showPage(0);
            sink_.send(fromMenu ? ChassisCommandMenu : ChassisCommandToolbar);
            break;
        case 1:
            showPage(1);
            if (fromMenu) ontListGrid.resetHeader();
            break;
        case 2:
            showPage(2);
            break;
        case 3:
            showPage(3);
            break;
        case 4:
            showPage(4);
            break;
        case 5:
            showPage(5);
            break;
        case 6:
            openControlPanel();
            break;
        case 7:
            showPage(6);
            break;
        case 8:
            openAutoRegisterWindow();
            break;
        }
    };

    auto *toolbar = addToolBar(QStringLiteral("工具栏"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(28, 28));
    programMenu = menuBar()->addMenu(QStringLiteral("程序(&F)"));
    for (int i = 0; i < 9; ++i) {
        QAction *tool =
            toolbar->addAction(style()->standardIcon(nav[i].icon), QString::fromUtf16(nav[i].caption));
        if (nav[i].tip)
            tool->setToolTip(QString::fromUtf16(nav[i].tip));
        else
            suppressToolTip(toolbar->widgetForAction(tool));
        connect(tool, &QAction::triggered, this, [effect, i] { effect(i, false); });
        // The buttons of pages stay pressed while their page shows; the two that open a window do not.
        if (const int page = i < 6 ? i : i == 7 ? 6 : -1; page >= 0) {
            tool->setCheckable(true);
            pageButtons_[page] = tool;
        }
        if (i > 0) programMenu->addSeparator();
        QAction *item = programMenu->addAction(QString::fromUtf16(menuCaptions[i]));
        connect(item, &QAction::triggered, this, [effect, i] { effect(i, true); });
    }

    programMenu->addSeparator();
    connect(programMenu->addAction(QStringLiteral("退出")), &QAction::triggered, this,
            &MainWindow::requestExit);

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
    tftp = new TftpServerUi(toolsMenu, statusBar(), runDirectoryOf(*pageContext_), op_, this);
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

    // Pop-up menus: never in the menu bar.
    trayMenu = new QMenu(QStringLiteral("托盘"), this);
    ontMenu = new QMenu(QStringLiteral("ONT"), this);
    ontVersionMenu = new QMenu(QStringLiteral("ONT版本"), this);
    ontDiscoveryMenu = new QMenu(QStringLiteral("ONT发现"), this);
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
    QAction *show = trayMenu->addAction(QStringLiteral("显示"));
    trayMenu->addSeparator();
    QAction *hide = trayMenu->addAction(QStringLiteral("隐藏"));
    trayMenu->addSeparator();
    QAction *quit = trayMenu->addAction(QStringLiteral("退出"));
    connect(show, &QAction::triggered, this, &MainWindow::bringToFront);
    connect(hide, &QAction::triggered, this, &QWidget::showMinimized);
    connect(quit, &QAction::triggered, this, &MainWindow::requestExit);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray = new QSystemTrayIcon(windowIcon(), this);
    tray->setContextMenu(trayMenu);
    connect(tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) bringToFront();
    });
}

void MainWindow::wireOntPage() {
    queries = std::make_unique<OntQueries>(sink_, op_, settings_);
    OntPage *p = ontPage;
    OntQueries *q = queries.get();
    auto on = [this](QPushButton *b, auto f) { connect(b, &QPushButton::clicked, this, f); };
    on(p->listPortButton, [=, this] { q->listPort(p->list.fields(), ontListGrid); });
    on(p->listBoardButton, [=, this] { q->listBoard(p->list.fields(), ontListGrid); });
    on(p->listFrameButton, [=, this] { q->listFrame(p->list.fields(), ontListGrid); });
    on(p->detailButton, [=] { q->detail(p->detailFieldsNow()); });
    on(p->registrationButton, [=] { q->registration(p->detailFieldsNow()); });
    on(p->indexButton, [=] { q->serviceIndex(p->detailFieldsNow()); });
    on(p->flowButton, [=] { q->serviceFlow(p->detailFieldsNow()); });
    on(p->detailHelpButton, [=] { setPaneText(p->detailPane, DetailHelp); });
    on(p->discoverButton, [=] { q->discoverPort(p->discovery.fields()); });
    on(p->portStateButton, [=] { q->portState(p->discovery.fields()); });
    on(p->allStatesButton, [=] { q->allPortStates(p->discovery.fields()); });
    on(p->discoverAllButton, [=] { q->discoverAll(); });
    on(p->searchButton, [=] { q->search(p->searchType->currentIndex(), p->searchParameter->text()); });
    on(p->searchHelpButton, [=] { setPaneText(p->searchPane, SearchHelp); });
    on(p->versionPortButton, [=, this] { q->versionPort(p->version.fields(), ontVersionGrid); });
    on(p->versionBoardButton, [=, this] { q->versionBoard(p->version.fields(), ontVersionGrid); });
    on(p->versionFrameButton, [=, this] { q->versionFrame(p->version.fields(), ontVersionGrid); });

    ontActions = buildOntMenu(ontMenu);
    ontVersionActions = buildOntVersionMenu(ontVersionMenu);
    ontDiscoveryActions = buildOntDiscoveryMenu(ontDiscoveryMenu);
    attachGridMenu(p->ontListGrid, ontListGrid, ontMenu);
    attachGridMenu(p->ontVersionGrid, ontVersionGrid, ontVersionMenu);
    attachGridMenu(p->ontDiscoveryGrid, ontDiscoveryGrid, ontDiscoveryMenu);
    wireOntMenus(ontActions, p->ontListGrid, ontListGrid, ontVersionActions, p->ontVersionGrid,
                 ontVersionGrid, *pageContext_);
}

void MainWindow::wireConnection() {
    router_ = std::make_unique<ResponseRouter>(bridge_, bridge_, replies, shared, settings_);
    connect(&connection, &OltConnection::chunkReceived, this,
            [this](const QByteArray &chunk) { router_->route(chunk); });
    connect(&connection, &OltConnection::outputBroken, this, [this] { router_->outputBroken(); });
    connect(&connection, &OltConnection::connectedChanged, this, [this](bool up) {
        if (up) {
            router_->newSession();
            sink_.held.clear();
        }
        if (!up) receivingIndicator->showProgress(-1); // what was arriving will not complete
        const QString where =
            settings_.read(settings::OltAddress) + QLatin1Char(':') + settings_.read(settings::OltPort);
        setConnectionState(up ? QStringLiteral("已连接 ") + where : QStringLiteral("未连接"));
        setLastEvent(log_.timeStamp() +
                     (up ? QStringLiteral(" 已连接到 ") : QStringLiteral(" 与OLT的连接已断开 ")) + where);
    });
    connect(&connection, &OltConnection::configurationRestored, this,
            [this](const QString &note) { console->append(note); });
    connect(&connection, &OltConnection::loginAnswered, this, [this] {
        if (!tickResend_.isEmpty()) sink_.send(std::exchange(tickResend_, QString()));
        // What a dropped connection cut off is finished now that the CLI is back.
        registrar_->resume();
    });
    connect(disconnectButton, &QPushButton::clicked, this,
            [this] { disconnectOlt(settings_, sink_, op_, log_); });
    replies.chassis = [this](const QString &reply) { chassisPage->drawFrom(reply); };
    replies.report = [this](const QString &message) { setLastEvent(log_.timeStamp() + u' ' + message); };
    replies.discoveredKey = [this](const QString &key) {
        ontPage->manualSerial->setText(key);
        ontPage->onuSerial->setText(key);
    };
    replies.autoRegisterOn = [this] { return ontPage->autoRegisterBox->isChecked(); };
    replies.autoRegister = [this](const QString &text) { registrar_->discovered(text); };
    replies.onAddReply = [this](const QString &text) {
        const RegisterFields f = registerFields();
        AddReplyFields fields{
            ontPage->autoRegisterBox->isChecked(), f.frame, f.slot, f.port, f.outerVlan, f.serviceVlan};
        fields.gpon = shared.ponKindFlag == 1;
        handleAddReply(text, settings_, sink_, log_, fields,
                       [this](const QString &key) { return registrar_->owns(key); });
    };
}

void MainWindow::wireAutoRegistration() {
    OntPage *p = ontPage;
    connect(p->autoRegisterBox, &QCheckBox::clicked, this, [this, p](bool ticked) {
        if (ticked) {
            if (op_.askYesNo(
                    QStringLiteral("程序将周期性执行ONT注册命令，如需其他操作请务必关闭自动注册！\r\n"
                                   "自动注册功能跟随软件启动运行，是否继续？"),
                    DefaultBoxTitle, BoxIcon::None)) {
                setAutoRegisterInterval(minutesToMs(p->periodBox->text()));
                settings_.writeSwitch(settings::AutoRegister, true);
            } else {
                p->autoRegisterBox->setChecked(false);
            }
        } else {
            setAutoRegisterInterval(0);
            settings_.writeSwitch(settings::AutoRegister, false);
            op_.notice(QStringLiteral("自动注册已关闭，功能跟随运行已关闭！"));
            p->iptvBox->setChecked(false);
            p->autoMoveBox->setChecked(false);
        }
        settings_.writeSwitch(settings::Iptv, p->iptvBox->isChecked());
        settings_.writeSwitch(settings::AutoMove, p->autoMoveBox->isChecked());
    });
    connect(p->iptvBox, &QCheckBox::clicked, this,
            [this](bool on) { settings_.writeSwitch(settings::Iptv, on); });
    connect(p->autoMoveBox, &QCheckBox::clicked, this,
            [this](bool on) { settings_.writeSwitch(settings::AutoMove, on); });
    // Only the operator's edits count: loading the box at start-up is no change.
    connect(p->periodBox, &QLineEdit::textEdited, this, [this, p](const QString &text) {
        settings_.write(settings::Period, text);
        if (p->autoRegisterBox->isChecked()) setAutoRegisterInterval(minutesToMs(text));
    });
}

RegisterFields MainWindow::registerFields() const {
    const OntPage *p = ontPage;
    const PortFields top = p->registration.fields();
    return {top.frame,
            top.slot,
            top.port,
            p->outerVlan->text(),
            p->serviceVlan->text(),
            p->lineProfile->text(),
            p->serviceProfile->text(),
            p->manualSerial->text(),
            p->manualDescription->text()};
}

void MainWindow::wireManualRegistration() {
    auto context = [this] { return *pageContext_; };
    auto fromGrid = [this, context](Management how) {
        const DiscoveredRow row{[this](int column) {
                                    return ontDiscoveryGrid.cell(currentSourceRow(ontPage->ontDiscoveryGrid),
                                                                 column);
                                },
                                [this](const QString &frame, const QString &slot, const QString &port) {
                                    ontPage->registration.frame->setText(frame);
                                    ontPage->registration.slot->setCurrentText(slot);
                                    ontPage->registration.port->setCurrentText(port);
                                },
                                [this](const QString &port, const QString &key, const QString &status) {
                                    showDiscoveryStatus(ontDiscoveryGrid, port, key, status);
                                    if (!status.isEmpty()) report(key + u' ' + status);
                                }};
        RegistrationContext ctx = context();
        registerDiscovered(ctx, how, row);
    };
    for (const auto &[caption, how] : {std::pair{QStringLiteral("ONT注册(OMCI)"), Management::Omci},
                                       std::pair{QStringLiteral("ONU注册(SNMP)"), Management::Snmp}}) {
        QAction *item = ontDiscoveryActions.value(caption);
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [fromGrid, how] { fromGrid(how); });
    }
    connect(ontPage->fetchSerialButton, &QPushButton::clicked, this, [this, context] {
        RegistrationContext ctx = context();
        if (const std::optional<QString> date = fetchSerial(ctx, registerFields()))
            ontPage->manualDescription->setText(*date);
    });
    connect(ontPage->registerButton, &QPushButton::clicked, this, [this, context] {
        RegistrationContext ctx = context();
        registerManually(ctx, registerFields());
    });
    ontPage->buildProvisioning(*pageContext_);
}

void MainWindow::openAutoRegisterWindow() {
    AutoRegisterWindow window(settings_.read(settings::Period), this);
    ontPage->autoRegisterBox->setChecked(true);
    setAutoRegisterInterval(minutesToMs(window.periodBox->text()));
    connect(window.periodBox, &QLineEdit::textChanged, this,
            [this](const QString &text) { setAutoRegisterInterval(minutesToMs(text)); });
    connect(window.testButton, &QPushButton::clicked, this, &MainWindow::autoRegisterTick);
    emit autoRegisterWindowOpened(&window);
    window.exec();
    ontPage->autoRegisterBox->setChecked(false);
    setAutoRegisterInterval(0);
}

void MainWindow::registerStartupFields() {
    using namespace settings;
    for (const PortSelector *sel :
         {&ontPage->list, &ontPage->detail, &ontPage->discovery, &ontPage->registration, &ontPage->version}) {
        startupFields.add(sel->frame, Frame);
        startupFields.add(sel->slot, Slot);
        startupFields.add(sel->port, Port);
    }
    for (QLineEdit *box : boardPage->boardBoxes)
        startupFields.add(box, ServiceBoard);
    startupFields.add(ontPage->periodBox, Period);
    startupFields.add(ontPage->outerVlan, ServiceOuterVlan);
    startupFields.add(commissioningPage->serviceOuterVlan, ServiceOuterVlan);
    startupFields.add(ontPage->serviceVlan, ServiceInnerVlan);
    startupFields.add(commissioningPage->serviceInnerVlan, ServiceInnerVlan);
    startupFields.add(ontPage->batch->start, FirstOntNumber);
    startupFields.add(ontPage->batch->rule, NamingRule);
    settingsPage->registerNetworkFields(startupFields);
    startupFields.add(commissioningPage->iptvOuterVlan, IptvOuterVlan);
    startupFields.add(commissioningPage->iptvInnerVlan, IptvInnerVlan);
    startupFields.add(commissioningPage->multicastVlan, MulticastVlan);
    settingsPage->registerSwitchFields(startupFields);
    startupFields.add(ontPage->iptvBox, Iptv);
    startupFields.add(ontPage->autoMoveBox, settings::AutoMove);
}

void MainWindow::writeGridHeaders() {
    ontListGrid.resetHeader();
    ontVersionGrid.resetHeader();
    ontDiscoveryGrid.resetHeader();
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
    if (probe(address, leadingInt(settings_.read(OltPort)))) {
        connectOlt();
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
        setAutoRegisterInterval(minutesToMs(settings_.read(Period)));
    } else {
        setAutoRegisterInterval(0);
    }

    startupFields.load(settings_);
    writeGridHeaders();
    return true;
}

void MainWindow::setAutoRegisterInterval(int ms) {
    // Interval 0 means stopped: a running zero-interval timer would fire without pause.
    if (ms > 0) {
        autoRegisterTimer.start(ms);
    } else {
        autoRegisterTimer.stop();
        autoRegisterTimer.setInterval(0);
    }
}

void MainWindow::autoRegisterTick() {
    const QString text = QStringLiteral("display ont autofind all\r\n");
    if (sink_.send(text)) return;
    // One connect and one resend; a resend still waiting from an earlier tick is the same query.
    tickResend_ = text;
    connectOlt();
}

void MainWindow::report(const QString &message) {
    // The status bar only: the OLT's own words are in the console already.
    setLastEvent(log_.timeStamp() + u' ' + message);
}

void MainWindow::showPage(int index) {
    pages->setCurrentIndex(index);
    for (int p = 0; p < int(std::size(pageButtons_)); ++p)
        if (pageButtons_[p]) pageButtons_[p]->setChecked(p == index);
}

void MainWindow::bringToFront() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

bool MainWindow::requestExit() {
    if (!op_.askOkCancel(QStringLiteral("您真的要退出软件吗？"), QStringLiteral("系统提示"),
                         BoxIcon::Question))
        return false;
    if (tray) tray->hide();
    log_.write(QStringLiteral("   系统被强制关闭！"));
    emit exitConfirmed();
    QCoreApplication::quit();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event) {
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
