#include "response/AutoRegistration.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/SharedValues.h"
#include "response/DiscoveryParser.h"

namespace tw {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

QString portOf(const QString &text) {
    QString port = trimBlanks(textBetween(text, u"框/槽/端口", LineEnd));
    port.remove(QLatin1Char(':'));
    return removeBlanks(port);
}

} // namespace

void autoRegister(const QString &text, SharedValues &shared, const SettingsStore &settings, CommandSink &sink,
                  const ActivityLog &log) {
    const QString port = portOf(text);
    const QString sn = cleanOntKey(textBetween(text, u"ONT SN", LineEnd));
    const QString mac = cleanOntKey(textBetween(text, u"ONT MAC", LineEnd));
    const qsizetype lastSlash = port.lastIndexOf(QLatin1Char('/'));
    const QString board = lastSlash >= 0 ? port.left(lastSlash) : QString();
    const QString ponPort = port.mid(lastSlash + 1);

    shared.pendingAddPort = port;
    if (sn.isEmpty() && mac.isEmpty()) return;

    const bool gpon = !sn.isEmpty();
    const QString key = gpon ? sn : mac;
    shared.pendingAddKey = key;
    shared.ponKindFlag = gpon ? 1 : 0;
    shared.autoAddAwaited = 1;

    const QString description = QLatin1Char('"') + log.dateText() + QLatin1Char('_') +
                                settings.read(settings::DefaultDescription) + QLatin1Char('"');
    const QString script = (gpon ? QStringLiteral("interface gpon ") : QStringLiteral("interface epon ")) +
                           board + LineEnd + QStringLiteral("ont add ") + ponPort +
                           (gpon ? QStringLiteral(" sn-auth ") : QStringLiteral(" mac-auth ")) + key +
                           (gpon ? QStringLiteral(" omci") : QStringLiteral(" oam")) +
                           QStringLiteral(" ont-lineprofile-id ") +
                           settings.read(gpon ? settings::GponLineProfile : settings::EponLineProfile) +
                           QStringLiteral(" ont-srvprofile-id ") +
                           settings.read(gpon ? settings::GponServiceProfile : settings::EponServiceProfile) +
                           QStringLiteral(" desc ") + description + QStringLiteral("\r\n\r\nquit\r\n");
    sink.send(script);
    log.write((gpon ? QStringLiteral("   自动注册GPON-ONT，注册到")
                    : QStringLiteral("   自动注册EPON-ONT，注册到")) +
              port + QStringLiteral(" 注册序列号：") + key + QStringLiteral(" ONT 业务内层VLAN：") +
              settings.read(settings::ServiceInnerVlan, QStringLiteral("100")));
}

} // namespace tw
