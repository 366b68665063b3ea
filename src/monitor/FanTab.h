#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tw {

struct PageContext;

// "风扇配置" of "基本设置": the fan tray's speed mode and level, alarm masks and displays.
class FanTab : public QWidget {
    Q_OBJECT
  public:
    FanTab(PageContext &context, QWidget *parent = nullptr);
    QComboBox *speedMode, *speedLevel;
    QPushButton *modeButton, *levelButton;
    QList<QCheckBox *> alarmBoxes;
    QList<QPushButton *> buttons; // 复位风扇 … 查询风扇配置参数
};

} // namespace tw
