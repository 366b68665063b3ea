#include "wizards/SettingsPage.h"

#include "app/StartupFieldsUi.h"
#include "app/WidgetKitUi.h"
#include "common/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

const char16_t *const SecurityCaptions[] = {u"IP优化全局",   u"防御IP欺骗",  u"防御MAC漂移",
                                            u"防御MAC欺骗",  u"防御DOS攻击", u"防御ICMP攻击",
                                            u"防御环路功能", u"防御IPV6欺骗"};
const char16_t *const SecurityKeys[] = {u"IP优化全局",  u"防御IP欺骗",   u"防御MAC漂移", u"防御MAC欺骗",
                                        u"防御DOS攻击", u"防御ICMP攻击", u"防御环路",    u"防御IPV6欺骗"};

QLineEdit *edit(QWidget *parent, int width = 110) {
    auto *e = new QLineEdit(parent);
    e->setMaximumWidth(width);
    return e;
}

} // namespace

SettingsPage::SettingsPage(QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    tabs = new QTabWidget(this);
    basicTab = new QWidget(tabs);
    uplinkTab = new QWidget(tabs);
    fanTab = new QWidget(tabs);
    tabs->addTab(basicTab, QStringLiteral("基本配置"));
    tabs->addTab(uplinkTab, QStringLiteral("上行管理"));
    tabs->addTab(fanTab, QStringLiteral("风扇配置"));

    auto *side = new QVBoxLayout;
    otherGroup = new QGroupBox(QStringLiteral("其他"), this);
    systemGroup = new QGroupBox(QStringLiteral("系统功能"), this);
    backupGroup = new QGroupBox(this);
    backupGroup->setObjectName(QStringLiteral("BackupGroup"));
    side->addWidget(systemGroup);
    side->addWidget(otherGroup);
    side->addWidget(backupGroup);
    layout->addWidget(tabs, 3);
    layout->addLayout(side, 2);

    // "基本配置"
    auto *basic = new QGridLayout(basicTab);
    ipGroup = new QGroupBox(QStringLiteral("IP设置"), basicTab);
    auto *ip = new QGridLayout(ipGroup);
    methIndex = edit(ipGroup, 50);
    methIp = edit(ipGroup);
    methMask = edit(ipGroup);
    managementVlan = edit(ipGroup, 50);
    managementIp = edit(ipGroup);
    managementMask = edit(ipGroup);
    routeIp = edit(ipGroup);
    routeMask = edit(ipGroup);
    routeGateway = edit(ipGroup);
    ip->addWidget(new QLabel(QStringLiteral("METH接口索引："), ipGroup), 0, 0);
    ip->addWidget(methIndex, 0, 1);
    ip->addWidget(methIp, 0, 2);
    ip->addWidget(methMask, 0, 3);
    ip->addWidget(new QLabel(QStringLiteral("管理VLAN："), ipGroup), 1, 0);
    ip->addWidget(managementVlan, 1, 1);
    ip->addWidget(managementIp, 1, 2);
    ip->addWidget(managementMask, 1, 3);
    ip->addWidget(new QLabel(QStringLiteral("默认路由："), ipGroup), 2, 0);
    ip->addWidget(routeIp, 2, 1);
    ip->addWidget(routeMask, 2, 2);
    ip->addWidget(routeGateway, 2, 3);

    securityGroup = new QGroupBox(QStringLiteral("安全设置"), basicTab);
    auto *security = new QGridLayout(securityGroup);
    for (int i = 0; i < 8; ++i) {
        auto *box = new QCheckBox(QString::fromUtf16(SecurityCaptions[i]), securityGroup);
        security->addWidget(box, i / 4, i % 4);
        securityBoxes.append(box);
    }

    autosaveGroup = new QGroupBox(QStringLiteral("自动保存"), basicTab);
    auto *autosave = new QGridLayout(autosaveGroup);
    timedSaveBox = new QCheckBox(QStringLiteral("定时保存"), autosaveGroup);
    intervalSaveBox = new QCheckBox(QStringLiteral("间隔保存"), autosaveGroup);
    saveTime = edit(autosaveGroup, 90);
    saveTime->setText(QStringLiteral("03:00:00"));
    saveInterval = edit(autosaveGroup, 60);
    saveInterval->setText(QStringLiteral("1440"));
    autosave->addWidget(timedSaveBox, 0, 0);
    autosave->addWidget(new QLabel(QStringLiteral("保存时间："), autosaveGroup), 0, 1);
    autosave->addWidget(saveTime, 0, 2);
    autosave->addWidget(intervalSaveBox, 1, 0);
    autosave->addWidget(new QLabel(QStringLiteral("间隔时间：        分钟"), autosaveGroup), 1, 1);
    autosave->addWidget(saveInterval, 1, 2);

    basic->addWidget(ipGroup, 0, 0);
    basic->addWidget(securityGroup, 1, 0);
    basic->addWidget(autosaveGroup, 2, 0);
    basic->setRowStretch(3, 1);

    // "上行管理"
    auto *uplink = new QGridLayout(uplinkTab);
    createVlan = edit(uplinkTab, 60);
    passThroughBoard = edit(uplinkTab, 60);
    createPort = numberSelector(uplinkTab, 15);
    uplinkBoard = edit(uplinkTab, 60);
    uplinkPort = numberSelector(uplinkTab, 15);
    nativeVlan = edit(uplinkTab, 60);
    uplink->addWidget(new QLabel(QStringLiteral("创建VLAN："), uplinkTab), 0, 0);
    uplink->addWidget(createVlan, 0, 1);
    uplink->addWidget(new QLabel(QStringLiteral("端口："), uplinkTab), 0, 2);
    uplink->addWidget(passThroughBoard, 0, 3);
    uplink->addWidget(createPort, 0, 4);
    uplink->addWidget(new QLabel(QStringLiteral("上联板："), uplinkTab), 1, 0);
    uplink->addWidget(uplinkBoard, 1, 1);
    uplink->addWidget(uplinkPort, 1, 2);
    uplink->addWidget(new QLabel(QStringLiteral("默认VLAN："), uplinkTab), 1, 3);
    uplink->addWidget(nativeVlan, 1, 4);
    uplink->setRowStretch(2, 1);
    uplink->setColumnStretch(5, 1);
}

void SettingsPage::registerNetworkFields(StartupFields &fields) const {
    using namespace settings;
    fields.add(methIndex, MethIndex);
    fields.add(methIp, MethIp);
    fields.add(methMask, MethMask);
    fields.add(managementVlan, ManagementVlan);
    fields.add(managementIp, ManagementIp);
    fields.add(managementMask, ManagementMask);
    fields.add(routeIp, DefaultRouteIp);
    fields.add(routeMask, DefaultRouteMask);
    fields.add(routeGateway, DefaultGateway);
    fields.add(createVlan, CreateVlan);
    fields.add(passThroughBoard, PassThroughBoard);
    fields.add(createPort, CreatePort);
    fields.add(uplinkBoard, UplinkBoard);
    fields.add(uplinkPort, UplinkPort);
    fields.add(nativeVlan, NativeVlan);
}

void SettingsPage::registerSwitchFields(StartupFields &fields) const {
    for (int i = 0; i < 8; ++i)
        fields.add(securityBoxes[i], settings::other(SecurityKeys[i]));
    fields.add(timedSaveBox, settings::TimedSave);
    fields.add(intervalSaveBox, settings::IntervalSave);
}

} // namespace tw
