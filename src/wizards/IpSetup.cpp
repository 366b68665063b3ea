#include "wizards/IpSetup.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "wizards/FormChecks.h"
#include "wizards/UplinkSetup.h"

namespace tw {

namespace {

struct RowShape {
    const char16_t *names[3]; // the fields as the operator knows them
    const Setting *keys[3];
    FieldKind first; // the first field; an interface index or VLAN enters its mode with it
    QString question;
};

RowShape shapeOf(IpRow row) {
    using namespace settings;
    switch (row) {
    case IpRow::Meth:
        return {{u"METH接口索引", u"设置IP地址", u"子网掩码"},
                {&MethIndex, &MethIp, &MethMask},
                FieldKind::Number,
                QStringLiteral("本参数属于高级功能，更改后需重新配置登录参数，确实要更改？")};
    case IpRow::ManagementVlan:
        return {{u"管理VLAN", u"设置IP地址", u"子网掩码"},
                {&ManagementVlan, &ManagementIp, &ManagementMask},
                FieldKind::Vlan,
                AdvancedQuestion};
    case IpRow::DefaultRoute:
        break;
    }
    return {{u"默认路由IP地址", u"子网掩码", u"网关地址"},
            {&DefaultRouteIp, &DefaultRouteMask, &DefaultGateway},
            FieldKind::Ipv4,
            AdvancedQuestion};
}

QString scriptOf(IpRow row, const IpRowFields &in) {
    switch (row) {
    case IpRow::Meth:
        // The index follows "meth" directly; the interface mode is left like every other.
        return QStringLiteral("interface meth") + in.first + QStringLiteral("\r\nip address ") + in.second +
               u' ' + in.third + QStringLiteral(" description Telnet\r\nquit\r\n");
    case IpRow::ManagementVlan:
        return QStringLiteral("interface vlanif ") + in.first + QStringLiteral("\r\nip address ") +
               in.second + u' ' + in.third + QStringLiteral(" description ManageVlan\r\nquit\r\n");
    case IpRow::DefaultRoute:
        break;
    }
    return QStringLiteral("ip route-static ") + in.first + u' ' + in.second + u' ' + in.third +
           QStringLiteral(" description DefaultRoute\r\n");
}

} // namespace

bool applyIpRow(PageContext &c, IpRow row, const IpRowFields &in) {
    const RowShape shape = shapeOf(row);
    if (!requireFilled(c.op, {in.first, in.second, in.third})) return false;
    if (!checkFields(c.op, {{in.first, shape.names[0], shape.first},
                            {in.second, shape.names[1], FieldKind::Ipv4},
                            {in.third, shape.names[2], FieldKind::Ipv4}}))
        return false;
    if (!c.op.askOkCancel(shape.question)) return false;
    if (!sendOrTell(c.sink, c.op, scriptOf(row, in))) return false;
    const QString values[] = {in.first, in.second, in.third};
    for (int i = 0; i < 3; ++i)
        c.settings.write(*shape.keys[i], values[i]);
    return true;
}

} // namespace tw
