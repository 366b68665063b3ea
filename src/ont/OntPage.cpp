#include "ont/OntPage.h"

#include "admin/OntFirmwareWidget.h"
#include "common/GridModel.h"
#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "ont/OntMenusUi.h"
#include "ont/OntQueries.h"
#include "provision/AutoRegisterWindow.h"
#include "provision/BatchConfirmWidget.h"
#include "provision/BatchRegistrationWidget.h"
#include "provision/ManualRegistration.h"
#include "provision/OnuRegisterTab.h"
#include "session/OltSession.h"
#include "widgets/GridPanelWidget.h"
#include "widgets/StartupFields.h"
#include "widgets/SwitchBox.h"
#include "widgets/WidgetKit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace tw {

namespace {
// A tab: its fields on top, its grid or pane filling the rest.
QWidget *makeTab(QWidget *parent, QWidget *&fields, QWidget *body) {
    auto *tab = new QWidget(parent);
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    fields = new QWidget(tab);
    layout->addWidget(fields);
    if (body) {
        body->setParent(tab);
        layout->addWidget(body, 1);
    }
    return tab;
}
} // namespace

OntPage::OntPage(OltSession &session, QWidget *parent) : QWidget(parent), session_(session) {
    GridModel &listGrid = session.ontListGrid;
    GridModel &discoveryGrid = session.ontDiscoveryGrid;
    GridModel &versionGrid = session.ontVersionGrid;
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("OntTabs"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs);

    listPanel = makeGridPanel(listGrid, QStringLiteral("OntListGrid"), 4, {2});
    discoveryPanel = makeGridPanel(discoveryGrid, QStringLiteral("OntDiscoveryGrid"), -1, {2});
    versionPanel = makeGridPanel(versionGrid, QStringLiteral("OntVersionGrid"), -1, {});
    ontListGrid = listPanel->view;
    ontDiscoveryGrid = discoveryPanel->view;
    ontVersionGrid = versionPanel->view;
    detailPane = makeTextPane(nullptr, QStringLiteral("OntDetailPane"));
    searchPane = makeTextPane(nullptr, QStringLiteral("OntSearchPane"));
    registrationPane = makeTextPane(nullptr, QStringLiteral("RegistrationPane"));

    QWidget *unused = nullptr;
    listTab = makeTab(tabs, listFields, listPanel);
    detailTab = makeTab(tabs, detailFields, detailPane);
    discoveryTab = makeTab(tabs, discoveryFields, discoveryPanel);
    searchTab = makeTab(tabs, searchFields, searchPane);
    registerTab = makeTab(tabs, registerFields, nullptr);
    onuRegisterTab = makeTab(tabs, unused, nullptr);
    versionTab = makeTab(tabs, versionFields, versionPanel);
    flashTab = makeTab(tabs, flashFields, nullptr);

    tabs->addTab(listTab, QStringLiteral("ONT 列表"));
    tabs->addTab(detailTab, QStringLiteral("ONT 详细"));
    tabs->addTab(discoveryTab, QStringLiteral("ONT 发现"));
    tabs->addTab(searchTab, QStringLiteral("ONT 查询"));
    tabs->addTab(registerTab, QStringLiteral("ONT 注册"));
    tabs->addTab(onuRegisterTab, QStringLiteral("ONU 注册"));
    tabs->addTab(versionTab, QStringLiteral("ONT 版本"));
    tabs->addTab(flashTab, QStringLiteral("ONT 刷机"));
    buildQueryTabs();
    buildRegisterGroups();
    buildProvisioning();
    wireQueries();
    wireMenus();
    wireRegistration();
    wireAutoRegistration();
    registerRouterView();
}

OntPage::~OntPage() = default;

PortFields PortSelector::fields() const {
    return {frame->text(), slot->currentText(), port->currentText()};
}

DetailFields OntPage::detailFieldsNow() const {
    const PortFields p = detail.fields();
    return {p.frame, p.slot, p.port, detailOnt->text(), detailIndex->text()};
}

