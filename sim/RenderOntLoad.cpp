// The ONT loading of the diagnose mode: the file and state, and the ONTs selected with their progress.
#include "Render.h"

namespace tw::sim {

namespace {

QString phaseText(const OntLoad &l, Lang lang) {
    switch (l.phase) {
    case OntLoad::Phase::Idle:
        return tr(lang, "not started", "未开始");
    case OntLoad::Phase::Running:
        return tr(lang, "loading", "正在加载");
    case OntLoad::Phase::Ended:
        return tr(lang, "ended", "已结束");
    }
    return {};
}

QString targetStateText(OntLoadTarget::State s, Lang lang) {
    switch (s) {
    case OntLoadTarget::State::Loading:
        return tr(lang, "loading", "正在加载");
    case OntLoadTarget::State::Success:
        return tr(lang, "success", "成功");
    case OntLoadTarget::State::Failed:
        return tr(lang, "fail", "失败");
    case OntLoadTarget::State::Stopped:
        return tr(lang, "stopped", "已停止");
    }
    return {};
}

} // namespace

QString renderOntLoadInfo(const OntLoad &l, Lang lang) {
    QString out = rule();
    auto field = [&](const char *english, const char *chinese, const QString &value) {
        appendField(out, tr(lang, english, chinese), value, 22);
    };
    field("File type", "文件类型",
          l.program ? tr(lang, "program", "程序") : tr(lang, "configuration", "配置"));
    field("File name", "文件名", l.file);
    field("TFTP server", "TFTP服务器", l.server);
    if (l.program) field("Software version", "软件版本", l.version);
    field("Active mode", "生效模式", l.phase == OntLoad::Phase::Idle ? QStringLiteral("-") : l.activeMode);
    field("Loading state", "加载状态", phaseText(l, lang));
    field("ONTs loading", "加载ONT数", QString::number(l.targets.size()));
    return out + rule();
}

QString renderOntLoadTargets(const std::vector<const OntLoadTarget *> &targets, Lang lang) {
    QString rows;
    int success = 0, failure = 0;
    for (const OntLoadTarget *t : targets) {
        rows += QLatin1String("  ");
        appendPadded(rows, paddedPort(t->at), 10);
        appendPadded(rows, QString::number(t->id), 8);
        appendPadded(rows, targetStateText(t->state, lang), 12);
        appendPadded(rows, QString::number(t->progress) + '%', 10);
        // The failure's words without their "Failure: " lead.
        const QString cause = failureText(t->cause, lang).section(tr(lang, ": ", "："), 1);
        rows += (cause.isEmpty() ? QStringLiteral("-") : cause) + "\r\n";
        success += t->state == OntLoadTarget::State::Success;
        failure += t->state == OntLoadTarget::State::Failed;
    }
    const qsizetype n = qsizetype(targets.size());
    QString out = rule() + "  ";
    appendPadded(out, tr(lang, "F/S/P", "框/槽/端口"), 10);
    appendPadded(out, tr(lang, "ONT-ID", "ONT编号"), 8);
    appendPadded(out, tr(lang, "State", "状态"), 12);
    appendPadded(out, tr(lang, "Progress", "进度"), 10);
    out += tr(lang, "Cause", "原因") + "\r\n";
    out += rule() + rows + rule();
    out += lang == Lang::English
               ? QStringLiteral("  The total of ONTs: %1, success: %2, failure: %3\r\n")
                     .arg(n)
                     .arg(success)
                     .arg(failure)
               : QString::fromUtf8("  ONT总数：%1，成功：%2，失败：%3\r\n").arg(n).arg(success).arg(failure);
    return out + rule();
}

} // namespace tw::sim
