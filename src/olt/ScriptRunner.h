#pragma once
// Writes scripts to the OLT a line at a time. A line goes out when the one before it has been
// answered: its echo came back and then a prompt or a question (which the script's next line
// answers). Typed-ahead text would be eaten by a pager or taken for a question's answer; paced,
// the bytes are exactly the script's and only their timing changes. Each line's answer is kept and
// classified, and whoever ran the script is told how it ended.

#include "common/ScriptOutcome.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>

namespace tw {

class ScriptRunner : public QObject {
    Q_OBJECT
  public:
    using Writer = std::function<bool(const QByteArray &)>;

    // A line with no answer for this long (nothing received at all) ends its script.
    static constexpr int DefaultLineTimeoutMs = 60000;
    // At a prompt but no echo of the line seen (an OLT that echoes differently): answered after this.
    static constexpr int QuietMs = 2000;
    static_assert(QuietMs < DefaultLineTimeoutMs);

    explicit ScriptRunner(Writer writer, QObject *parent = nullptr);

    // Queues the script; `done` is called once with its outcome. Nothing is written before
    // setReady(true).
    void run(const QString &script, ScriptDone done = {}, RunOptions options = {});
    // The same, ahead of everything queued (the login's own lines).
    void runFirst(const QString &script, ScriptDone done = {}, RunOptions options = {});

    // What the OLT sent, after the chunk stage.
    void received(QByteArrayView bytes);
    // `lines` line ends were written by someone else (the login's password, a fixed answer): their
    // prompts come before anything of ours is due.
    void foreignLines(int lines);

    // Whether scripts may be written: the CLI is past the login.
    void setReady(bool ready);
    bool ready() const { return ready_; }
    // Ends the running script and every queued one as interrupted (`why` says why).
    void interruptAll(const QString &why);
    // Whether a script is running or queued.
    bool busy() const { return current_ != nullptr || !queue_.empty(); }

    // A shorter time-out lets a test see a line time out without waiting a minute.
    void setLineTimeout(int ms) { lineTimeoutMs_ = ms; }

    // Whether `line` (no line break) is a prompt the CLI waits at: "name>", "name#", "name(mode)#",
    // "name(diagnose)%%". `held` may follow it (a partial command kept after a help request).
    static bool isPrompt(QByteArrayView line);
    // Whether `line` is a question waiting for an answer: "… (y/n)[n]:", "{ <cr>|… }:", "…(1-2)[2]:".
    static bool isQuestion(QByteArrayView line);

  signals:
    // A script ended away from configuration mode and `note` tells the console it was brought back.
    void modeRestored(const QString &note);

  private:
    struct Line {
        QString text;
        QByteArray bytes; // text and line end, GBK
        bool terminated = true;
    };
    struct Job {
        std::deque<Line> lines;
        ScriptDone done;
        RunOptions options;
        ScriptOutcome outcome;
        QString command; // the last command line, for answers to its questions
        bool internal = false;
    };

    static Job makeJob(const QString &script, ScriptDone done, RunOptions options);
    void enqueue(Job job, bool first);
    void pump();
    void writeNext();
    void scanAnswer();
    void lineAnswered(qsizetype at, bool question);
    void finishJob(ScriptOutcome::Status status, const QString &reason);
    void takeForeign(QByteArrayView bytes);
    void onTimer();
    void armTimer();
    void goHome();

    Writer write_;
    bool ready_ = false;
    std::deque<Job> queue_;
    std::unique_ptr<Job> current_;

    // The line being answered.
    bool awaiting_ = false;
    QByteArray echo_; // what the OLT echoes of it (its printable bytes); empty for a blank line
    bool echoSeen_ = false;
    QByteArray answer_;        // received since it was written
    qsizetype answerFrom_ = 0; // where its answer starts in answer_ (after the echo)
    qsizetype scan_ = 0;       // how far answer_ has been looked at
    qsizetype lineStart_ = 0;  // where the line being looked at starts in answer_
    bool atLineStart_ = false; // answer_ began at the start of a line
    bool answering_ = false;   // the next line answers a question of the last command
    bool holding_ = false;     // a script's owner is being told its outcome
    QString held_;             // an unterminated line stays on the OLT's input line after its prompt

    int foreign_ = 0;          // foreign lines whose prompts are still to come
    bool tailCounted_ = false; // the tail's prompt was already counted for a foreign line
    QByteArray tail_;          // the received stream since its last line break
    QByteArray lastPrompt_;

    QTimer timer_;
    int lineTimeoutMs_ = DefaultLineTimeoutMs;
};

// Splits a script into its lines: each with the line end that follows it in the script (CR LF, CR
// or LF); a last piece without one is a line that stays on the input line.
QList<std::pair<QString, QString>> scriptLines(const QString &script);

} // namespace tw
