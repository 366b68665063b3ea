#include "wizards/UplinkTab.h"

#include "common/Settings.h"
#include "monitor/QueryCatalogue.h"
#include "widgets/StartupFields.h"
#include "wizards/UplinkSetup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace tw {

namespace {

QLineEdit *edit(QWidget *parent, const char16_t *text, int width = 80) {
    auto *e = new QLineEdit(QString::fromUtf16(text), parent);
    e->setMinimumWidth(60);
    e->setMaximumWidth(width);
    return e;
}

QComboBox *list(QWidget *parent, const QStringList &items, const QString &current, bool editable) {
    auto *c = new QComboBox(parent);
    c->addItems(items);
    c->setEditable(editable);
    c->setCurrentText(current);
    return c;
}

} // namespace

UplinkTab::UplinkTab(PageContext &context, QWidget *parent) : QWidget(parent) {
    const QStringList ports = {"0", "1", "2", "3"};
    createVlan = edit(this, u"100");
    vlanType = list(this, {"mux", "standard", "smart", "super"}, "smart", false);
    description = edit(this, u"", 110);
    vlanAttribute = list(this, {"Common", "QinQ", "Stacking"}, "Common", false);
    passThroughBoard = edit(this, u"0/19");
    createPort = list(this, ports + QStringList{"0-1", "0-3"}, "0", true);
    uplinkBoard = edit(this, u"0/19");
    uplinkPort = list(this, ports + QStringList{"all"}, "0", true);
    nativeVlan = edit(this, u"100");
    uplinkType = list(this, {"giu", "scu", "mcu", "eth", "mpu"}, "giu", false);
    deleteVlan = edit(this, u"100");
    deleteBoard = edit(this, u"0/19");
    deletePort = list(this, ports + QStringList{"all"}, "0", true);

    // One row of labelled fields and buttons each; rows share no columns, so the widest row alone
    // sets the tab's width.
    auto *layout = new QVBoxLayout(this);
    QHBoxLayout *row = nullptr;
    const auto newRow = [&] {
        row = new QHBoxLayout;
        layout->addLayout(row);
    };
    const auto add = [&](const char16_t *label, QWidget *field) {
        row->addWidget(new QLabel(QString::fromUtf16(label), this));
        row->addWidget(field);
    };
    const auto button = [&](const char16_t *caption, std::function<void()> run) {
        auto *b = new QPushButton(QString::fromUtf16(caption), this);
        row->addWidget(b);
        buttons.append(b);
        connect(b, &QPushButton::clicked, this, std::move(run));
    };
    const auto endRow = [&] { row->addStretch(1); };
    newRow();
    add(u"创建VLAN：", createVlan);
    add(u"类型：", vlanType);
    add(u"备注：", description);
    add(u"属性：", vlanAttribute);
    button(u"创建", [this, &context] {
        tw::createVlan(context, {createVlan->text(), vlanType->currentText(), vlanAttribute->currentText(),
                                 description->text()});
    });
    endRow();
    newRow();
    add(u"端口：", passThroughBoard);
    add(u"端口：", createPort);
    button(u"透传", [this, &context] {
        addUplinkPort(context, {createVlan->text(), passThroughBoard->text(), createPort->currentText()});
    });
    endRow();
    newRow();
    add(u"NativeVLAN上行板号：", uplinkBoard);
    add(u"端口：", uplinkPort);
    add(u"VLAN：", nativeVlan);
    add(u"类型：", uplinkType);
    button(u"设置", [this, &context] {
        setNativeVlan(context, {uplinkBoard->text(), uplinkPort->currentText(), nativeVlan->text(),
                                uplinkType->currentText()});
    });
    endRow();
    newRow();
    add(u"删除VLAN：", deleteVlan);
    add(u"删除上行板号：", deleteBoard);
    add(u"端口号：", deletePort);
    button(u"删除VLAN", [this, &context] { tw::deleteVlan(context, deleteVlan->text()); });
    button(u"删除端口", [this, &context] {
        removeUplinkPort(context, {deleteVlan->text(), deleteBoard->text(), deletePort->currentText()});
    });
    endRow();

    auto *displays = new QGroupBox(this);
    auto *displayGrid = new QGridLayout(displays);
    int i = 0;
    for (const QueryEntry &e : uplinkDisplays()) {
        auto *b = new QPushButton(QString::fromUtf16(e.caption), displays);
        displayGrid->addWidget(b, i / 4, i % 4);
        displayButtons.append(b);
        connect(b, &QPushButton::clicked, this, [&context, &e] { runQuery(context, e); });
        ++i;
    }
    layout->addWidget(displays);
    layout->addStretch(1);
}

void UplinkTab::registerFields(StartupFields &fields) const {
    using namespace settings;
    fields.add(createVlan, CreateVlan);
    fields.add(passThroughBoard, PassThroughBoard);
    fields.add(createPort, CreatePort);
    fields.add(uplinkBoard, UplinkBoard);
    fields.add(uplinkPort, UplinkPort);
    fields.add(nativeVlan, NativeVlan);
}

} // namespace tw
