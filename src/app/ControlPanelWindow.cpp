#include "app/ControlPanelWindow.h"

#include "common/Operator.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "olt/OltLink.h"
#include "widgets/SwitchBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

QLineEdit *field(QWidget *parent, const QString &formText) {
    auto *e = new QLineEdit(formText, parent);
    return e;
}

void fillSwitch(QCheckBox *box, const SettingsStore &settings, const Setting &setting) {
    loadSwitch(box, settings.read(setting, QString()) == SwitchOn);
}

} // namespace

ControlPanelWindow::ControlPanelWindow(SettingsStore &settings, Operator &op, QWidget *parent)
    : QDialog(parent), settings_(settings), op_(op) {
    setWindowTitle(QStringLiteral("控制面板"));
    resize(418, 353);
    tabs = new QTabWidget(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);

    auto *olt = new QWidget(tabs);
    auto *g = new QGridLayout(olt);
    address = field(olt, QStringLiteral("10.11.104.2"));
    port = field(olt, QStringLiteral("23"));
    port->setMaximumWidth(60);
    protocol = new QComboBox(olt);
    protocol->addItems({ProtocolTelnet, ProtocolSsh}); // index = LinkProtocol
    account = field(olt, QStringLiteral("root"));
    password = field(olt, QString());
    password->setEchoMode(QLineEdit::Password);
    label = field(olt, QString());
    logBox = new QCheckBox(QStringLiteral("日志记录"), olt);
    reconnectBox = new QCheckBox(QStringLiteral("超时自动重连"), olt);
    testButton = new QPushButton(QStringLiteral("测试连接"), olt);
    saveConnectionButton = new QPushButton(QStringLiteral("保存设置"), olt);
    g->addWidget(new QLabel(QStringLiteral("IP地址："), olt), 0, 0);
    g->addWidget(address, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("端口："), olt), 0, 2);
    g->addWidget(port, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("协  议："), olt), 1, 0);
    g->addWidget(protocol, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("帐  号："), olt), 2, 0);
    g->addWidget(account, 2, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("密  码："), olt), 3, 0);
    g->addWidget(password, 3, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("标  识："), olt), 4, 0);
    g->addWidget(label, 4, 1, 1, 3);
    g->addWidget(logBox, 5, 1);
    g->addWidget(reconnectBox, 5, 2, 1, 2);
    g->addWidget(testButton, 6, 1);
    g->addWidget(saveConnectionButton, 6, 2, 1, 2);
    g->setRowStretch(7, 1);
    tabs->addTab(olt, QStringLiteral("OLT配置"));

    auto *other = new QWidget(tabs);
    auto *o = new QGridLayout(other);
    gponLine = field(other, QStringLiteral("1"));
    eponLine = field(other, QStringLiteral("2"));
    gponService = field(other, QStringLiteral("1"));
    eponService = field(other, QStringLiteral("2"));
    serviceOuter = field(other, QStringLiteral("100"));
    serviceInner = field(other, QStringLiteral("41"));
    iptvOuter = field(other, QStringLiteral("3444"));
    iptvInner = field(other, QStringLiteral("45"));
    multicast = field(other, QStringLiteral("3501"));
    description = field(other, QString());
    serviceFlowBox = new QCheckBox(QStringLiteral("自动建流（ONT注册需要）"), other);
    saveOtherButton = new QPushButton(QStringLiteral("保存"), other);
    const struct {
        const char16_t *left;
        QLineEdit *a;
        const char16_t *right;
        QLineEdit *b;
    } rows[] = {{u"默认线路模版 G：", gponLine, u"E：", eponLine},
                {u"默认业务模版 G：", gponService, u"E：", eponService},
                {u"业务外层VLAN：", serviceOuter, u"内层：", serviceInner},
                {u"点播外层VLAN：", iptvOuter, u"内层：", iptvInner}};
    int r = 0;
    for (const auto &row : rows) {
        o->addWidget(new QLabel(QString::fromUtf16(row.left), other), r, 0);
        o->addWidget(row.a, r, 1);
        o->addWidget(new QLabel(QString::fromUtf16(row.right), other), r, 2);
        o->addWidget(row.b, r, 3);
        ++r;
    }
    o->addWidget(new QLabel(QStringLiteral("默认组播VLAN："), other), r, 0);
    o->addWidget(multicast, r++, 1);
    o->addWidget(new QLabel(QStringLiteral("默认注册备注："), other), r, 0);
    o->addWidget(description, r++, 1, 1, 3);
    o->addWidget(serviceFlowBox, r, 0, 1, 2);
    o->addWidget(saveOtherButton, r++, 3);
    o->setRowStretch(r, 1);
    tabs->addTab(other, QStringLiteral("其他"));

    connect(saveConnectionButton, &QPushButton::clicked, this, &ControlPanelWindow::saveConnection);
    connect(saveOtherButton, &QPushButton::clicked, this, &ControlPanelWindow::saveOther);
    connect(testButton, &QPushButton::clicked, this, [this] {
        emit testConnectionRequested(address->text(), port->text(), account->text(), password->text(),
                                     protocol->currentText());
    });
    connect(port, &QLineEdit::textEdited, this, [this] { portTyped_ = true; });
    connect(protocol, &QComboBox::currentIndexChanged, this, &ControlPanelWindow::protocolChosen);
    // Each change stores its switch at once; one the file did not take goes back.
    const std::pair<QCheckBox *, Setting> switches[] = {{logBox, settings::LogEnabled},
                                                        {reconnectBox, settings::AutoReconnect},
                                                        {serviceFlowBox, settings::AutoServiceFlows}};
    for (const auto &[box, setting] : switches)
        onSwitched(box, this, [this, setting](bool on) { return settings_.writeSwitch(setting, on); });

    fill();
}

