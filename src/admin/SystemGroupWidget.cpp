#include "admin/SystemGroupWidget.h"

#include "admin/OntDataExtraction.h"
#include "admin/SystemOperations.h"
#include "widgets/WidgetKit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    auto *rows = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    idleMinutes = new QLineEdit(QStringLiteral("120"), this);
    idleMinutes->setMaximumWidth(60);
    setButton = new QPushButton(QStringLiteral("设置"), this);
    row->addWidget(captionAround(this, QStringLiteral("超时时间：          分钟"), idleMinutes));
    row->addWidget(setButton);
    row->addStretch(1);
    rows->addLayout(row);
    extractButton = new QPushButton(QStringLiteral("提取所有ONT数据(需提前备份OLT)"), this);
    rows->addWidget(extractButton);
    connect(setButton, &QPushButton::clicked, this,
            [this, &context] { setIdleTimeout(context, idleMinutes->text()); });
    connect(extractButton, &QPushButton::clicked, this,
            [&context] { extractAllOntData(context, runDirectoryOf(context)); });
}

} // namespace tw
