#include "response/AddReply.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/SharedValues.h"

#include <QStringList>

namespace tw {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

QString afterLastSlash(const QString &text) {
    return text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
}

QStringList blankSeparated(QStringView text) {
    QStringList words;
    QString word;
    for (QChar c : text) {
        if (isBlank(c)) {
            if (!word.isEmpty()) words << word;
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.isEmpty()) words << word;
    return words;
}

// Replaces the first remaining occurrences of 递增数值k by consecutive counter values and advances
// the stored counter. Returns the counter text as read, or a null string when k is not used.
QString applyCounter(QString &script, int k, SettingsStore &settings) {
    const QString placeholder = settings::counterKey(u"递增数值", k);
    if (!script.contains(placeholder, Qt::CaseInsensitive)) return {};
    const QString baseText = settings.read(settings::counter(k));
    const qint64 base = leadingInt64(baseText); // a stored counter may be past the int range
    const int count = leadingInt(settings.read(settings::counterLimit(k)));
    for (int j = 0; j < count; ++j) {
        const qsizetype at = script.indexOf(placeholder, 0, Qt::CaseInsensitive);
        if (at < 0) break;
        script.replace(at, placeholder.size(), QString::number(base + j));
    }
    if (count != 0) settings.write(settings::counter(k), QString::number(base + count));
    return baseText.isNull() ? QStringLiteral("") : baseText;
}

} // namespace

AddEcho parseAddEcho(const QString &line) {
    AddEcho echo;
    for (const auto kind : {u"-if-gpon-", u"-if-epon-"}) {
        const QString board = textBetween(line, kind, u")");
        if (!board.isEmpty()) echo.board = board;
    }
    const qsizetype at = line.indexOf(QStringLiteral("nt add "));
    if (at < 0) return echo;
    const QStringList words = blankSeparated(QStringView(line).mid(at + 7));
    if (!words.isEmpty()) echo.ponPort = words.first();
    for (qsizetype i = 1; i + 1 < words.size(); ++i) {
        // A batch registers by LOID or password, possibly in double quotes.
        static const QStringList auth = {QStringLiteral("sn-auth"), QStringLiteral("mac-auth"),
                                         QStringLiteral("loid-auth"), QStringLiteral("password-auth")};
        if (auth.contains(words[i], Qt::CaseInsensitive)) {
            QString key = words[i + 1];
            // A quoted key may hold blanks: it runs to the word that closes the quote.
            for (qsizetype j = i + 2;
                 key.startsWith(u'"') && (key.size() < 2 || !key.endsWith(u'"')) && j < words.size(); ++j)
                key += u' ' + words[j];
            if (key.size() >= 2 && key.startsWith(u'"') && key.endsWith(u'"'))
                key = key.mid(1, key.size() - 2);
            echo.key = key;
            break;
        }
    }
    return echo;
}

void handleAddReply(const QString &text, SharedValues &shared, SettingsStore &settings, CommandSink &sink,
                    const ActivityLog &log, const AddReplyFields &fields) {
    const bool autoMove = settings.isOn(settings::AutoMove);
    const bool serviceFlows = settings.isOn(settings::AutoServiceFlows);
    const bool gpon = shared.ponKindFlag == 1;
    QString script;

    // The lines after an echo answer that echo's registration. Only the automatic registration's
    // own reply may start a move: its failed attempt is what names the ONT to be moved.
    AddEcho echo;
    bool automatic = false;
    for (const QString &line : text.split(LineEnd)) {
        if (line.contains(QStringLiteral("nt add "))) {
            const AddEcho next = parseAddEcho(line);
            // After a "{ <cr>|… }" prompt the OLT repeats the command under "Command:": the same
            // registration, not a new one.
            const bool repeated = automatic && next.key == echo.key;
            echo = next;
            automatic = repeated || (shared.autoAddAwaited == 1 && !echo.key.isEmpty() &&
                                     echo.key == shared.pendingAddKey);
            if (automatic) shared.autoAddAwaited = 0;
        }

        if (autoMove && automatic) {
            // The location reply may move (delete) only the ONT this query names.
            if (line.contains(QStringLiteral("序列码已经存在"), Qt::CaseInsensitive)) {
                shared.moveQueryKey = shared.pendingAddKey;
                sink.send(QStringLiteral("display ont info by-sn ") + shared.pendingAddKey + LineEnd);
            }
            if (line.contains(QStringLiteral("MAC地址已存在"), Qt::CaseInsensitive)) {
                shared.moveQueryKey = shared.pendingAddKey;
                sink.send(QStringLiteral("display ont info by-mac ") + shared.pendingAddKey + LineEnd);
            }
        }

        if (!serviceFlows || !line.contains(QStringLiteral("ONT号"), Qt::CaseInsensitive)) continue;

        const QString &pending = shared.pendingAddPort;
        const QString slot = textBetween(pending, u"0/", u"/");
        const QString ponPort = afterLastSlash(pending);
        const QString slotPort = textBetween(QString(pending + LineEnd), u"/", LineEnd);
        const QString ontId = textBetween(QString(line + LineEnd), u"ONT号 :", LineEnd);
        QString outerVlan = settings.read(settings::portVlan(slotPort));
        if (outerVlan.isEmpty()) outerVlan = settings.read(settings::ServiceOuterVlan);
        const QString innerVlan = settings.read(settings::ServiceInnerVlan);

        // This ONT's part of the script; built apart so that nothing left unreplaced in an earlier
        // ONT's part is filled with a later ONT's values.
        QString part;
        const QString defaults =
            settings.read(gpon ? settings::GponDefaultLines : settings::EponDefaultLines);
        const QString flows = settings.read(gpon ? settings::GponServiceFlows : settings::EponServiceFlows);
        const QString interface =
            gpon ? QStringLiteral("interface gpon ") : QStringLiteral("interface epon ");
        if (fields.autoRegisterTicked) {
            if (!defaults.isEmpty())
                part +=
                    interface + QStringLiteral("0/槽号\r\n") + defaults + QStringLiteral("\r\n\r\nquit\r\n");
            part += flows + QStringLiteral("\r\n\r\n");
        } else {
            if (!defaults.isEmpty())
                part += interface + fields.frame + QLatin1Char('/') + fields.board + LineEnd + defaults +
                        QStringLiteral("\r\n\r\nquit\r\n");
            part += flows + QStringLiteral("\r\n\r\n");
            part.replace(QStringLiteral("槽号"), fields.board);
            part.replace(QStringLiteral("端口号"), fields.port);
            part.replace(QStringLiteral("业务内层"), fields.serviceVlan);
            part.replace(QStringLiteral("业务外层"), fields.outerVlan);
        }

        QString lastCounter;
        for (int k = 1; k <= 4; ++k) {
            const QString read = applyCounter(part, k, settings);
            if (!read.isNull()) lastCounter = read;
        }

        part.replace(QStringLiteral("槽号"), slot);
        part.replace(QStringLiteral("端口号"), ponPort);
        part.replace(QStringLiteral("编号"), ontId);
        part.replace(QStringLiteral("业务外层"), outerVlan);
        part.replace(QStringLiteral("业务内层"), innerVlan);
        script += part;

        // The log names the ONT this reply registered: for a registration the automatic one did
        // not send, that is the echo's ONT and the values typed on the registration tab.
        QString logSlot = slot, logPort = ponPort, logKey = shared.pendingAddKey;
        QString logOuter = outerVlan, logInner = innerVlan;
        if (!automatic) {
            logKey = echo.key;
            if (!fields.autoRegisterTicked) {
                logSlot = fields.board;
                logPort = fields.port;
                logOuter = fields.outerVlan;
                logInner = fields.serviceVlan;
            }
            if (!echo.board.isEmpty()) logSlot = afterLastSlash(echo.board);
            if (!echo.ponPort.isEmpty()) logPort = echo.ponPort;
        }
        log.write(QStringLiteral("   自动注册ONT业务流，注册到OLT，槽位号： ") + logSlot +
                  QStringLiteral("，端口号：") + logPort + QStringLiteral("，注册序列号：") + logKey +
                  QStringLiteral("，ONT编号：") + ontId + QStringLiteral("，业务外层：") + logOuter +
                  QStringLiteral("，业务内层：") + logInner + QStringLiteral("，inner-vlan：") + lastCounter);
    }

    script += QStringLiteral("\r\n\r\n           \r\n\r\n");
    if (settings.isOn(settings::Iptv)) script += settings.read(settings::BtvLines) + LineEnd;
    script.replace(QStringLiteral("点播外层"), settings.read(settings::IptvOuterVlan, QString()));
    script.replace(QStringLiteral("点播内层"), settings.read(settings::IptvInnerVlan, QString()));
    script.replace(QStringLiteral("组播VLAN"), settings.read(settings::MulticastVlan, QString()));
    script.replace(QLatin1Char('#'), LineEnd);
    sink.send(script);
}

} // namespace tw
