#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tw {
class StartupFields;
}

namespace tw {

struct CommissioningInput;
struct IptvInput;
struct PageContext;

// Page 5: one-key commissioning, IPTV, voice and interworking.
class CommissioningPage : public QWidget {
    Q_OBJECT
  public:
    explicit CommissioningPage(PageContext &context, QWidget *parent = nullptr);
    // The fields this page restores at start-up and stores as they are edited.
    void registerStartupFields(StartupFields &fields) const;
    // The fields as the flows take them; the ETH port lists are shown with half-width commas first.
    CommissioningInput commissioningInput();
    IptvInput iptvInput();

    QGroupBox *commissioningGroup, *iptvGroup, *voiceGroup, *interworkingGroup;
    QGroupBox *dbaGroup, *serviceGroup;
    // Profile IDs: "线路模板GPON：", "业务模板GPON：", "线路模板EPON：", "业务模板EPON：",
    // "GPON DBA_ID：", "EPON DBA_ID：".
    QLineEdit *gponLineProfile, *gponServiceProfile, *eponLineProfile, *eponServiceProfile;
    QLineEdit *gponDba, *eponDba;
    QComboBox *maxBandwidth; // "最大带宽(MB)："
    QLineEdit *dbaProfile;   // "DBA_模板ID："
    // Service group.
    QLineEdit *serviceOuterVlan, *serviceInnerVlan; // "业务外层：", "业务内层："
    QLineEdit *serviceUplinkBoard, *serviceEthPorts;
    QComboBox *serviceUplinkPort;
    QCheckBox *createOuterVlanBox, *qinqBox; // "开启", "qinq"
    // IPTV group.
    QLineEdit *iptvOuterVlan, *iptvInnerVlan, *multicastVlan; // "点播外层：", "点播内层：", "组播VLAN："
    QLineEdit *iptvUplinkBoard, *iptvEthPorts;
    QComboBox *iptvUplinkPort;
    QPushButton *commissionButton, *iptvButton, *arpProxyButton, *interworkingButton;
};

} // namespace tw
