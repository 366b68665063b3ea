#include "provision/OnuRegisterTab.h"

#include "common/Operator.h"
#include "widgets/WidgetKit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

QLineEdit *edit(QWidget *parent, const char16_t *text, int width = 0) {
    auto *e = new QLineEdit(QString::fromUtf16(text), parent);
    if (width) e->setMaximumWidth(width);
    return e;
}

QComboBox *choice(QWidget *parent, const QStringList &items) {
    auto *c = new QComboBox(parent);
    c->addItems(items);
    return c;
}

QPushButton *button(QWidget *parent, const char16_t *caption) {
    return new QPushButton(QString::fromUtf16(caption), parent);
}

// Label and field side by side in a grid, row by row.
struct FormGrid {
    QGridLayout *grid;
    QWidget *owner;
    int row = 0, column = 0;
    void add(const char16_t *label, QWidget *field, int span = 1) {
        grid->addWidget(new QLabel(QString::fromUtf16(label), owner), row, column++);
        grid->addWidget(field, row, column, 1, span);
        column += span;
    }
    void next() { ++row, column = 0; }
};

} // namespace

OnuRegisterTab::OnuRegisterTab(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildTopRow());
    auto *body = new QHBoxLayout;
    layout->addLayout(body, 1);

    auto *previewGroup = new QGroupBox(QStringLiteral("代码预览区：(单击右侧生成)"), this);
    auto *previewLayout = new QVBoxLayout(previewGroup);
    preview = makeTextPane(previewGroup, QStringLiteral("GeneratorPane"));
    previewLayout->addWidget(preview);
    body->addWidget(previewGroup, 1);

    sides = new QTabWidget(this);
    sides->addTab(buildOltSide(context), QStringLiteral("OLT侧 (需关闭自动注册和自动建流)"));
    sides->addTab(buildOnuSide(context), QStringLiteral("ONU侧 (型号不同命令有所不同)"));
    body->addWidget(sides, 1);
}

QWidget *OnuRegisterTab::buildTopRow() {
    auto *top = new QWidget(this);
    auto *grid = new QGridLayout(top);
    grid->setContentsMargins(0, 0, 0, 0);
    frame = edit(top, u"0", 80);
    slot = numberSelector(top, 22);
    port = numberSelector(top, 15);
    managementMode = choice(top, {QStringLiteral("SNMP"), QStringLiteral("OMCI")});
    boardType = choice(top, {QStringLiteral("GPON"), QStringLiteral("EPON")});
    lineProfile = edit(top, u"1", 70);
    serviceProfile = edit(top, u"1", 70);
    const std::pair<const char16_t *, QWidget *> fields[] = {{u"机框：", frame},
                                                             {u"业务板：", slot},
                                                             {u"端口：", port},
                                                             {u"管理模式：", managementMode},
                                                             {u"单板类型：", boardType},
                                                             {u"线路模版：", lineProfile},
                                                             {u"业务模版：", serviceProfile}};
    int column = 0;
    for (const auto &[label, field] : fields) {
        auto *caption = new QLabel(QString::fromUtf16(label), top);
        grid->addWidget(caption, 0, column);
        grid->addWidget(field, 1, column++);
        if (field == serviceProfile) serviceProfileLabel = caption;
    }
    grid->setColumnStretch(column, 1);
    // The service profile is an OMCI notion; SNMP-managed ONUs have none.
    const auto showProfile = [this] {
        const bool omci = managementMode->currentText() == QLatin1String("OMCI");
        serviceProfileLabel->setVisible(omci);
        serviceProfile->setVisible(omci);
    };
    connect(managementMode, &QComboBox::currentTextChanged, this, showProfile);
    showProfile();
    return top;
}

