#include "admin/BackupGroupWidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tw {

BackupGroupWidget::BackupGroupWidget(PageContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("备份还原"), parent) {
    setObjectName(QStringLiteral("BackupGroup"));
    auto *grid = new QGridLayout(this);
    address = new QLineEdit(BackupFields().address, this);
    type = new QComboBox(this);
    type->addItems({QStringLiteral("配置文件"), QStringLiteral("数据库文件")});
    backupButton = new QPushButton(QStringLiteral("备份"), this);
    restoreButton = new QPushButton(QStringLiteral("还原"), this);
    activateButton = new QPushButton(QStringLiteral("激活"), this);
    grid->addWidget(new QLabel(QStringLiteral("TFTP地址："), this), 0, 0);
    grid->addWidget(address, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("操作类型："), this), 1, 0);
    grid->addWidget(type, 1, 1, 1, 2);
    grid->addWidget(backupButton, 2, 0);
    grid->addWidget(restoreButton, 2, 1);
    grid->addWidget(activateButton, 2, 2);
    connect(backupButton, &QPushButton::clicked, this, [this, &context] { backupToTftp(context, fields()); });
    connect(restoreButton, &QPushButton::clicked, this,
            [this, &context] { restoreFromTftp(context, fields()); });
    connect(activateButton, &QPushButton::clicked, this, [&context] { activateConfiguration(context); });
}

BackupFields BackupGroupWidget::fields() const {
    return {address->text(), type->currentIndex()};
}

} // namespace tw
