#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QTabWidget;

namespace tw {

class StartupFields;

// Page 6: "基本配置" / "上行管理" / "风扇配置", the groups "其他" and "系统功能" and the
// backup/restore group.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    explicit SettingsPage(QWidget *parent = nullptr);
    // The IP and uplink rows (section 配置), then the switches of section 其他.
    void registerNetworkFields(StartupFields &fields) const;
    void registerSwitchFields(StartupFields &fields) const;

    QTabWidget *tabs;
    QWidget *basicTab, *uplinkTab, *fanTab;
    QGroupBox *otherGroup, *systemGroup, *backupGroup;

    // "基本配置": the IP group (METH, management VLAN, default route), security boxes, autosave.
    QGroupBox *ipGroup, *securityGroup, *autosaveGroup;
    QLineEdit *methIndex, *methIp, *methMask;
    QLineEdit *managementVlan, *managementIp, *managementMask;
    QLineEdit *routeIp, *routeMask, *routeGateway;
    QList<QCheckBox *> securityBoxes; // in the order of their keys
    QCheckBox *timedSaveBox, *intervalSaveBox;
    QLineEdit *saveTime, *saveInterval;

    // "上行管理": the VLAN-creation row and the native-VLAN row.
    QLineEdit *createVlan, *passThroughBoard;
    QComboBox *createPort;
    QLineEdit *uplinkBoard, *nativeVlan;
    QComboBox *uplinkPort;
};

} // namespace tw