namespace {

// Labels on the first row, fields under them; returns the grid for the tab's buttons.
QGridLayout *fieldGrid(QWidget *fields, PortSelector &sel) {
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    sel.frame = new QLineEdit(QStringLiteral("0"), fields);
    sel.frame->setMaximumWidth(80);
    sel.slot = numberSelector(fields, 22);
    sel.port = numberSelector(fields, 15);
    grid->addWidget(new QLabel(QStringLiteral("机框："), fields), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("业务板："), fields), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("端口："), fields), 0, 2);
    grid->addWidget(sel.frame, 1, 0);
    grid->addWidget(sel.slot, 1, 1);
    grid->addWidget(sel.port, 1, 2);
    return grid;
}

QPushButton *button(QWidget *parent, QGridLayout *grid, int row, int column, const char16_t *caption) {
    auto *b = new QPushButton(QString::fromUtf16(caption), parent);
    grid->addWidget(b, row, column);
    return b;
}

} // namespace

void OntPage::buildQueryTabs() {
    QGridLayout *g = fieldGrid(listFields, list);
    listPortButton = button(listFields, g, 1, 3, u"端口查询");
    listBoardButton = button(listFields, g, 1, 4, u"板卡查询");
    listFrameButton = button(listFields, g, 1, 5, u"机框查询");
    g->setColumnStretch(6, 1);

    g = fieldGrid(detailFields, detail);
    detailOnt = new QLineEdit(detailFields);
    detailOnt->setMaximumWidth(80);
    detailIndex = new QLineEdit(detailFields);
    detailIndex->setMaximumWidth(80);
    g->addWidget(new QLabel(QStringLiteral("ONT编号："), detailFields), 0, 3);
    g->addWidget(detailOnt, 1, 3);
    detailButton = button(detailFields, g, 1, 4, u"查询详细");
    registrationButton = button(detailFields, g, 1, 5, u"注册查询");
    indexButton = button(detailFields, g, 1, 6, u"查询索引");
    g->addWidget(new QLabel(QStringLiteral("索引："), detailFields), 0, 7);
    g->addWidget(detailIndex, 1, 7);
    flowButton = button(detailFields, g, 1, 8, u"业务流查询");
    detailHelpButton = button(detailFields, g, 1, 9, u"帮助");
    g->setColumnStretch(10, 1);
    setPaneText(detailPane, DetailHelp);

    g = fieldGrid(discoveryFields, discovery);
    discoverButton = button(discoveryFields, g, 1, 3, u"查询");
    portStateButton = button(discoveryFields, g, 1, 4, u"端口状态");
    allStatesButton = button(discoveryFields, g, 1, 5, u"全部状态");
    g->addWidget(new QLabel(QStringLiteral("查看所有ONT设备自动发现："), discoveryFields), 1, 6);
    discoverAllButton = button(discoveryFields, g, 1, 7, u"查询");
    g->setColumnStretch(8, 1);

    auto *s = new QGridLayout(searchFields);
    s->setContentsMargins(0, 0, 0, 0);
    searchType = new QComboBox(searchFields);
    searchType->addItems(searchTypes());
    searchType->setCurrentIndex(-1);
    searchType->setMinimumWidth(180);
    searchParameter = new QLineEdit(searchFields);
    searchParameter->setMinimumWidth(220);
    s->addWidget(new QLabel(QStringLiteral("查询类型："), searchFields), 0, 0);
    s->addWidget(new QLabel(QStringLiteral("参数："), searchFields), 0, 1);
    s->addWidget(searchType, 1, 0);
    s->addWidget(searchParameter, 1, 1);
    searchButton = button(searchFields, s, 1, 2, u"查询");
    searchHelpButton = button(searchFields, s, 1, 3, u"帮助");
    s->setColumnStretch(4, 1);
    setPaneText(searchPane, SearchHelp);

    g = fieldGrid(versionFields, version);
    versionPortButton = button(versionFields, g, 1, 3, u"端口查询");
    versionBoardButton = button(versionFields, g, 1, 4, u"板卡查询");
    versionFrameButton = button(versionFields, g, 1, 5, u"机框查询");
    g->setColumnStretch(6, 1);
}

