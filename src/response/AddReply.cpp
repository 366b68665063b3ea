#include "response/AddReply.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "common/Text.h"

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

QString serviceFlowPart(const FlowTarget &ont, SettingsStore &settings, const AddReplyFields *typed,
                        QString &logLine) {
    const QString slot = afterLastSlash(ont.board);
    const QString slotPort = slot + QLatin1Char('/') + ont.ponPort;
    QString outerVlan = settings.read(settings::portVlan(slotPort));
    if (outerVlan.isEmpty()) outerVlan = settings.read(settings::ServiceOuterVlan);
    const QString innerVlan = settings.read(settings::ServiceInnerVlan);

    // This ONT's part of the script; built apart so that nothing left unreplaced in an earlier
    // ONT's part is filled with a later ONT's values.
    QString part;
    const QString defaults = settings.read(ont.gpon ? settings::GponDefaultLines : settings::EponDefaultLines);
    const QString flows = settings.read(ont.gpon ? settings::GponServiceFlows : settings::EponServiceFlows);
    const QString interface = ont.gpon ? QStringLiteral("interface gpon ") : QStringLiteral("interface epon ");
    if (!typed) {
        if (!defaults.isEmpty())
            part += interface + QStringLiteral("0/槽号\r\n") + defaults + QStringLiteral("\r\n\r\nquit\r\n");
        part += flows + QStringLiteral("\r\n\r\n");
    } else {
        if (!defaults.isEmpty())
            part += interface + ont.board + LineEnd + defaults + QStringLiteral("\r\n\r\nquit\r\n");
        part += flows + QStringLiteral("\r\n\r\n");
        part.replace(QStringLiteral("槽号"), slot);
        part.replace(QStringLiteral("端口号"), ont.ponPort);
        part.replace(QStringLiteral("业务内层"), typed->serviceVlan);
        part.replace(QStringLiteral("业务外层"), typed->outerVlan);
    }

    QString lastCounter;
    for (int k = 1; k <= 4; ++k) {
        const QString read = applyCounter(part, k, settings);
        if (!read.isNull()) lastCounter = read;
    }

    part.replace(QStringLiteral("槽号"), slot);
    part.replace(QStringLiteral("端口号"), ont.ponPort);
    part.replace(QStringLiteral("编号"), ont.ontId);
    part.replace(QStringLiteral("业务外层"), outerVlan);
    part.replace(QStringLiteral("业务内层"), innerVlan);

    const QString logOuter = typed ? typed->outerVlan : outerVlan;
    const QString logInner = typed ? typed->serviceVlan : innerVlan;
    logLine = QStringLiteral("   自动注册ONT业务流，注册到OLT，槽位号： ") + slot + QStringLiteral("，端口号：") +
              ont.ponPort + QStringLiteral("，注册序列号：") + ont.key + QStringLiteral("，ONT编号：") + ont.ontId +
              QStringLiteral("，业务外层：") + logOuter + QStringLiteral("，业务内层：") + logInner +
              QStringLiteral("，inner-vlan：") + lastCounter;
    return part;
}

QString finishFlowScript(QString script, const SettingsStore &settings) {
    script += QStringLiteral("\r\n\r\n           \r\n\r\n");
    if (settings.isOn(settings::Iptv)) script += settings.read(settings::BtvLines) + LineEnd;
    script.replace(QStringLiteral("点播外层"), settings.read(settings::IptvOuterVlan, QString()));
    script.replace(QStringLiteral("点播内层"), settings.read(settings::IptvInnerVlan, QString()));
    script.replace(QStringLiteral("组播VLAN"), settings.read(settings::MulticastVlan, QString()));
    script.replace(QLatin1Char('#'), LineEnd);
    return script;
}

void handleAddReply(const QString &text, SettingsStore &settings, CommandSink &sink, const ActivityLog &log,
                    const AddReplyFields &fields, const std::function<bool(const QString &key)> &ownedElsewhere) {
    const bool serviceFlows = settings.isOn(settings::AutoServiceFlows);
    QString script;
    QStringList logLines;

    // The lines after an echo answer that echo's registration.
    AddEcho echo;
    bool owned = false, any = false;
    bool gpon = fields.gpon;
    for (const QString &line : text.split(LineEnd)) {
        if (line.contains(QStringLiteral("nt add "))) {
            echo = parseAddEcho(line);
            owned = ownedElsewhere && !echo.key.isEmpty() && ownedElsewhere(echo.key);
            any = any || !owned;
            if (line.contains(QStringLiteral("-if-epon-"))) gpon = false;
            if (line.contains(QStringLiteral("-if-gpon-"))) gpon = true;
        }
        if (owned || !serviceFlows || !line.contains(QStringLiteral("ONT号"), Qt::CaseInsensitive)) continue;

        // The ONT is where its own echo says: the prompt's board and the command's port. The tab's
        // fields are only a fallback for an echo that shows neither.
        FlowTarget ont;
        ont.gpon = gpon;
        ont.board = !echo.board.isEmpty() ? echo.board : fields.frame + QLatin1Char('/') + fields.board;
        ont.ponPort = !echo.ponPort.isEmpty() ? echo.ponPort : fields.port;
        ont.ontId = textBetween(QString(line + LineEnd), u"ONT号 :", LineEnd);
        ont.key = echo.key;
        QString logLine;
        script += serviceFlowPart(ont, settings, fields.autoRegisterTicked ? nullptr : &fields, logLine);
        logLines << logLine;
    }
    if (!any) return;

    const ActivityLog *logPtr = &log;
    sink.run(finishFlowScript(script, settings), [logPtr, logLines](const ScriptOutcome &outcome) {
        for (const QString &line : logLines)
            logPtr->write(outcome.ok() ? line : line + QStringLiteral("（未完成：") + outcome.summary() + u'）');
    }, RunOptions{false, true});
}

} // namespace tw
