#include "response/AutoMove.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Gbk.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/SharedValues.h"

#include <algorithm>
#include <utility>

namespace tw {

namespace {

const QString BySn = QStringLiteral("isplay ont info by-sn");
const QString ByMac = QStringLiteral("isplay ont info by-mac");
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

QString queriedKey(QStringView text) {
    for (const QString &echo : {BySn, ByMac}) {
        const qsizetype at = text.indexOf(echo);
        if (at < 0) continue;
        QStringView rest = text.mid(at + echo.size());
        const qsizetype end = rest.indexOf(u'\n');
        if (end >= 0) rest = rest.left(end);
        return trimBlanks(rest.toString().remove(u'\r'));
    }
    return {};
}

void AutoMove::searchReply(const QString &text, QByteArrayView output) {
    // Only the answer to the console's own location query may delete anything.
    const QString key = queriedKey(text);
    if (shared_.moveQueryKey.isEmpty() || key.compare(shared_.moveQueryKey, Qt::CaseInsensitive) != 0) return;
    shared_.moveQueryKey.clear();

    if (!settings_.isOn(settings::AutoMove)) return;
    if (!settings_.isOn(settings::Iptv)) {
        runMove(text);
        return;
    }
    if (iptvFirstStep(text)) {
        shared_.moveStash = output.toByteArray();
        shared_.moveStashReady = 1;
    }
}

void AutoMove::iptvCleanup(const QString &text) {
    shared_.iptvCleanupPending = 0;
    shared_.cleanupListing.clear();
    removeMulticastUsers(text);
    // An ONT deletion waiting for its multicast users to go: now the OLT takes it.
    const QString deletion = std::exchange(shared_.deletionAfterCleanup, QString());
    const QString logText = std::exchange(shared_.deletionLog, QString());
    if (!deletion.isEmpty() && sink_.send(deletion)) log_.write(logText);
}

void AutoMove::iptvCleanupWithMove(const QString &text) {
    shared_.iptvCleanupPending = 0;
    shared_.cleanupListing.clear();
    removeMulticastUsers(text);
    // The old registration goes whether or not it had a multicast user, and only once.
    runMove(fromGbk(untilNul(shared_.moveStash)));
    shared_.moveStashReady = 0;
    shared_.moveStash.clear();
}

int AutoMove::removeMulticastUsers(const QString &text) {
    const QString iptvVlan = settings_.read(settings::IptvOuterVlan, QString());
    int removed = 0;
    for (const QString &line : lines(text)) {
        if (!line.contains(QStringLiteral("common"))) continue;
        const QStringList words = QString(line).replace(QChar(0x3000), u' ').split(u' ', Qt::SkipEmptyParts);
        if (words.size() < 6 || words[1] != iptvVlan) continue;
        sink_.send(QStringLiteral("btv\r\nigmp user delete service-port ") + words[0] +
                   QStringLiteral("\r\ny\r\nquit\r\n"));
        ++removed;
    }
    return removed;
}

void AutoMove::runMove(const QString &text) {
    if (text.contains(BySn))
        gponMove(text);
    else if (text.contains(ByMac))
        eponMove(text);
}

void AutoMove::gponMove(const QString &text) {
    const QStringList e = ontInfoEntries(text, {PortLabel, IdLabel, QStringLiteral("序列号")});
    if (e.size() < 3) return;
    QString script;
    for (const QString &g : splitCommaList(settings_.read(settings::GemPort)))
        script += QStringLiteral("undo service-port port ") + e[0] + QStringLiteral(" ont ") + e[1] +
                  QStringLiteral(" gemport ") + g + QStringLiteral("\r\n\r\ny\r\n\r\n");
    script += QStringLiteral("interface gpon ") + boardOf(e[0]) + QStringLiteral("\r\nont delete ") +
              portOf(e[0]) + u' ' + e[1] + QStringLiteral("\r\nquit\r\n");
    sink_.send(script);
    log_.write(QStringLiteral("   GPON移机删除成功，已删除 ") + e[0] + QStringLiteral(" ONT号：") + e[1] +
               QStringLiteral(" SN：") + e[2] + QStringLiteral(" 的ONT设备"));
}

void AutoMove::eponMove(const QString &text) {
    const QStringList e = ontInfoEntries(text, {PortLabel, IdLabel, QStringLiteral("MAC地址")});
    if (e.size() < 3) return;
    sink_.send(QStringLiteral("undo service-port port ") + e[0] + QStringLiteral(" ont ") + e[1] +
               QStringLiteral("\r\n\r\ny\r\n\r\ninterface epon ") + boardOf(e[0]) +
               QStringLiteral("\r\nont delete ") + portOf(e[0]) + u' ' + e[1] +
               QStringLiteral("\r\nquit\r\n"));
    log_.write(QStringLiteral("   EPON移机删除成功，已删除 ") + e[0] + QStringLiteral(" ONT号：") + e[1] +
               QStringLiteral(" MAC：") + e[2] + QStringLiteral(" 的ONT设备"));
}

bool AutoMove::iptvFirstStep(const QString &text) {
    const QStringList e = ontInfoEntries(text, {PortLabel, IdLabel});
    if (e.size() < 2) return false;
    const QString listing =
        QStringLiteral("display service-port port ") + e[0] + QStringLiteral(" ont ") + e[1];
    sink_.send(listing + QStringLiteral("\r\n\r\n"));
    shared_.iptvCleanupPending = 1;
    shared_.cleanupListing = listing;
    log_.write(QStringLiteral("  IPTV组播移机删除成功，已删除 ") + e[0] + QStringLiteral(" ONT号：") + e[1] +
               QStringLiteral(" 的ONT设备"));
    return true;
}

} // namespace tw
