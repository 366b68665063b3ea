#include "response/AutoMove.h"

#include "common/SettingsStore.h"
#include "common/Text.h"

#include <algorithm>

namespace tw {

namespace {

const QString PortLabel = QStringLiteral("框/槽/端口");
const QString IdLabel = QStringLiteral("ONT编号");

QStringList lines(QStringView text) {
    QStringList out;
    for (QStringView line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        out << line.toString();
    }
    return out;
}

// "0/1/0" -> board "0/1", PON port "0".
QString boardOf(const QString &ponPort) {
    return ponPort.left(ponPort.lastIndexOf(u'/'));
}
QString portOf(const QString &ponPort) {
    return ponPort.mid(ponPort.lastIndexOf(u'/') + 1);
}

QStringList words(const QString &line) {
    return QString(line).replace(QChar(0x3000), u' ').split(u' ', Qt::SkipEmptyParts);
}

} // namespace

QStringList ontInfoEntries(QStringView text, const QStringList &labels) {
    QStringList entries;
    for (const QString &line : lines(text)) {
        const bool entry =
            std::any_of(labels.begin(), labels.end(), [&](const QString &l) { return line.contains(l); });
        if (entry) entries << removeBlanks(QStringView(line).mid(line.lastIndexOf(u':') + 1));
    }
    return entries;
}

std::optional<OntLocation> locationFrom(QStringView infoReply, bool gpon) {
    const QStringList e =
        ontInfoEntries(infoReply, {PortLabel, IdLabel, gpon ? QStringLiteral("序列号") : QStringLiteral("MAC地址")});
    if (e.size() < 3 || e[0].count(u'/') != 2 || e[1].isEmpty()) return std::nullopt;
    return OntLocation{e[0], e[1], e[2]};
}

QString locationQuery(const QString &key, bool gpon) {
    return (gpon ? QStringLiteral("display ont info by-sn ") : QStringLiteral("display ont info by-mac ")) + key +
           QStringLiteral("\r\n");
}

QString servicePortListing(const OntLocation &at) {
    return QStringLiteral("display service-port port ") + at.port + QStringLiteral(" ont ") + at.id;
}

QStringList multicastUserDeletions(QStringView listing, const SettingsStore &settings) {
    const QString iptvVlan = settings.read(settings::IptvOuterVlan, QString());
    QStringList scripts;
    for (const QString &line : lines(listing)) {
        if (!line.contains(QStringLiteral("common"))) continue;
        const QStringList w = words(line);
        if (w.size() < 6 || w[1] != iptvVlan) continue;
        scripts << QStringLiteral("btv\r\nigmp user delete service-port ") + w[0] + QStringLiteral("\r\ny\r\nquit\r\n");
    }
    return scripts;
}

bool listsServicePorts(QStringView listing) {
    for (const QString &line : lines(listing)) {
        const QStringList w = words(line);
        if (line.contains(QStringLiteral("common")) && w.size() >= 6) return true;
    }
    return false;
}

QString moveDeletionScript(const OntLocation &at, bool gpon, const SettingsStore &settings) {
    if (!gpon)
        return QStringLiteral("undo service-port port ") + at.port + QStringLiteral(" ont ") + at.id +
               QStringLiteral("\r\n\r\ny\r\n\r\ninterface epon ") + boardOf(at.port) + QStringLiteral("\r\nont delete ") +
               portOf(at.port) + u' ' + at.id + QStringLiteral("\r\nquit\r\n");
    QString script;
    for (const QString &g : splitCommaList(settings.read(settings::GemPort)))
        script += QStringLiteral("undo service-port port ") + at.port + QStringLiteral(" ont ") + at.id +
                  QStringLiteral(" gemport ") + g + QStringLiteral("\r\n\r\ny\r\n\r\n");
    script += QStringLiteral("interface gpon ") + boardOf(at.port) + QStringLiteral("\r\nont delete ") +
              portOf(at.port) + u' ' + at.id + QStringLiteral("\r\nquit\r\n");
    return script;
}

QString moveLogLine(const OntLocation &at, bool gpon) {
    return (gpon ? QStringLiteral("   GPON移机删除成功，已删除 ") : QStringLiteral("   EPON移机删除成功，已删除 ")) +
           at.port + QStringLiteral(" ONT号：") + at.id + (gpon ? QStringLiteral(" SN：") : QStringLiteral(" MAC：")) +
           at.key + QStringLiteral(" 的ONT设备");
}

} // namespace tw
