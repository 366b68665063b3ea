#include "response/AutoRegistration.h"

#include "common/ActivityLog.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "response/DiscoveryParser.h"

namespace tw {

QString autoAddScript(const WaitingOnt &ont, const SettingsStore &settings, const ActivityLog &log) {
    const bool gpon = ont.gpon;
    const qsizetype lastSlash = ont.port.lastIndexOf(QLatin1Char('/'));
    const QString board = lastSlash >= 0 ? ont.port.left(lastSlash) : QString();
    const QString ponPort = ont.port.mid(lastSlash + 1);
    const QString description = QLatin1Char('"') + log.dateText() + QLatin1Char('_') +
                                settings.read(settings::DefaultDescription) + QLatin1Char('"');
    return (gpon ? QStringLiteral("interface gpon ") : QStringLiteral("interface epon ")) + board +
           QStringLiteral("\r\nont add ") + ponPort + (gpon ? QStringLiteral(" sn-auth ") : QStringLiteral(" mac-auth ")) +
           ont.key + (gpon ? QStringLiteral(" omci") : QStringLiteral(" oam")) + QStringLiteral(" ont-lineprofile-id ") +
           settings.read(gpon ? settings::GponLineProfile : settings::EponLineProfile) +
           QStringLiteral(" ont-srvprofile-id ") +
           settings.read(gpon ? settings::GponServiceProfile : settings::EponServiceProfile) +
           QStringLiteral(" desc ") + description + QStringLiteral("\r\n\r\nquit\r\n");
}

QString autoAddLogLine(const WaitingOnt &ont, const SettingsStore &settings) {
    return (ont.gpon ? QStringLiteral("   自动注册GPON-ONT，注册到") : QStringLiteral("   自动注册EPON-ONT，注册到")) +
           ont.port + QStringLiteral(" 注册序列号：") + ont.key + QStringLiteral(" ONT 业务内层VLAN：") +
           settings.read(settings::ServiceInnerVlan, QStringLiteral("100"));
}

} // namespace tw
