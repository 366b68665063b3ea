#include "wizards/SettingsPage.h"

#include "admin/BackupGroupWidget.h"
#include "admin/SystemGroupWidget.h"
#include "monitor/FanTab.h"
#include "wizards/BasicConfigTab.h"
#include "wizards/UplinkTab.h"

#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tw {

SettingsPage::SettingsPage(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    tabs = new QTabWidget(this);
    basicTab = new BasicConfigTab(context, tabs);
    uplinkTab = new UplinkTab(context, tabs);
    fanTab = new FanTab(context, tabs);
    tabs->addTab(basicTab, QStringLiteral("基本配置"));
    tabs->addTab(uplinkTab, QStringLiteral("上行管理"));
    tabs->addTab(fanTab, QStringLiteral("风扇配置"));

    auto *side = new QVBoxLayout;
    systemGroup = new SystemGroupWidget(context, this);
    otherGroup = new OtherGroupWidget(context, this);
    backupGroup = new BackupGroupWidget(context, this);
    side->addWidget(systemGroup);
    side->addWidget(otherGroup);
    side->addWidget(backupGroup);
    side->addStretch(1);
    layout->addWidget(tabs, 3);
    layout->addLayout(side, 2);
}

void SettingsPage::registerStartupFields(StartupFields &fields) const {
    basicTab->registerNetworkFields(fields);
    uplinkTab->registerFields(fields);
    basicTab->registerSwitchFields(fields);
}

} // namespace tw
