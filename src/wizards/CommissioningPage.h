#pragma once

#include <QWidget>

class QGroupBox;
class QLineEdit;

namespace tw {

// Page 5: one-key commissioning, IPTV, voice and interworking.
class CommissioningPage : public QWidget {
    Q_OBJECT
  public:
    explicit CommissioningPage(QWidget *parent = nullptr);
    QGroupBox *commissioningGroup, *iptvGroup, *voiceGroup, *interworkingGroup;
    QLineEdit *serviceOuterVlan, *serviceInnerVlan;           // "业务外层：", "业务内层："
    QLineEdit *iptvOuterVlan, *iptvInnerVlan, *multicastVlan; // "点播外层：", "点播内层：", "组播VLAN："
};

} // namespace tw