void OntPage::buildRegisterGroups() {
    auto *column = new QVBoxLayout(registerFields);
    column->setContentsMargins(0, 0, 0, 0);
    auto *top = new QWidget(registerFields);
    QGridLayout *g = fieldGrid(top, registration);
    auto smallEdit = [top](const char16_t *text) {
        auto *e = new QLineEdit(QString::fromUtf16(text), top);
        e->setMaximumWidth(70);
        return e;
    };
    outerVlan = smallEdit(u"");
    serviceVlan = smallEdit(u"");
    lineProfile = smallEdit(u"1");
    serviceProfile = smallEdit(u"1");
    registrationMode = new QComboBox(top);
    registrationMode->addItems({QStringLiteral("SN/MAC"), QStringLiteral("LOID"), QStringLiteral("密码")});
    const std::pair<const char16_t *, QWidget *> rest[] = {{u"外层VLAN：", outerVlan},
                                                           {u"注册方式：", registrationMode},
                                                           {u"业务VLAN：", serviceVlan},
                                                           {u"线路模版：", lineProfile},
                                                           {u"业务模版：", serviceProfile}};
    int col = 3;
    for (const auto &[label, widget] : rest) {
        g->addWidget(new QLabel(QString::fromUtf16(label), top), 0, col);
        g->addWidget(widget, 1, col++);
    }
    g->setColumnStretch(col, 1);
    column->addWidget(top);
    static_cast<QVBoxLayout *>(registerTab->layout())->setStretchFactor(registerFields, 1);
    // Below the top row: the help and reply pane on the left, the registration groups on the right.
    auto *row = new QHBoxLayout;
    column->addLayout(row, 1);
    registrationPane->setParent(registerFields);
    setPaneText(registrationPane, RegistrationHelp);
    row->addWidget(registrationPane, 3);
    auto *groups = new QVBoxLayout;
    row->addLayout(groups, 2);
    // Manual and batch registration overlap in one cell; only one of them shows at a time.
    auto *place = new QWidget(registerFields);
    auto *stack = new QGridLayout(place);
    stack->setContentsMargins(0, 0, 0, 0);
    batchGroup = new QGroupBox(QStringLiteral("批量注册"), place);
    batchGroup->setObjectName(QStringLiteral("BatchRegistrationGroup"));
    manualGroup = new QGroupBox(QStringLiteral("手动注册"), place);
    manualGroup->setObjectName(QStringLiteral("ManualRegistrationGroup"));
    manualGroup->setTitle(QStringLiteral("ONT 手动注册 (需手动指定VLAN及模版参数)"));
    batchGroup->setTitle(QStringLiteral("批量生成参数 (线路业务模版使用默认参数)"));
    auto *manual = new QGridLayout(manualGroup);
    manualSerial = new QLineEdit(manualGroup);
    manualSerial->setMinimumWidth(180);
    manualDescription = new QLineEdit(manualGroup);
    fetchSerialButton = new QPushButton(QStringLiteral("获取序列号"), manualGroup);
    registerButton = new QPushButton(QStringLiteral("注册"), manualGroup);
    manual->addWidget(new QLabel(QStringLiteral("序列号："), manualGroup), 0, 0);
    manual->addWidget(manualSerial, 0, 1);
    manual->addWidget(fetchSerialButton, 0, 2);
    manual->addWidget(new QLabel(QStringLiteral("终端备注："), manualGroup), 1, 0);
    manual->addWidget(manualDescription, 1, 1);
    manual->addWidget(registerButton, 1, 2);
    manual->addWidget(
        new QLabel(QStringLiteral("序列号尽量自动获取\r\n\r\n备注仅支持英文和数字\r\n"), manualGroup), 2, 0,
        1, 3);
    manual->setColumnStretch(1, 1);
    connect(registrationMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        const bool bySerial = index == 0;
        for (QWidget *w : std::initializer_list<QWidget *>{registerButton, fetchSerialButton, manualSerial})
            w->setEnabled(bySerial);
        batchGroup->setVisible(!bySerial);
        manualGroup->setVisible(bySerial);
    });
    new QVBoxLayout(batchGroup);
    stack->addWidget(batchGroup, 0, 0);
    stack->addWidget(manualGroup, 0, 0);
    batchGroup->hide();

    autoGroup =
        new QGroupBox(QStringLiteral("ONT 后台自动注册 (无需指定参数，使用默认参数)"), registerFields);
    autoGroup->setObjectName(QStringLiteral("AutoRegistrationGroup"));
    auto *grid = new QGridLayout(autoGroup);
    autoRegisterBox = new QCheckBox(QStringLiteral("开启自动注册"), autoGroup);
    periodBox = new QLineEdit(QStringLiteral("1"), autoGroup);
    periodBox->setMaximumWidth(60);
    testAutoRegisterButton = new QPushButton(QStringLiteral("测试后台注册"), autoGroup);
    iptvBox = new QCheckBox(QStringLiteral("开启IPTV (组播)"), autoGroup);
    autoMoveBox = new QCheckBox(QStringLiteral("自动移机"), autoGroup);
    grid->addWidget(autoRegisterBox, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("监控周期(分钟)："), autoGroup), 0, 1);
    grid->addWidget(periodBox, 0, 2);
    grid->addWidget(testAutoRegisterButton, 0, 3);
    grid->addWidget(iptvBox, 1, 0);
    grid->addWidget(autoMoveBox, 1, 1);
    grid->setColumnStretch(4, 1);
    groups->addWidget(autoGroup);
    groups->addWidget(place);
    groups->addStretch(1);
}

