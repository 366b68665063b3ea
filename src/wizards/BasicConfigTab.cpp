#include "wizards/BasicConfigTab.h"

#include "admin/SystemOperations.h"
#include "widgets/SwitchBox.h"
#include "common/Settings.h"
#include "widgets/StartupFields.h"
#include "widgets/WidgetKit.h"
#include "wizards/IpSetup.h"
#include "wizards/SecurityToggles.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

QLineEdit *edit(QWidget *parent, const char16_t *text, int width = 110) {
    auto *e = new QLineEdit(QString::fromUtf16(text), parent);
    e->setMaximumWidth(width);
    return e;
}

} // namespace

BasicConfigTab::BasicConfigTab(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    ipGroup = new QGroupBox(this);
    // One row of fields each; rows share no columns, so the widest row alone sets the width.
    auto *ip = new QVBoxLayout(ipGroup);
    ip->setContentsMargins(6, 6, 6, 6);
    methIndex = edit(ipGroup, u"", 40);
    methIp = edit(ipGroup, u"10.11.104.2", 100);
    methMask = edit(ipGroup, u"255.255.255.0", 100);
    managementVlan = edit(ipGroup, u"46", 40);
    managementIp = edit(ipGroup, u"192.168.88.200", 100);
    managementMask = edit(ipGroup, u"255.255.255.0", 100);
    routeIp = edit(ipGroup, u"0.0.0.0", 100);
    routeMask = edit(ipGroup, u"0.0.0.0", 100);
    routeGateway = edit(ipGroup, u"192.168.88.254", 100);
    const struct {
        IpRow row;
        const char16_t *labels[3];
        QLineEdit *fields[3];
    } rows[] = {
        {IpRow::Meth, {u"METH接口索引：", u"设置IP地址：", u"子网掩码："}, {methIndex, methIp, methMask}},
        {IpRow::ManagementVlan,
         {u"管理VLAN：", u"设置IP地址：", u"子网掩码："},
         {managementVlan, managementIp, managementMask}},
        {IpRow::DefaultRoute,
         {u"默认路由IP地址：", u"子网掩码：", u"网关地址："},
         {routeIp, routeMask, routeGateway}},
    };
    for (const auto &r : rows) {
        // Tight: the longest row must leave a whole address visible in each field.
        auto *line = new QHBoxLayout;
        line->setSpacing(4);
        for (int i = 0; i < 3; ++i) {
            line->addWidget(new QLabel(QString::fromUtf16(r.labels[i]), ipGroup));
            line->addWidget(r.fields[i]);
        }
        auto *set = new QPushButton(QStringLiteral("设置"), ipGroup);
        set->setMaximumWidth(48);
        line->addWidget(set);
        line->addStretch(1);
        ip->addLayout(line);
        ipButtons.append(set);
        connect(set, &QPushButton::clicked, this,
                [&context, row = r.row, a = r.fields[0], b = r.fields[1], d = r.fields[2]] {
                    applyIpRow(context, row, {a->text(), b->text(), d->text()});
                });
    }

    securityGroup = new QGroupBox(this);
    auto *security = new QGridLayout(securityGroup);
    int i = 0;
    for (const SecurityToggle &t : SecurityToggles) {
        auto *box = new QCheckBox(QString::fromUtf16(t.caption), securityGroup);
        security->addWidget(box, i / 4, i % 4);
        securityBoxes.append(box);
        onSwitched(box, this, [&context, &t](bool on) { return applySecurityToggle(context, t, on); });
        ++i;
    }

    autosaveGroup = new QGroupBox(this);
    auto *autosave = new QGridLayout(autosaveGroup);
    timedSaveBox = new QCheckBox(QStringLiteral("定时保存"), autosaveGroup);
    intervalSaveBox = new QCheckBox(QStringLiteral("间隔保存"), autosaveGroup);
    saveTime = edit(autosaveGroup, u"03:00:00", 90);
    saveInterval = edit(autosaveGroup, u"1440", 60);
    autosave->addWidget(timedSaveBox, 0, 0);
    autosave->addWidget(captionAround(autosaveGroup, QStringLiteral("保存时间："), saveTime), 0, 1);
    autosave->addWidget(intervalSaveBox, 1, 0);
    autosave->addWidget(captionAround(autosaveGroup, QStringLiteral("间隔时间：        分钟"), saveInterval),
                        1, 1);
    autosave->setColumnStretch(2, 1);
    onSwitched(timedSaveBox, this,
               [this, &context](bool on) { return setTimedSave(context, on, saveTime->text()); });
    onSwitched(intervalSaveBox, this,
               [this, &context](bool on) { return setIntervalSave(context, on, saveInterval->text()); });

    layout->addWidget(ipGroup, 0, 0);
    layout->addWidget(securityGroup, 1, 0);
    layout->addWidget(autosaveGroup, 2, 0);
    layout->setRowStretch(3, 1);
}

void BasicConfigTab::registerNetworkFields(StartupFields &fields) const {
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
}

void BasicConfigTab::registerSwitchFields(StartupFields &fields) const {
    for (int i = 0; i < securityBoxes.size(); ++i)
        fields.add(securityBoxes[i], settings::other(SecurityToggles[i].key));
    fields.add(timedSaveBox, settings::TimedSave);
    fields.add(intervalSaveBox, settings::IntervalSave);
}

} // namespace tw
