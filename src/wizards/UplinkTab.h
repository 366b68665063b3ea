#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tw {

struct PageContext;
class StartupFields;

// "上行管理" of "基本设置": create a VLAN, add an uplink port to it, set an uplink port's native
// VLAN, delete a VLAN or an uplink port from one; below, the uplink and VLAN displays.
class UplinkTab : public QWidget {
    Q_OBJECT
  public:
    UplinkTab(PageContext &context, QWidget *parent = nullptr);
    void registerFields(StartupFields &fields) const;

    // Create row.
    QLineEdit *createVlan, *description, *passThroughBoard;
    QComboBox *vlanType, *vlanAttribute, *createPort;
    // Native-VLAN row.
    QLineEdit *uplinkBoard, *nativeVlan;
    QComboBox *uplinkPort, *uplinkType;
    // Delete row.
    QLineEdit *deleteVlan, *deleteBoard;
    QComboBox *deletePort;
    QList<QPushButton *> buttons;        // 创建, 透传, 设置, 删除VLAN, 删除端口
    QList<QPushButton *> displayButtons; // the lower group
};

} // namespace tw
