#include "wizards/CommissioningPage.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace tw {

namespace {
QLineEdit *addField(QFormLayout *form, QWidget *owner, const QString &label) {
    auto *edit = new QLineEdit(owner);
    edit->setMaximumWidth(90);
    form->addRow(label, edit);
    return edit;
}
} // namespace

CommissioningPage::CommissioningPage(QWidget *parent) : QWidget(parent) {
    auto *grid = new QGridLayout(this);
    commissioningGroup = new QGroupBox(QStringLiteral("一键开局"), this);
    iptvGroup = new QGroupBox(QStringLiteral("IPTV"), this);
    voiceGroup = new QGroupBox(QStringLiteral("语音"), this);
    interworkingGroup = new QGroupBox(QStringLiteral("互通"), this);
    auto *commissioning = new QFormLayout(commissioningGroup);
    serviceOuterVlan = addField(commissioning, commissioningGroup, QStringLiteral("业务外层："));
    serviceInnerVlan = addField(commissioning, commissioningGroup, QStringLiteral("业务内层："));
    auto *iptv = new QFormLayout(iptvGroup);
    iptvOuterVlan = addField(iptv, iptvGroup, QStringLiteral("点播外层："));
    iptvInnerVlan = addField(iptv, iptvGroup, QStringLiteral("点播内层："));
    multicastVlan = addField(iptv, iptvGroup, QStringLiteral("组播VLAN："));
    grid->addWidget(commissioningGroup, 0, 0);
    grid->addWidget(iptvGroup, 0, 1);
    grid->addWidget(voiceGroup, 1, 0);
    grid->addWidget(interworkingGroup, 1, 1);
}

} // namespace tw