void ControlPanelWindow::fill() {
    using namespace settings;
    const QString none;
    address->setText(settings_.read(OltAddress, none));
    const LinkProtocol chosen = protocolFrom(settings_.read(OltProtocol));
    shownProtocol_ = int(chosen);
    protocol->setCurrentIndex(shownProtocol_); // before the port: its change would set the port
    // A config.ini without SSH端口 dials 22, and shows it.
    port->setText(
        settings_.read(portSetting(chosen), chosen == LinkProtocol::Ssh ? OltSshPort.fallback : none));
    portTyped_ = false;
    account->setText(settings_.read(OltAccount, none));
    password->setText(decodePassword(settings_.read(OltPassword, none)));
    label->setText(settings_.read(OltLabel, none));
    fillSwitch(logBox, settings_, LogEnabled);
    fillSwitch(reconnectBox, settings_, AutoReconnect);
    gponLine->setText(settings_.read(GponLineProfile, none));
    gponService->setText(settings_.read(GponServiceProfile, none));
    eponLine->setText(settings_.read(EponLineProfile, none));
    eponService->setText(settings_.read(EponServiceProfile, none));
    serviceOuter->setText(settings_.read(ServiceOuterVlan, none));
    serviceInner->setText(settings_.read(ServiceInnerVlan, none));
    iptvOuter->setText(settings_.read(IptvOuterVlan, none));
    iptvInner->setText(settings_.read(IptvInnerVlan, none));
    multicast->setText(settings_.read(MulticastVlan, none));
    description->setText(settings_.read(DefaultDescription, none));
    fillSwitch(serviceFlowBox, settings_, AutoServiceFlows);
}

void ControlPanelWindow::saveConnection() {
    using namespace settings;
    if (address->text().isEmpty() || port->text().isEmpty() || account->text().isEmpty() ||
        password->text().isEmpty()) {
        op_.error(QStringLiteral("配置信息不能为空！"), QStringLiteral("错误"));
        return;
    }
    // 协议 is written once it says something: a telnet file without it stays as it was.
    const auto chosen = LinkProtocol(protocol->currentIndex());
    const bool protocolKept = protocolFrom(settings_.read(OltProtocol)) == chosen;
    const bool written = settings_.write(OltAddress, address->text()) &&
                         (protocolKept || settings_.write(OltProtocol, protocolName(chosen))) &&
                         settings_.write(portSetting(chosen), port->text()) &&
                         settings_.write(OltAccount, account->text()) &&
                         settings_.write(OltPassword, encodePassword(password->text())) &&
                         settings_.write(OltLabel, label->text());
    if (!written) {
        // Not reporting this would leave the operator believing the settings were kept.
        op_.error(QStringLiteral("配置信息保存失败。") + settings_.lastError(), QStringLiteral("错误"));
        return;
    }
    op_.notice(QStringLiteral("配置信息保存成功！"), DefaultBoxTitle, BoxIcon::Information);
}

// A port the operator typed is kept; otherwise the field follows the protocol's usual port.
void ControlPanelWindow::protocolChosen() {
    const auto before = LinkProtocol(shownProtocol_);
    const auto now = LinkProtocol(protocol->currentIndex());
    shownProtocol_ = protocol->currentIndex();
    const QString typed = port->text().trimmed();
    if (portTyped_ && !typed.isEmpty() && typed != QString::number(defaultPort(before))) return;
    port->setText(QString::number(defaultPort(now)));
    portTyped_ = false;
}

void ControlPanelWindow::saveOther() {
    using namespace settings;
    const std::pair<const Setting &, QLineEdit *> fields[] = {
        {GponLineProfile, gponLine},      {GponServiceProfile, gponService},
        {EponLineProfile, eponLine},      {EponServiceProfile, eponService},
        {ServiceOuterVlan, serviceOuter}, {ServiceInnerVlan, serviceInner},
        {IptvOuterVlan, iptvOuter},       {IptvInnerVlan, iptvInner},
        {MulticastVlan, multicast},       {DefaultDescription, description}};
    QString failure; // the first write's reason: later ones fail the same way
    for (const auto &[setting, edit] : fields)
        if (!settings_.write(setting, edit->text()) && failure.isEmpty()) failure = settings_.lastError();
    if (!failure.isEmpty()) {
        op_.error(QStringLiteral("保存失败。") + failure, QStringLiteral("错误"));
        return;
    }
    op_.notice(QStringLiteral("保存成功！"));
}

} // namespace tw
