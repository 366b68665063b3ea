#pragma once
// One CLI session of the simulated OLT, without a socket: bytes in, writes out. The telnet
// server feeds it what the client sends and performs the writes it returns, each after its delay.

#include "Faults.h"
#include "Mode.h"
#include "Model.h"
#include "Render.h"
#include "Transfer.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace tw::sim {

struct Write {
    QByteArray bytes;
    int delayMs = 0; // pause before this write, so that it arrives as a chunk of its own
};

struct SessionOptions {
    bool eraseApart = false; // send the paging erase in a write of its own
    int gapMs = 40;          // pause around writes that must arrive on their own
    TftpSettings tftp{};     // where the TFTP servers the CLI names listen, and how long to wait
    int ontLoadMs = 4000;    // how long an ONT loading runs from "ont-load start" to its end
    // Milliseconds of a steady clock, for the ONT loading; empty: the process's own.
    std::function<qint64()> clock{};
};

// The process's steady clock in milliseconds.
qint64 steadyMs();

enum class CliError { Unknown, Parameter, Incomplete };

class Session {
  public:
    Session(Device &device, Faults &faults, SessionOptions options = {});

    std::vector<Write> start();
    // Instead of start(), over SSH: the SSH layer checked the account, so the session opens at the
    // banner and the user prompt; the stream carries bytes as they are, without telnet.
    std::vector<Write> startShell(const QString &user);
    std::vector<Write> receive(QByteArrayView bytes);
    std::vector<Write> idleExpired();

    bool closing() const { return state_ == State::Closed; }
    // Closed because the device restarts: every other session drops and logins wait for the boot.
    bool restarting() const { return restarting_; }
    bool paging() const { return state_ == State::Paging; }
    bool loggedIn() const { return loggedIn_; }
    int idleSeconds() const { return idleSeconds_; }
    Lang lang() const { return lang_; }
    const Mode &mode() const { return modes_.back(); }
    // The current mode when it is an M, else null.
    template <class M> const M *modeAs() const { return std::get_if<M>(&modes_.back()); }
    size_t modeDepth() const { return modes_.size(); }
    QString prompt() const;

    // For the command handlers.
    Device &device() { return device_; }
    Faults &faults() { return faults_; }
    void setLang(Lang lang) { lang_ = lang; }
    void setScreenLength(int lines) { screenLength_ = lines; }
    void setIdleSeconds(int seconds) { idleSeconds_ = seconds; }
    void print(const QString &text) { body_ += text; }
    // Output made a piece at a time as the client reads it (see Pieces): a long listing costs no
    // more than the pages that are asked for. What is printed afterwards follows it.
    void printLazily(Pieces pieces);
    void pushMode(Mode mode) { modes_.push_back(std::move(mode)); }
    void popMode();
    void leaveToConfig(); // back to configuration mode from any deeper mode
    void confirm(const QString &question, std::function<void()> onYes);
    // Any other question: the line that follows is its answer, whatever it holds.
    void ask(const QString &question, std::function<void(const QString &)> onAnswer);
    void askOptions(const QString &choices, std::function<void()> then);
    // The next line, when it is a lone y or n, passes like an empty line instead of failing.
    void passStrayAnswer() { strayAnswer_ = true; }
    void error(CliError kind, int column);
    void logout();
    // What was printed goes out, then the device closes the connection as it restarts.
    void endForRestart();
    const SessionOptions &options() const { return options_; }
    qint64 clockMs() const { return options_.clock ? options_.clock() : steadyMs(); }

    // A command that needs a file waits for it: `done` runs when the transfer has ended, and the
    // command's output and the prompt follow. What the client types meanwhile waits, as typed.
    void transfer(TransferRequest request, std::function<void(const TransferResult &)> done);
    // For the server: the transfer the last command asked for (given out once), and its end.
    std::optional<TransferRequest> takeTransfer();
    std::vector<Write> transferDone(const TransferResult &result);
    bool transferring() const { return state_ == State::Transfer; }

    // Without paging a long output goes out a stretch at a time: the server asks for the next
    // one when the client has taken the last. Input meanwhile waits, as during a transfer.
    bool streaming() const { return state_ == State::Streaming; }
    std::vector<Write> continueOutput();

    // Runs a line of a configuration file in the current mode: nothing is echoed or paged, the
    // device's questions are answered yes (or Enter), transfers are not made. Returns the output.
    QString runQuiet(const QString &line);

  private:
    enum class State { UserName, Password, Command, Answer, Paging, Transfer, Streaming, Closed };

    void consume(QByteArrayView bytes);
    void feed(char c);
    void erase();
    void help();
    void lineDone();
    void loginUser(const QString &name);
    void loginPassword(const QString &password);
    void welcome(const QString &accessType);
    void runLine(const QString &line);
    void answer(const QString &text);
    // After a command or an answer: a question, a transfer to wait for, or the output and prompt.
    void afterCommand();
    void finishOutput();
    // Appends the next stretch of a lazy output to pageBody_; false when none is left.
    bool fill();
    QString withAlarm(QString out);
    void pump();
    void pagingKey(char c);
    void send(const QByteArray &bytes) { cur_ += bytes; }
    void send(const QString &text);
    // Typed bytes as echoed: over telnet a data 0xFF goes out escaped.
    QByteArray escaped(const QByteArray &typed) const;
    void breakWrite(int gapMs);
    void sendAlone(const QByteArray &bytes);
    std::vector<Write> takeWrites();
    QByteArray pagingPrompt() const;
    QByteArray pagingErase() const;

    Device &device_;
    Faults &faults_;
    SessionOptions options_;
    State state_ = State::UserName;
    bool loggedIn_ = false;
    bool restarting_ = false;
    Lang lang_ = Lang::English;
    int screenLength_;
    int idleSeconds_;
    std::vector<Mode> modes_;
    QString user_;

    // Input.
    bool telnetLayer_ = true;
    enum class Telnet { Data, Iac, Option, Sub, SubIac } telnet_ = Telnet::Data;
    bool lastCr_ = false;
    bool discardInput_ = false;
    QByteArray lineBytes_; // the input line so far; kept across "?"
    QString line_;         // the line being run, as typed: a "{ <cr>||<K> }" answer repeats it

    // Output of the command being run, and what waits for an answer.
    QString body_;
    QString askPrompt_;
    std::function<void(const QString &)> pendingAnswer_;
    bool strayAnswer_ = false;

    // A transfer asked for, and what the client typed while it runs.
    std::optional<TransferRequest> transferRequest_;
    std::function<void(const TransferResult &)> transferDone_;
    QByteArray typeahead_;

    // Paging: the output as bytes from pagePos_ on, and what is still to be made of it.
    QByteArray pageBody_;
    qsizetype pagePos_ = 0;
    QByteArray pageTail_;
    struct Piece {
        QString text;
        Pieces more; // after the text, when set
    };
    std::deque<Piece> pieces_;

    // Writes.
    QByteArray cur_;
    int curDelay_ = 0;
    std::vector<Write> writes_;
};

// Everything the session writes for `input`, every paging prompt answered by a blank: a client
// that reads a listing to its end. For drivers in the same process (tests, benchmarks).
QByteArray readToEnd(Session &session, QByteArrayView input);

} // namespace tw::sim