void OntPage::buildProvisioning() {
    PageContext &context = session_.context();
    batch = new BatchRegistrationWidget(
        context,
        [this] {
            const PortFields top = registration.fields();
            BatchFields f;
            f.frame = top.frame;
            f.slot = top.slot;
            f.port = top.port;
            f.serviceVlan = serviceVlan->text();
            f.mode = registrationMode->currentText();
            return f;
        },
        batchGroup);
    batchGroup->layout()->addWidget(batch);
    connect(batch->helpButton, &QPushButton::clicked, this,
            [this] { setPaneText(registrationPane, RegistrationHelp); });

    onu = new OnuRegisterTab(context, onuRegisterTab);
    static_cast<QVBoxLayout *>(onuRegisterTab->layout())->addWidget(onu, 1);
    onuSerial = onu->serial;

    auto *flash = new QVBoxLayout(flashFields);
    flash->setContentsMargins(0, 0, 0, 0);
    firmware = new OntFirmwareWidget(context, flashFields);
    flash->addWidget(firmware);
    flash->addSpacing(12);
    confirmAll = new BatchConfirmWidget(context, flashFields);
    flash->addWidget(confirmAll);
    static_cast<QVBoxLayout *>(flashTab->layout())->addStretch(1);
}

void OntPage::wireQueries() {
    queries_ = std::make_unique<OntQueries>(session_.sink(), session_.op, session_.settings);
    OntQueries *q = queries_.get();
    GridModel &listGrid = session_.ontListGrid;
    GridModel &versionGrid = session_.ontVersionGrid;
    auto on = [this](QPushButton *b, auto f) { connect(b, &QPushButton::clicked, this, f); };
    on(listPortButton, [this, q, &listGrid] { q->listPort(list.fields(), listGrid); });
    on(listBoardButton, [this, q, &listGrid] { q->listBoard(list.fields(), listGrid); });
    on(listFrameButton, [this, q, &listGrid] { q->listFrame(list.fields(), listGrid); });
    on(detailButton, [this, q] { q->detail(detailFieldsNow()); });
    on(registrationButton, [this, q] { q->registration(detailFieldsNow()); });
    on(indexButton, [this, q] { q->serviceIndex(detailFieldsNow()); });
    on(flowButton, [this, q] { q->serviceFlow(detailFieldsNow()); });
    on(detailHelpButton, [this] { setPaneText(detailPane, DetailHelp); });
    on(discoverButton, [this, q] { q->discoverPort(discovery.fields()); });
    on(portStateButton, [this, q] { q->portState(discovery.fields()); });
    on(allStatesButton, [this, q] { q->allPortStates(discovery.fields()); });
    on(discoverAllButton, [q] { q->discoverAll(); });
    on(searchButton, [this, q] { q->search(searchType->currentIndex(), searchParameter->text()); });
    on(searchHelpButton, [this] { setPaneText(searchPane, SearchHelp); });
    on(versionPortButton, [this, q, &versionGrid] { q->versionPort(version.fields(), versionGrid); });
    on(versionBoardButton, [this, q, &versionGrid] { q->versionBoard(version.fields(), versionGrid); });
    on(versionFrameButton, [this, q, &versionGrid] { q->versionFrame(version.fields(), versionGrid); });
}

