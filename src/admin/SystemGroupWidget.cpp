#include "admin/SystemGroupWidget.h"

#include "admin/SystemOperations.h"
#include "app/WidgetKitUi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tw {

SystemGroupWidget::SystemGroupWidget(PageContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("系统功能"), parent) {
    auto *grid = new QGridLayout(this);
    eraseButton = new QPushButton(QStringLiteral("复位"), this);
    rebootButton = new QPushButton(QStringLiteral("重启"), this);
    switchOverButton = new QPushButton(QStringLiteral("主备倒换"), this);
    systemName = new QLineEdit(QStringLiteral("MA5680T"), this);
    renameButton = new QPushButton(QStringLiteral("系统更名"), this);
    grid->addWidget(eraseButton, 0, 0);
    grid->addWidget(rebootButton, 0, 1);
    grid->addWidget(switchOverButton, 0, 2);
    grid->addWidget(systemName, 1, 0, 1, 2);
    grid->addWidget(renameButton, 1, 2);
    const auto run = [this, &context](QPushButton *b, SystemAction a) {
        connect(b, &QPushButton::clicked, this, [&context, a] { runSystemAction(context, a); });
    };
    run(eraseButton, SystemAction::EraseDatabase);
    run(rebootButton, SystemAction::Reboot);
    run(switchOverButton, SystemAction::SwitchOver);
    connect(renameButton, &QPushButton::clicked, this,
            [this, &context] { renameSystem(context, systemName->text()); });
}

OtherGroupWidget::OtherGroupWidget(PageContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("其他"), parent) {
    auto *row = new QHBoxLayout(this);
    idleMinutes = new QLineEdit(QStringLiteral("120"), this);
    idleMinutes->setMaximumWidth(60);
    setButton = new QPushButton(QStringLiteral("设置"), this);
    row->addWidget(captionAround(this, QStringLiteral("超时时间：          分钟"), idleMinutes));
    row->addWidget(setButton);
    row->addStretch(1);
    connect(setButton, &QPushButton::clicked, this,
            [this, &context] { setIdleTimeout(context, idleMinutes->text()); });
}

} // namespace tw