QWidget *OnuRegisterTab::buildOltSide(PageContext &context) {
    auto *side = new QWidget(this);
    FormGrid form{new QGridLayout(side), side};
    ip = edit(side, u"192.168.88.1");
    mask = edit(side, u"255.255.255.0");
    gateway = edit(side, u"192.168.88.254");
    managementVlan = edit(side, u"46");
    serial = edit(side, u"");
    serial->setMinimumWidth(160);
    ontId = edit(side, u"");
    description = edit(side, u"");
    svlan = edit(side, u"100");
    uvlan = edit(side, u"100");
    cvlan = edit(side, u"1000");
    gemPort = edit(side, u"");
    qinq = new QCheckBox(QStringLiteral("QINQ  SVLAN.CVLAN"), side);
    form.add(u"IP地址：", ip);
    form.add(u"子网掩码：", mask);
    form.next();
    form.add(u"网关：", gateway);
    form.add(u"管理VLAN：", managementVlan);
    form.next();
    form.add(u"序列号：", serial, 3);
    form.next();
    form.add(u"ONU编号(未知请先生成注册)：", ontId);
    form.add(u"备注：", description);
    form.next();
    form.add(u"SVLAN：", svlan);
    form.add(u"UVLAN：", uvlan);
    form.next();
    form.add(u"CVLAN：", cvlan);
    form.add(u"GemPort：", gemPort);
    form.next();
    form.grid->addWidget(qinq, form.row, 0, 1, 4);
    form.next();

    fetchSerialButton = button(side, u"获取序列号");
    generateButton = button(side, u"生成注册");
    managementIpButton = button(side, u"追加管理IP");
    serviceFlowButton = button(side, u"追加业务流");
    oltCopyButton = button(side, u"复制");
    oltClearButton = button(side, u"清屏");
    auto *buttons = new QGridLayout;
    QPushButton *const all[] = {fetchSerialButton, generateButton, managementIpButton,
                                serviceFlowButton, oltCopyButton,  oltClearButton};
    for (int i = 0; i < 6; ++i)
        buttons->addWidget(all[i], i / 3, i % 3);
    form.grid->addLayout(buttons, form.row, 0, 1, 4);
    form.next();
    auto *help =
        new QLabel(QStringLiteral("如何关闭自动注册？\r\nONT管理-ONT注册-自动注册选择框取消选中\r\n\r\n"
                                  "如何关闭自动建流？\r\n控制面板-其他-自动建流选择框取消选中\r\n\r\n"
                                  "只有开启QINQ情况下CVLAN生效，默认关闭"),
                   side);
    form.grid->addWidget(help, form.row, 0, 1, 4);
    form.grid->setRowStretch(form.row + 1, 1);

    connect(fetchSerialButton, &QPushButton::clicked, this,
            [this, &context] { fetchGeneratorSerial(context, oltFields()); });
    connect(generateButton, &QPushButton::clicked, this,
            [this, &context] { showScript(registrationScript(context.op, oltFields()), false); });
    connect(managementIpButton, &QPushButton::clicked, this,
            [this, &context] { showScript(managementIpScript(context.op, oltFields()), true); });
    connect(serviceFlowButton, &QPushButton::clicked, this,
            [this, &context] { showScript(serviceFlowScript(context.op, oltFields()), true); });
    wireCopyAndClear(context.op, oltCopyButton, oltClearButton);
    return side;
}