void OntPage::wireMenus() {
    ontMenu = new QMenu(QStringLiteral("ONT"), this);
    ontVersionMenu = new QMenu(QStringLiteral("ONT版本"), this);
    ontDiscoveryMenu = new QMenu(QStringLiteral("ONT发现"), this);
    ontActions = buildOntMenu(ontMenu);
    ontVersionActions = buildOntVersionMenu(ontVersionMenu);
    ontDiscoveryActions = buildOntDiscoveryMenu(ontDiscoveryMenu);
    attachGridMenu(ontListGrid, session_.ontListGrid, ontMenu);
    attachGridMenu(ontVersionGrid, session_.ontVersionGrid, ontVersionMenu);
    attachGridMenu(ontDiscoveryGrid, session_.ontDiscoveryGrid, ontDiscoveryMenu);
    const QStringList unknown = wireOntMenus(ontActions, ontListGrid, session_.ontListGrid, ontVersionActions,
                                             ontVersionGrid, session_.ontVersionGrid, session_.context());
    for (const QString &caption : unknown)
        qWarning("ONT menu: no item for the operation \"%s\"", qUtf8Printable(caption));
}

RegisterFields OntPage::registerFieldsNow() const {
    const PortFields top = registration.fields();
    return {top.frame,
            top.slot,
            top.port,
            outerVlan->text(),
            serviceVlan->text(),
            lineProfile->text(),
            serviceProfile->text(),
            manualSerial->text(),
            manualDescription->text()};
}

void OntPage::wireRegistration() {
    auto fromGrid = [this](Management how) {
        const DiscoveredRow row{[this](int column) {
                                    return session_.ontDiscoveryGrid.cell(currentSourceRow(ontDiscoveryGrid),
                                                                          column);
                                },
                                [this](const QString &frame, const QString &slot, const QString &port) {
                                    registration.frame->setText(frame);
                                    registration.slot->setCurrentText(slot);
                                    registration.port->setCurrentText(port);
                                },
                                [this](const QString &port, const QString &key, const QString &status) {
                                    showDiscoveryStatus(session_.ontDiscoveryGrid, port, key, status);
                                    if (!status.isEmpty() && session_.report)
                                        session_.report(key + u' ' + status);
                                }};
        registerDiscovered(session_.context(), how, row);
    };
    for (const auto &[caption, how] : {std::pair{QStringLiteral("ONT注册(OMCI)"), Management::Omci},
                                       std::pair{QStringLiteral("ONU注册(SNMP)"), Management::Snmp}}) {
        QAction *item = ontDiscoveryActions.value(caption);
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [fromGrid, how] { fromGrid(how); });
    }
    connect(fetchSerialButton, &QPushButton::clicked, this, [this] {
        if (const std::optional<QString> date = fetchSerial(session_.context(), registerFieldsNow()))
            manualDescription->setText(*date);
    });
    connect(registerButton, &QPushButton::clicked, this,
            [this] { registerManually(session_.context(), registerFieldsNow()); });

    // A registration reply's flows fall back on this page's fields; the first discovered key
    // fills the two serial boxes.
    session_.addReplyFields = [this] {
        const RegisterFields f = registerFieldsNow();
        return AddReplyFields{
            autoRegisterBox->isChecked(), f.frame, f.slot, f.port, f.outerVlan, f.serviceVlan};
    };
    session_.replies.autoRegisterOn = [this] { return autoRegisterBox->isChecked(); };
    session_.replies.discoveredKey = [this](const QString &key) {
        manualSerial->setText(key);
        onuSerial->setText(key);
    };
}

