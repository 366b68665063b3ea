#pragma once

#include <QGroupBox>

class QLineEdit;
class QPushButton;

namespace tw {

struct PageContext;

// "系统功能" of "基本设置": erase the database, reboot, switch over, rename the system.
class SystemGroupWidget : public QGroupBox {
    Q_OBJECT
  public:
    SystemGroupWidget(PageContext &context, QWidget *parent = nullptr);
    QPushButton *eraseButton, *rebootButton, *switchOverButton, *renameButton;
    QLineEdit *systemName;
};

// "其他" of "基本设置": the CLI idle time-out and the extraction of the ONTs of a backup.
class OtherGroupWidget : public QGroupBox {
    Q_OBJECT
  public:
    OtherGroupWidget(PageContext &context, QWidget *parent = nullptr);
    QLineEdit *idleMinutes;
    QPushButton *setButton;
    QPushButton *extractButton; // "提取所有ONT数据(需提前备份OLT)"
};

} // namespace tw
