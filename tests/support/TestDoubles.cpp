#include "TestDoubles.h"

#include "common/Gbk.h"

#include <QFile>
#include <stdexcept>

namespace tw::test {

bool RecordingSink::send(const QString &script) {
    if (!connected) return false;
    writes.append(toGbk(script));
    return true;
}

bool RecordingSink::run(const QString &script, ScriptDone done, RunOptions options) {
    if (!send(script)) return false;
    if (holdRuns)
        held.append({script, std::move(done), options});
    else if (done)
        done(ScriptOutcome{});
    return true;
}

void RecordingSink::answer(const QList<std::pair<QString, QString>> &answers, ScriptOutcome::Status status) {
    if (held.isEmpty()) return;
    const Held h = held.takeFirst();
    if (h.done) h.done(outcomeOf(h.script, answers, status));
}

ScriptOutcome outcomeOf(const QString &script, const QList<std::pair<QString, QString>> &answers,
                        ScriptOutcome::Status status) {
    ScriptOutcome out;
    QString command;
    for (const QString &line : script.split(QStringLiteral("\r\n"))) {
        if (!line.trimmed().isEmpty() && line != QStringLiteral("y")) command = line;
        LineAnswer a{line, command, {}, {}};
        for (const auto &[prefix, text] : answers)
            if (!line.isEmpty() && line.startsWith(prefix)) a.answer = toGbk(text);
        a.failure = answerFailure(a.text());
        out.lines.append(a);
    }
    out.status = status;
    if (status == ScriptOutcome::Done && out.firstFailure()) {
        out.status = ScriptOutcome::Failed;
        out.reason = out.firstFailure()->failure;
    }
    if (status == ScriptOutcome::Interrupted) out.reason = QStringLiteral("与OLT的连接已断开");
    return out;
}

bool ScriptedOperator::nextBool() {
    if (answers.empty() && agreeWith) return true;
    if (!answers.empty() && std::holds_alternative<Escape>(answers.front())) {
        answers.pop_front();
        return false; // a plain Yes/No box: Esc presses No
    }
    if (answers.empty() || !std::holds_alternative<bool>(answers.front()))
        throw std::logic_error("unexpected question: no yes/no answer scripted");
    const bool yes = std::get<bool>(answers.front());
    answers.pop_front();
    return yes;
}

bool ScriptedOperator::askYesNo(const QString &text, const QString &title, BoxIcon icon) {
    boxes.append({Box::YesNo, text, title, icon, {}});
    return nextBool();
}

std::optional<bool> ScriptedOperator::askYesNoOrEscape(const QString &text, const QString &title, BoxIcon icon,
                                                       bool yesByDefault) {
    boxes.append({Box::YesNo, text, title, icon, {}, yesByDefault});
    if (!answers.empty() && std::holds_alternative<Escape>(answers.front())) {
        answers.pop_front();
        return std::nullopt;
    }
    return nextBool();
}

bool ScriptedOperator::askOkCancel(const QString &text, const QString &title, BoxIcon icon) {
    boxes.append({Box::OkCancel, text, title, icon, {}});
    return nextBool();
}

bool ScriptedOperator::askDestructive(const QString &text, const QString &title, BoxIcon icon,
                                      QuestionButtons buttons) {
    Box box{buttons == QuestionButtons::YesNo ? Box::YesNo : Box::OkCancel, text, title, icon, {}};
    box.destructive = true;
    boxes.append(box);
    return nextBool();
}

std::optional<QString> ScriptedOperator::askText(const QString &prompt, const QString &title,
                                                 const QString &initial) {
    boxes.append({Box::Input, prompt, title, BoxIcon::None, initial});
    return nextText();
}

std::optional<QString> ScriptedOperator::askOpenFile(const QString &title, const QString &directory,
                                                     const QStringList &filters) {
    boxes.append({Box::OpenFile, filters.join(QStringLiteral(";;")), title, BoxIcon::None, directory});
    return nextText();
}

std::optional<QString> ScriptedOperator::nextText() {
    if (answers.empty() && agreeWith) return agreeWith;
    if (answers.empty() || !std::holds_alternative<std::optional<QString>>(answers.front()))
        throw std::logic_error("unexpected input box: no text answer scripted");
    std::optional<QString> text;
    text.swap(std::get<std::optional<QString>>(answers.front()));
    answers.pop_front();
    return text;
}

void ScriptedOperator::notice(const QString &text, const QString &title, BoxIcon icon) {
    boxes.append({Box::Notice, text, title, icon, {}});
}

QByteArray TempRunDir::readFile(const QString &name) const {
    QFile f(dir.path() + QLatin1Char('/') + name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void TempRunDir::writeFile(const QString &name, const QByteArray &bytes) const {
    QFile f(dir.path() + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write test file");
    f.write(bytes);
}

} // namespace tw::test

namespace tw::test {
void TempRunDir::writeConfig(const QString &text) const {
    writeFile(QStringLiteral("config.ini"), toGbk(text));
}
} // namespace tw::test
