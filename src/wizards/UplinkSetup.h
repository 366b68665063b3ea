#pragma once
// The VLAN and uplink rows of "上行管理": create a VLAN, add an uplink port to it ("透传"), set an
// uplink port's native VLAN, delete a VLAN, take an uplink port out of a VLAN. Fields come as
// typed; a drop-down list gives its current text.

#include "common/PageContext.h"

#include <QString>

namespace tw {

// "本参数属于高级功能，确实要更改？", asked before every change of the setup rows.
inline const QString AdvancedQuestion = QStringLiteral("本参数属于高级功能，确实要更改？");

struct VlanCreation {
    QString vlan;        // "创建VLAN："
    QString type;        // "类型：" (mux, standard, smart, super)
    QString attribute;   // "属性：" as listed: Common, QinQ, Stacking
    QString description; // "备注：", optional
};

// A VLAN and an uplink board and port ("0", "0-1", "all", … as the OLT takes them).
struct UplinkPortVlan {
    QString vlan, board, port;
};

struct NativeVlanSetting {
    QString board; // "NativeVLAN上行板号："
    QString port;  // "端口："
    QString vlan;  // "VLAN："
    QString type;  // "类型：" (giu, scu, mcu, eth, mpu)
};

// The CLI word of an attribute as listed; empty for anything else.
QString vlanAttributeWord(const QString &attribute);

// "创建": stores 创建VLAN once sent.
bool createVlan(PageContext &c, const VlanCreation &in);
// "透传": stores 透传 (the board) and 创建端口 once sent.
bool addUplinkPort(PageContext &c, const UplinkPortVlan &in);
// "设置" of the native-VLAN row: stores 默认上联板, 默认端口 and 默认VLAN once sent.
bool setNativeVlan(PageContext &c, const NativeVlanSetting &in);
// "删除VLAN": asks first, naming the VLAN; stores nothing.
bool deleteVlan(PageContext &c, const QString &vlan);
// "删除端口": stores nothing.
bool removeUplinkPort(PageContext &c, const UplinkPortVlan &in);

} // namespace tw