QWidget *OnuRegisterTab::buildOnuSide(PageContext &context) {
    auto *side = new QWidget(this);
    FormGrid form{new QGridLayout(side), side};
    onuIp = edit(side, u"192.168.88.1");
    onuUser = edit(side, u"root");
    onuPassword = edit(side, u"tolvaken");
    onuVlan = edit(side, u"100");
    uplinkBoard = edit(side, u"0/0");
    uplinkPort = edit(side, u"1");
    serviceBoard = edit(side, u"0/1");
    portRange = choice(side, {QStringLiteral("1"), QStringLiteral("1-4"), QStringLiteral("1-8"),
                              QStringLiteral("1-16"), QStringLiteral("1-24")});
    onuUvlan = edit(side, u"");
    form.add(u"ONU IP：", onuIp);
    form.add(u"帐号：", onuUser);
    form.add(u"密码：", onuPassword);
    form.next();
    form.add(u" VLAN：", onuVlan);
    form.add(u"上联板：", uplinkBoard);
    form.add(u"端口：", uplinkPort);
    form.next();
    form.add(u"业务板：", serviceBoard);
    form.add(u"端口：", portRange);
    form.add(u"UVLAN：", onuUvlan);
    form.next();

    auto *group = new QGroupBox(QStringLiteral("二层互通"), side);
    auto *groupGrid = new QGridLayout(group);
    bridging = new QCheckBox(QStringLiteral("使能二层互通"), group);
    templateId = edit(group, u"1");
    bridgingVlans = edit(group, u"100");
    groupGrid->addWidget(bridging, 0, 0, 1, 2);
    groupGrid->addWidget(new QLabel(QStringLiteral("模版ID："), group), 1, 0);
    groupGrid->addWidget(templateId, 1, 1);
    groupGrid->addWidget(new QLabel(QStringLiteral("互通VLAN(多个LVAN例100-102)："), group), 2, 0);
    groupGrid->addWidget(bridgingVlans, 2, 1);
    form.grid->addWidget(group, form.row, 0, 1, 6);
    form.next();

    flowAButton = button(side, u"业务流A类");
    flowBButton = button(side, u"业务流B类");
    onuCopyButton = button(side, u"复制");
    onuClearButton = button(side, u"清屏");
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {flowAButton, flowBButton, onuCopyButton, onuClearButton})
        buttons->addWidget(b);
    form.grid->addLayout(buttons, form.row, 0, 1, 6);
    form.grid->setRowStretch(form.row + 1, 1);

    connect(flowAButton, &QPushButton::clicked, this,
            [this, &context] { showScript(onuSideScript(context.op, onuFields(), OnuFlowStyle::A), false); });
    connect(flowBButton, &QPushButton::clicked, this,
            [this, &context] { showScript(onuSideScript(context.op, onuFields(), OnuFlowStyle::B), false); });
    wireCopyAndClear(context.op, onuCopyButton, onuClearButton);
    return side;
}

void OnuRegisterTab::wireCopyAndClear(Operator &op, QPushButton *copy, QPushButton *clear) {
    connect(copy, &QPushButton::clicked, this, [this, &op] {
        QGuiApplication::clipboard()->setText(preview->toPlainText());
        op.notice(QStringLiteral("复制成功，请核对无误后在下方命令行粘贴！"));
    });
    connect(clear, &QPushButton::clicked, preview, &QPlainTextEdit::clear);
}

void OnuRegisterTab::showScript(const std::optional<QString> &text, bool append) {
    if (!text) return;
    if (append)
        appendPaneText(preview, *text);
    else
        setPaneText(preview, *text);
}

OltSideFields OnuRegisterTab::oltFields() const {
    OltSideFields f;
    f.frame = frame->text();
    f.slot = slot->currentText();
    f.port = port->currentText();
    f.snmp = managementMode->currentText() == QLatin1String("SNMP");
    f.gpon = boardType->currentText() == QLatin1String("GPON");
    f.lineProfile = lineProfile->text();
    f.serviceProfile = serviceProfile->text();
    f.ip = ip->text();
    f.mask = mask->text();
    f.gateway = gateway->text();
    f.managementVlan = managementVlan->text();
    f.serial = serial->text();
    f.ontId = ontId->text();
    f.description = description->text();
    f.svlan = svlan->text();
    f.uvlan = uvlan->text();
    f.cvlan = cvlan->text();
    f.gemPort = gemPort->text();
    f.qinq = qinq->isChecked();
    return f;
}

OnuSideFields OnuRegisterTab::onuFields() const {
    return {onuIp->text(),       onuUser->text(),       onuPassword->text(),  onuVlan->text(),
            uplinkBoard->text(), uplinkPort->text(),    serviceBoard->text(), portRange->currentText(),
            onuUvlan->text(),    bridging->isChecked(), templateId->text(),   bridgingVlans->text()};
}

} // namespace tw
