#pragma once
// The three rows of the IP group on "基本配置": the management Ethernet interface (METH), the
// management VLAN interface and the static default route.

#include "common/PageContext.h"

#include <QString>

namespace tw {

enum class IpRow { Meth, ManagementVlan, DefaultRoute };

// The row's three fields in their order: METH index, address, mask; management VLAN, address,
// mask; destination, mask, gateway.
struct IpRowFields {
    QString first, second, third;
};

// "设置" of a row: every field is required; asks, sends, and stores the row's three keys of
// section 配置 once sent.
bool applyIpRow(PageContext &c, IpRow row, const IpRowFields &in);

} // namespace tw
