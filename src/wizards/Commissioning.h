#pragma once
// The four buttons of "标准开局": "一键开局" (profiles and the outer service VLAN), "一键IPTV",
// "ONT互通" and "语音ARP Proxy". Fields come as typed.

#include "common/PageContext.h"

#include <QString>

namespace tw {

struct ProfileIds {
    QString gponLine, gponService; // "线路模板GPON：", "业务模板GPON："
    QString eponLine, eponService; // "线路模板EPON：", "业务模板EPON："
    QString gponDba, eponDba;      // "GPON DBA_ID：", "EPON DBA_ID："
};

struct CommissioningInput {
    ProfileIds profiles;
    QString maxBandwidth; // "最大带宽(MB)："
    QString dbaProfile;   // "DBA_模板ID："
    // The service group.
    QString outerVlan, uplinkBoard, uplinkPort, innerVlan, ethPorts;
    bool createOuterVlan = true; // "开启"
    bool qinq = false;
};

struct IptvInput {
    QString gponLine, gponService; // the profile IDs of the page
    // The IPTV group.
    QString vodOuterVlan, uplinkBoard, uplinkPort, vodInnerVlan, multicastVlan, ethPorts;
};

inline const QString CommissioningQuestion =
    QStringLiteral("本次操作属于首次使用，如果已经存在数据请先在基本设置复位OLT后在开局！确实要继续开局吗？");

// The DBA profile's maximum in kbit/s from the typed megabits: at least 51200.
int dbaMaxBandwidth(const QString &megabits);

// The scripts as sent, from fields that passed the checks.
QString commissioningScript(const CommissioningInput &in);
QString iptvScript(const IptvInput &in);

// Each refuses, naming the field, a profile ID or VLAN the template needs that is empty or not a
// number (a failed profile or multicast-VLAN line would leave the following lines and its "quit" to
// configuration mode). "一键开局" then asks; both store their VLAN keys of section 基本 once sent.
bool runCommissioning(PageContext &c, const CommissioningInput &in);
bool runIptv(PageContext &c, const IptvInput &in);

// Ask for the VLAN(s), send, and only once sent tell the operator to look at the console.
bool enableOntInterworking(PageContext &c);
bool enableVoiceArpProxy(PageContext &c);

} // namespace tw
