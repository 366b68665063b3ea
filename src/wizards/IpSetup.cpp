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
    bool numberedMode; // the first field enters an interface mode, so it must be a number
    QString question;
};

RowShape shapeOf(IpRow row) {
    using namespace settings;
    switch (row) {
    case IpRow::Meth:
        return {{u"METH接口索引", u"设置IP地址", u"子网掩码"},
                {&MethIndex, &MethIp, &MethMask},
                true,
                QStringLiteral("本参数属于高级功能，更改后需重新配置登录参数，确实要更改？")};
    case IpRow::ManagementVlan:
        return {{u"管理VLAN", u"设置IP地址", u"子网掩码"},
                {&ManagementVlan, &ManagementIp, &ManagementMask},
                true,
                AdvancedQuestion};
    case IpRow::DefaultRoute:
        break;
    }
    return {{u"默认路由IP地址", u"子网掩码", u"网关地址"},
            {&DefaultRouteIp, &DefaultRouteMask, &DefaultGateway},
            false,
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
    const auto name = [&shape](int i) { return QString::fromUtf16(shape.names[i]); };
    if (!requireFilled(c.op, {in.first, in.second, in.third})) return false;
    if (!acceptFields(c.op, {{in.first, name(0)}, {in.second, name(1)}, {in.third, name(2)}})) return false;
    if (shape.numberedMode && !acceptNumbers(c.op, {{in.first, name(0)}})) return false;
    if (!c.op.askOkCancel(shape.question)) return false;
    if (!sendOrTell(c.sink, c.op, scriptOf(row, in))) return false;
    const QString values[] = {in.first, in.second, in.third};
    for (int i = 0; i < 3; ++i)
        c.settings.write(*shape.keys[i], values[i]);
    return true;
}

} // namespace tw
