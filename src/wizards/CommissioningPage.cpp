#include "wizards/CommissioningPage.h"

#include "wizards/Commissioning.h"
#include "wizards/ServiceTemplates.h"

#include "widgets/StartupFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

QLineEdit *edit(QWidget *parent, const char16_t *text, int width = 60) {
    auto *e = new QLineEdit(QString::fromUtf16(text), parent);
    e->setMaximumWidth(width);
    return e;
}

// An editable drop-down list: the operator may type a value it does not list.
QComboBox *editableList(QWidget *parent, const QStringList &items, const QString &current) {
    auto *c = new QComboBox(parent);
    c->addItems(items);
    c->setEditable(true);
    c->setCurrentText(current);
    return c;
}

// One row of labelled fields; rows share no columns, so the widest row alone sets the width.
QHBoxLayout *row(QBoxLayout *into, QWidget *owner,
                 std::initializer_list<std::pair<const char16_t *, QWidget *>> fields) {
    auto *line = new QHBoxLayout;
    for (const auto &[label, field] : fields) {
        if (label) line->addWidget(new QLabel(QString::fromUtf16(label), owner));
        line->addWidget(field);
    }
    line->addStretch(1);
    into->addLayout(line);
    return line;
}

QPushButton *buttonRow(QBoxLayout *into, QWidget *owner, const char16_t *caption) {
    auto *b = new QPushButton(QString::fromUtf16(caption), owner);
    row(into, owner, {{nullptr, b}});
    return b;
}

QString normalised(QLineEdit *ethPorts) {
    ethPorts->setText(withHalfWidthCommas(ethPorts->text()));
    return ethPorts->text();
}

} // namespace

