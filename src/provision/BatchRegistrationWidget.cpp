#include "provision/BatchRegistrationWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tw {

BatchRegistrationWidget::BatchRegistrationWidget(PageContext &context, std::function<BatchFields()> topRow,
                                                 QWidget *parent)
    : QWidget(parent), topRow_(std::move(topRow)) {
    start = new QLineEdit(QStringLiteral("0"), this);
    count = new QLineEdit(QStringLiteral("1"), this);
    rule = new QLineEdit(QStringLiteral("G-(B)-(P)-(O)"), this);
    padding = new QCheckBox(QStringLiteral("编号补偿(自动补0)"), this);
    previewButton = new QPushButton(QStringLiteral("预览"), this);
    registerButton = new QPushButton(QStringLiteral("注册"), this);
    helpButton = new QPushButton(QStringLiteral("帮助"), this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("起始编号："), this), 0, 0);
    grid->addWidget(start, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("生成数量："), this), 0, 2);
    grid->addWidget(count, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("注册码规则："), this), 1, 0);
    grid->addWidget(rule, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("例如：G-(B)-(P)-(O)\r\nGPON-业务板-端口-ONT编号\r\n"
                                              "变量：(B)=业务板，(P)=端口，(O)=ONT编号\r\n\r\n"),
                               this),
                    2, 0, 1, 4);
    grid->addWidget(padding, 3, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(previewButton);
    buttons->addWidget(registerButton);
    buttons->addWidget(helpButton);
    grid->addLayout(buttons, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(previewButton, &QPushButton::clicked, this,
            [this, &context] { previewBatch(context, fields()); });
    connect(registerButton, &QPushButton::clicked, this,
            [this, &context] { registerBatch(context, fields()); });
}

BatchFields BatchRegistrationWidget::fields() const {
    BatchFields f = topRow_();
    f.start = start->text();
    f.count = count->text();
    f.rule = rule->text();
    f.padding = padding->isChecked();
    return f;
}

} // namespace tw
