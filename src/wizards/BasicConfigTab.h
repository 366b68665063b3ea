#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tw {

struct PageContext;
class StartupFields;

// "基本配置" of "基本设置": the IP rows (METH, management VLAN, default route), the eight security
// switches and the two autosave switches.
class BasicConfigTab : public QWidget {
    Q_OBJECT
  public:
    BasicConfigTab(PageContext &context, QWidget *parent = nullptr);
    void registerNetworkFields(StartupFields &fields) const;
    void registerSwitchFields(StartupFields &fields) const;

    QGroupBox *ipGroup, *securityGroup, *autosaveGroup;
    QLineEdit *methIndex, *methIp, *methMask;
    QLineEdit *managementVlan, *managementIp, *managementMask;
    QLineEdit *routeIp, *routeMask, *routeGateway;
    QList<QPushButton *> ipButtons;   // "设置" of the three rows
    QList<QCheckBox *> securityBoxes; // in the order of their keys
    QCheckBox *timedSaveBox, *intervalSaveBox;
    QLineEdit *saveTime, *saveInterval;
};

} // namespace tw