CommissioningPage::CommissioningPage(PageContext &context, QWidget *parent) : QWidget(parent) {
    commissioningGroup = new QGroupBox(QStringLiteral("一键开局"), this);
    auto *commissioning = new QVBoxLayout(commissioningGroup);
    QWidget *g = commissioningGroup;
    gponLineProfile = edit(g, u"");
    gponServiceProfile = edit(g, u"");
    eponLineProfile = edit(g, u"");
    eponServiceProfile = edit(g, u"");
    gponDba = edit(g, u"11");
    eponDba = edit(g, u"11");
    row(commissioning, g,
        {{u"线路模板GPON：", gponLineProfile},
         {u"业务模板GPON：", gponServiceProfile},
         {u"GPON DBA_ID：", gponDba}});
    row(commissioning, g,
        {{u"线路模板EPON：", eponLineProfile},
         {u"业务模板EPON：", eponServiceProfile},
         {u"EPON DBA_ID：", eponDba}});

    dbaGroup = new QGroupBox(QStringLiteral("DBA_限制最大上行带宽"), g);
    auto *dba = new QVBoxLayout(dbaGroup);
    maxBandwidth = editableList(dbaGroup, {"50", "100", "200", "1000"}, QStringLiteral("100"));
    dbaProfile = edit(dbaGroup, u"11");
    row(dba, dbaGroup, {{u"最大带宽(MB)：", maxBandwidth}, {u"DBA_模板ID：", dbaProfile}});
    commissioning->addWidget(dbaGroup);

    serviceGroup = new QGroupBox(g);
    auto *service = new QVBoxLayout(serviceGroup);
    QWidget *s = serviceGroup;
    serviceOuterVlan = edit(s, u"100");
    serviceUplinkBoard = edit(s, u"0/19", 70);
    serviceUplinkPort = editableList(s, {"0", "1", "2", "3", "0-1", "0-3"}, QStringLiteral("0"));
    serviceInnerVlan = edit(s, u"41");
    serviceEthPorts = edit(s, u"1,2", 70);
    createOuterVlanBox = new QCheckBox(QStringLiteral("开启"), s);
    createOuterVlanBox->setChecked(true);
    qinqBox = new QCheckBox(QStringLiteral("qinq"), s);
    row(service, s,
        {{u"业务外层：", serviceOuterVlan},
         {u"上行板号：", serviceUplinkBoard},
         {u"上行端口：", serviceUplinkPort}});
    row(service, s,
        {{u"业务内层：", serviceInnerVlan},
         {u"ETH 端口：", serviceEthPorts},
         {nullptr, createOuterVlanBox},
         {nullptr, qinqBox}});
    commissioning->addWidget(serviceGroup);
    commissionButton = buttonRow(commissioning, g, u"一键开局");
    commissioning->addStretch(1);

    iptvGroup = new QGroupBox(QStringLiteral("IPTV"), this);
    auto *iptv = new QVBoxLayout(iptvGroup);
    QWidget *t = iptvGroup;
    iptvOuterVlan = edit(t, u"3444");
    iptvUplinkBoard = edit(t, u"0/19", 70);
    iptvUplinkPort = editableList(t, {"0", "1", "2", "3"}, QStringLiteral("0"));
    iptvInnerVlan = edit(t, u"45");
    multicastVlan = edit(t, u"3501");
    iptvEthPorts = edit(t, u"", 70);
    row(iptv, t,
        {{u"点播外层：", iptvOuterVlan}, {u"上行板号：", iptvUplinkBoard}, {u"上行端口：", iptvUplinkPort}});
    row(iptv, t,
        {{u"点播内层：", iptvInnerVlan}, {u"组播VLAN：", multicastVlan}, {u"ETH 端口：", iptvEthPorts}});
    iptvButton = buttonRow(iptv, t, u"一键IPTV");

    voiceGroup = new QGroupBox(QStringLiteral("语音"), this);
    arpProxyButton = buttonRow(new QVBoxLayout(voiceGroup), voiceGroup, u"语音ARP Proxy");
    interworkingGroup = new QGroupBox(QStringLiteral("ONT互通"), this);
    interworkingButton = buttonRow(new QVBoxLayout(interworkingGroup), interworkingGroup, u"ONT互通");

    auto *layout = new QHBoxLayout(this);
    auto *side = new QVBoxLayout;
    auto *small = new QHBoxLayout;
    small->addWidget(voiceGroup);
    small->addWidget(interworkingGroup);
    side->addWidget(iptvGroup);
    side->addLayout(small);
    side->addStretch(1);
    layout->addWidget(commissioningGroup);
    layout->addLayout(side);

    connect(commissionButton, &QPushButton::clicked, this,
            [this, &context] { runCommissioning(context, commissioningInput()); });
    connect(iptvButton, &QPushButton::clicked, this, [this, &context] { runIptv(context, iptvInput()); });
    connect(arpProxyButton, &QPushButton::clicked, this, [&context] { enableVoiceArpProxy(context); });
    connect(interworkingButton, &QPushButton::clicked, this, [&context] { enableOntInterworking(context); });
}

CommissioningInput CommissioningPage::commissioningInput() {
    CommissioningInput in;
    in.profiles = {gponLineProfile->text(), gponServiceProfile->text(),
                   eponLineProfile->text(), eponServiceProfile->text(),
                   gponDba->text(),         eponDba->text()};
    in.maxBandwidth = maxBandwidth->currentText();
    in.dbaProfile = dbaProfile->text();
    in.outerVlan = serviceOuterVlan->text();
    in.uplinkBoard = serviceUplinkBoard->text();
    in.uplinkPort = serviceUplinkPort->currentText();
    in.innerVlan = serviceInnerVlan->text();
    in.ethPorts = normalised(serviceEthPorts);
    in.createOuterVlan = createOuterVlanBox->isChecked();
    in.qinq = qinqBox->isChecked();
    return in;
}

IptvInput CommissioningPage::iptvInput() {
    return {gponLineProfile->text(), gponServiceProfile->text(),    iptvOuterVlan->text(),
            iptvUplinkBoard->text(), iptvUplinkPort->currentText(), iptvInnerVlan->text(),
            multicastVlan->text(),   normalised(iptvEthPorts)};
}

void CommissioningPage::registerStartupFields(StartupFields &fields) const {
    using namespace settings;
    fields.add(serviceOuterVlan, ServiceOuterVlan);
    fields.add(serviceInnerVlan, ServiceInnerVlan);
    fields.add(iptvOuterVlan, IptvOuterVlan);
    fields.add(iptvInnerVlan, IptvInnerVlan);
    fields.add(multicastVlan, MulticastVlan);
}

} // namespace tw
