#pragma once
// The script workbench of "ONU 注册": OLT-side registration, management-IP and service-flow lines
// and ONU-side (MDU) configuration, composed for the operator to check and paste into the command
// entry. Only "获取序列号" sends anything.

#include "common/PageContext.h"

#include <QString>

#include <optional>

namespace tw {

class Operator;

// The tab's top row and its "OLT侧" fields.
struct OltSideFields {
    QString frame, slot, port;
    bool snmp = true; // "管理模式：" SNMP; OMCI otherwise
    bool gpon = true; // "单板类型：" GPON; EPON otherwise
    QString lineProfile, serviceProfile;
    QString ip, mask, gateway, managementVlan;
    QString serial, ontId, description;
    QString svlan, uvlan, cvlan, gemPort;
    bool qinq = false; // "QINQ  SVLAN.CVLAN"
};

// The "ONU侧" fields.
struct OnuSideFields {
    QString ip, user, password;
    QString vlan, uplinkBoard, uplinkPort;
    QString serviceBoard, portRange, uvlan;
    bool bridging = false; // "使能二层互通"
    QString templateId, bridgingVlans;
};

// Each gives the text for the preview pane, or nullopt after a notice when a field is missing or
// holds what the CLI cannot take. Typed values never add lines of their own.

// "生成注册" (replaces the pane).
std::optional<QString> registrationScript(Operator &op, const OltSideFields &f);
// "追加管理IP" (appended to the pane).
std::optional<QString> managementIpScript(Operator &op, const OltSideFields &f);
// "追加业务流" (appended to the pane).
std::optional<QString> serviceFlowScript(Operator &op, const OltSideFields &f);

// "业务流A类" (service-port per Ethernet port range) and "业务流B类" (multi-service-port);
// both replace the pane.
enum class OnuFlowStyle { A, B };
std::optional<QString> onuSideScript(Operator &op, const OnuSideFields &f, OnuFlowStyle style);

// "获取序列号": the port's autofind list, for the kind of the board-type selector, which it also
// makes the program-wide PON kind so that the reply's key (SN or MAC) reaches the serial box.
// True when the query was sent.
bool fetchGeneratorSerial(PageContext &c, const OltSideFields &f);

} // namespace tw
