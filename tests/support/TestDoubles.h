#pragma once
// Doubles for the seams: a sink that records every write as bytes, an operator that answers from
// a script and records every box, a fresh run directory, a fixed clock.

#include "common/CommandSink.h"
#include "common/Operator.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <variant>

namespace tw::test {

// Records every script as bytes. A script run for its answers is answered at once as a success,
// or, with `holdRuns`, kept until the test answers it.
class RecordingSink : public CommandSink {
  public:
    bool connected = true;
    QList<QByteArray> writes;
    bool holdRuns = false;
    // What idle() answers: false stands for a connection still busy with other commands.
    bool idleNow = true;
    struct Held {
        QString script;
        ScriptDone done;
        RunOptions options;
    };
    QList<Held> held;

    bool send(const QString &script) override;
    bool run(const QString &script, ScriptDone done, RunOptions options = {}) override;
    bool idle() const override { return idleNow; }
    QByteArray all() const { return writes.join(); }

    // Answers the oldest held script: each line whose text starts with a key of `answers` gets its
    // value as the OLT's answer (a failure text makes it fail); the others answer nothing.
    void answer(const QList<std::pair<QString, QString>> &answers = {},
                ScriptOutcome::Status status = ScriptOutcome::Done);
};

// The outcome of `script` as if the OLT had answered it so (see RecordingSink::answer).
ScriptOutcome outcomeOf(const QString &script, const QList<std::pair<QString, QString>> &answers,
                        ScriptOutcome::Status status = ScriptOutcome::Done);

struct Box {
    enum Kind { YesNo, OkCancel, Input, Notice, OpenFile } kind;
    QString text;
    QString title;
    BoxIcon icon = BoxIcon::None;
    QString initial; // input boxes; the folder of a file dialog
    // Yes/No boxes that Esc answers apart from No: the button Enter presses.
    std::optional<bool> yesByDefault = {};
    bool destructive = false; // a question whose No/Cancel is the default button
};

// The scripted answer "Esc or the close button" of a question that tells it apart from No.
struct Escape {};

class ScriptedOperator : public Operator {
  public:
    // Answers in order: bool for questions, std::optional<QString> for input boxes and file dialogs,
    // Escape for a question that Esc answers apart from No (elsewhere it is No).
    using Answer = std::variant<bool, std::optional<QString>, Escape>;
    std::deque<Answer> answers;
    QList<Box> boxes;
    // When the script runs out: answer every question Yes and every input box with this text
    // instead of failing.
    std::optional<QString> agreeWith;

    void answer(bool yes) { answers.emplace_back(yes); }
    void answerText(std::optional<QString> text) { answers.emplace_back(std::move(text)); }
    void answerEscape() { answers.emplace_back(Escape{}); }

    bool askYesNo(const QString &text, const QString &title, BoxIcon icon) override;
    std::optional<bool> askYesNoOrEscape(const QString &text, const QString &title, BoxIcon icon,
                                         bool yesByDefault) override;
    bool askOkCancel(const QString &text, const QString &title, BoxIcon icon) override;
    bool askDestructive(const QString &text, const QString &title, BoxIcon icon,
                        QuestionButtons buttons) override;
    std::optional<QString> askText(const QString &prompt, const QString &title,
                                   const QString &initial) override;
    void notice(const QString &text, const QString &title, BoxIcon icon) override;
    // Answered like an input box: the chosen path, or Cancel. Recorded with the filters as text.
    std::optional<QString> askOpenFile(const QString &title, const QString &directory,
                                       const QStringList &filters) override;

  private:
    bool nextBool();
    std::optional<QString> nextText();
};

// A fresh run directory for one test.
struct TempRunDir {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    QString config() const { return dir.path() + QStringLiteral("/config.ini"); }
    QByteArray readFile(const QString &name) const;
    void writeFile(const QString &name, const QByteArray &bytes) const;
    // config.ini from UTF-8 source text, stored as GBK like the real file.
    void writeConfig(const QString &text) const;
};

struct FixedClock {
    QDateTime now;
    QDateTime operator()() const { return now; }
};

} // namespace tw::test