void OntPage::wireAutoRegistration() {
    SettingsStore &settings = session_.settings;
    Operator &op = session_.op;
    connect(testAutoRegisterButton, &QPushButton::clicked, &session_, &OltSession::autoRegisterTick);
    // The boxes act on their state change, whoever changed it (a click, the space bar, a screen
    // reader's toggle); a refused tick puts the box back.
    onSwitched(autoRegisterBox, this, [this, &settings, &op](bool ticked) {
        if (ticked) {
            if (!acceptField(op, periodBox->text(), QStringLiteral("周期"), FieldKind::Period)) return false;
            if (!op.askYesNo(
                    QStringLiteral("程序将周期性执行ONT注册命令，如需其他操作请务必关闭自动注册！\r\n"
                                   "自动注册功能跟随软件启动运行，是否继续？"),
                    DefaultBoxTitle, BoxIcon::None))
                return false;
            session_.setAutoRegisterInterval(minutesToMs(periodBox->text()));
            settings.writeSwitch(settings::AutoRegister, true);
        } else {
            session_.setAutoRegisterInterval(0);
            settings.writeSwitch(settings::AutoRegister, false);
            op.notice(QStringLiteral("自动注册已关闭，功能跟随运行已关闭！"));
            iptvBox->setChecked(false);
            autoMoveBox->setChecked(false);
        }
        settings.writeSwitch(settings::Iptv, iptvBox->isChecked());
        settings.writeSwitch(settings::AutoMove, autoMoveBox->isChecked());
        return true;
    });
    onSwitched(iptvBox, this, [&settings](bool on) {
        settings.writeSwitch(settings::Iptv, on);
        return true;
    });
    onSwitched(autoMoveBox, this, [&settings](bool on) {
        settings.writeSwitch(settings::AutoMove, on);
        return true;
    });
    // Only the operator's edits count: loading the box at start-up is no change.
    connect(periodBox, &QLineEdit::textEdited, this, [this, &settings](const QString &text) {
        // Half-typed or bad periods are neither stored nor run; ticking the box names the problem.
        if (!fieldProblem(text, QStringLiteral("周期"), FieldKind::Period).isEmpty()) return;
        settings.write(settings::Period, text);
        if (autoRegisterBox->isChecked()) session_.setAutoRegisterInterval(minutesToMs(text));
    });
}

void OntPage::openAutoRegisterWindow() {
    AutoRegisterWindow window(session_.settings.read(settings::Period), this);
    // The window runs the loop for as long as it is open; the box only shows it.
    loadSwitch(autoRegisterBox, true);
    session_.setAutoRegisterInterval(minutesToMs(window.periodBox->text()));
    connect(window.periodBox, &QLineEdit::textChanged, this,
            [this](const QString &text) { session_.setAutoRegisterInterval(minutesToMs(text)); });
    connect(window.testButton, &QPushButton::clicked, &session_, &OltSession::autoRegisterTick);
    emit autoRegisterWindowOpened(&window);
    window.exec();
    loadSwitch(autoRegisterBox, false);
    session_.setAutoRegisterInterval(0);
}

void OntPage::registerRouterView() {
    RouterView &view = session_.view;
    using F = RouterFields;
    view.setField(F::ListFrame, [this] { return list.frame->text(); });
    view.setField(F::ListBoard, [this] { return list.slot->currentText(); });
    view.setField(F::ListPort, [this] { return list.port->currentText(); });
    view.setField(F::DetailFrame, [this] { return detail.frame->text(); });
    view.setField(F::DetailBoard, [this] { return detail.slot->currentText(); });
    view.setField(F::DetailPort, [this] { return detail.port->currentText(); });
    view.setField(F::DetailOnt, [this] { return detailOnt->text(); });
    view.setField(F::VersionFrame, [this] { return version.frame->text(); });
    view.setPane(RouterTargets::OntDetailPane,
                 [this](const QString &text) { setPaneText(detailPane, text); });
    view.setPane(RouterTargets::OntSearchPane,
                 [this](const QString &text) { setPaneText(searchPane, text); });
    view.setPane(RouterTargets::RegistrationPane,
                 [this](const QString &text) { setPaneText(registrationPane, text); });
}

void OntPage::registerStartupFields(StartupFields &fields) {
    using namespace settings;
    for (const PortSelector *sel : {&list, &detail, &discovery, &registration, &version}) {
        fields.add(sel->frame, Frame);
        fields.add(sel->slot, Slot);
        fields.add(sel->port, Port);
    }
    fields.add(periodBox, Period);
    fields.add(outerVlan, ServiceOuterVlan);
    fields.add(serviceVlan, ServiceInnerVlan);
    fields.add(batch->start, FirstOntNumber);
    fields.add(batch->rule, NamingRule);
    fields.add(iptvBox, Iptv);
    fields.add(autoMoveBox, settings::AutoMove);
}

} // namespace tw
