#pragma once

#include "admin/BackupOperations.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tw {

struct PageContext;

// The backup group of "基本设置": the TFTP address, the file kind, "备份", "还原", "激活".
class BackupGroupWidget : public QGroupBox {
    Q_OBJECT
  public:
    BackupGroupWidget(PageContext &context, QWidget *parent = nullptr);
    BackupFields fields() const;

    QLineEdit *address;
    QComboBox *type; // "配置文件", "数据库文件"
    QPushButton *backupButton, *restoreButton, *activateButton;
};

} // namespace tw
