#include "ont/OntPage.h"

#include "common/GridModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tw {

void applyGridHeader(QTableView *view, const GridModel &model) {
    for (int c = 0; c < model.columns().size(); ++c)
        view->setColumnWidth(c, model.columns()[c].width);
}

QTableView *makeGridView(GridModel &model, QWidget *parent) {
    auto *view = new QTableView(parent);
    view->setModel(&model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setHighlightSections(false);
    applyGridHeader(view, model);
    QObject::connect(&model, &GridModel::headerReset, view, [view, &model] { applyGridHeader(view, model); });
    return view;
}

QPlainTextEdit *makeTextPane(QWidget *parent, const QString &objectName) {
    auto *pane = new QPlainTextEdit(parent);
    pane->setObjectName(objectName);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    pane->setFont(mono);
    return pane;
}

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

OntPage::OntPage(GridModel &listGrid, GridModel &discoveryGrid, GridModel &versionGrid, QWidget *parent)
    : QWidget(parent) {
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("OntTabs"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs);

    ontListGrid = makeGridView(listGrid, nullptr);
    ontListGrid->setObjectName(QStringLiteral("OntListGrid"));
    ontDiscoveryGrid = makeGridView(discoveryGrid, nullptr);
    ontDiscoveryGrid->setObjectName(QStringLiteral("OntDiscoveryGrid"));
    ontVersionGrid = makeGridView(versionGrid, nullptr);
    ontVersionGrid->setObjectName(QStringLiteral("OntVersionGrid"));
    detailPane = makeTextPane(nullptr, QStringLiteral("OntDetailPane"));
    searchPane = makeTextPane(nullptr, QStringLiteral("OntSearchPane"));
    registrationPane = makeTextPane(nullptr, QStringLiteral("RegistrationPane"));

    QWidget *unused = nullptr;
    listTab = makeTab(tabs, listFields, ontListGrid);
    detailTab = makeTab(tabs, detailFields, detailPane);
    discoveryTab = makeTab(tabs, discoveryFields, ontDiscoveryGrid);
    searchTab = makeTab(tabs, searchFields, searchPane);
    registerTab = makeTab(tabs, registerFields, registrationPane);
    onuRegisterTab = makeTab(tabs, unused, nullptr);
    versionTab = makeTab(tabs, versionFields, ontVersionGrid);
    flashTab = makeTab(tabs, unused, nullptr);

    tabs->addTab(listTab, QStringLiteral("ONT 列表"));
    tabs->addTab(detailTab, QStringLiteral("ONT 详细"));
    tabs->addTab(discoveryTab, QStringLiteral("ONT 发现"));
    tabs->addTab(searchTab, QStringLiteral("ONT 查询"));
    tabs->addTab(registerTab, QStringLiteral("ONT 注册"));
    tabs->addTab(onuRegisterTab, QStringLiteral("ONU 注册"));
    tabs->addTab(versionTab, QStringLiteral("ONT 版本"));
    tabs->addTab(flashTab, QStringLiteral("ONT 刷机"));
    buildRegisterGroups();
}

void OntPage::buildRegisterGroups() {
    auto *row = new QHBoxLayout(registerFields);
    row->setContentsMargins(0, 0, 0, 0);
    // Manual and batch registration overlap in one cell; only one of them shows at a time.
    auto *place = new QWidget(registerFields);
    auto *stack = new QGridLayout(place);
    stack->setContentsMargins(0, 0, 0, 0);
    batchGroup = new QGroupBox(QStringLiteral("批量注册"), place);
    batchGroup->setObjectName(QStringLiteral("BatchRegistrationGroup"));
    manualGroup = new QGroupBox(QStringLiteral("手动注册"), place);
    manualGroup->setObjectName(QStringLiteral("ManualRegistrationGroup"));
    stack->addWidget(batchGroup, 0, 0);
    stack->addWidget(manualGroup, 0, 0);
    batchGroup->hide();
    row->addWidget(place, 3);

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
    row->addWidget(autoGroup, 2);
}

} // namespace tw
