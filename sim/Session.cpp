#include "Session.h"

#include "Commands.h"

#include "common/Gbk.h"

#include <QElapsedTimer>
#include <QRegularExpression>

namespace tw::sim {

qint64 steadyMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

namespace {

constexpr char kIac = char(0xFF);

const char *const kUserNamePrompt = "\r\n>>User name:";
const char *const kPasswordPrompt = "\r\n>>User password:";
const char *const kBanner = "\r\n  Huawei Integrated Access Software.";
const char *const kRejected = "\r\n  Username or password invalid.";

QByteArray gbk(const QString &text) {
    return tw::toGbk(text);
}

} // namespace

Session::Session(Device &device, Faults &faults, SessionOptions options)
    : device_(device), faults_(faults), options_(options), screenLength_(device.screenLength),
      idleSeconds_(device.idleSeconds) {
    modes_.push_back(mode::User{});
    // The device as it stands when the first session opens is what it booted with.
    if (!device_.saved) saveConfiguration(device_);
}

QString Session::prompt() const {
    return promptOf(mode(), device_.sysname);
}

std::vector<Write> Session::start() {
    // IAC WILL ECHO, IAC WILL SUPPRESS-GO-AHEAD, IAC DO NAWS, IAC DO TERMINAL-TYPE.
    const char options[] = {kIac, char(251), 1, kIac, char(251), 3, kIac, char(253), 31, kIac, char(253), 24};
    send(QByteArray(options, sizeof options));
    sendAlone(kUserNamePrompt);
    return takeWrites();
}

std::vector<Write> Session::startShell(const QString &user) {
    telnetLayer_ = false;
    user_ = user;
    welcome(QStringLiteral("SSH"));
    return takeWrites();
}

std::vector<Write> Session::receive(QByteArrayView bytes) {
    discardInput_ = false;
    consume(bytes);
    return takeWrites();
}

void Session::consume(QByteArrayView bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (state_ == State::Closed || discardInput_) break;
        if (state_ == State::Transfer || state_ == State::Streaming) {
            // Typed ahead while a transfer or a long output runs: taken after it. A flood is cut.
            constexpr qsizetype kMaxTypeahead = 64 * 1024;
            typeahead_ += bytes.sliced(i).first(
                std::min(bytes.size() - i, std::max<qsizetype>(0, kMaxTypeahead - typeahead_.size())));
            break;
        }
        const char c = bytes[i];
        if (!telnetLayer_) {
            feed(c);
            continue;
        }
        const auto u = uchar(c);
        switch (telnet_) {
        case Telnet::Data:
            if (c == kIac)
                telnet_ = Telnet::Iac;
            else
                feed(c);
            break;
        case Telnet::Iac:
            if (c == kIac) {
                telnet_ = Telnet::Data;
                feed(c);
            } else if (u >= 251 && u <= 254) {
                telnet_ = Telnet::Option;
            } else if (u == 250) {
                telnet_ = Telnet::Sub;
            } else {
                telnet_ = Telnet::Data;
            }
            break;
        case Telnet::Option:
            telnet_ = Telnet::Data;
            break;
        case Telnet::Sub:
            if (c == kIac) telnet_ = Telnet::SubIac;
            break;
        case Telnet::SubIac:
            telnet_ = u == 240 ? Telnet::Data : Telnet::Sub;
            break;
        }
    }
}

std::vector<Write> Session::idleExpired() {
    if (state_ != State::Closed) {
        sendAlone(gbk(tr(lang_, "\r\n  Configuration console time out, please retry to log on\r\n",
                         "\r\n  配置控制台超时，请重建连接后登录\r\n")));
        state_ = State::Closed;
    }
    return takeWrites();
}

void Session::feed(char c) {
    // A line ends with CR, LF or CR LF (and CR NUL from some clients); the pair counts once.
    if (lastCr_ && (c == '\n' || c == '\0')) {
        lastCr_ = false;
        return;
    }
    lastCr_ = c == '\r';
    if (c == '\n') c = '\r';
    if (state_ == State::Paging) {
        pagingKey(c);
        return;
    }
    if (c == '\r') {
        lineDone();
        return;
    }
    if (c == '\b' || c == 0x7F) {
        erase();
        return;
    }
    // "?" outside quotes asks what may follow; in a password, a name or an answer it is typed.
    if (c == '?' && state_ == State::Command && lineBytes_.count('"') % 2 == 0) {
        help();
        return;
    }
    if (uchar(c) < 0x20 || lineBytes_.size() >= 2048) return;
    lineBytes_ += c;
    if (state_ != State::Password) send(escaped(QByteArray(1, c)));
}

// Backspace and DEL take back the last character; the terminal's cursor goes back over it and
// blanks it, over both columns of a double-byte character.
void Session::erase() {
    if (lineBytes_.isEmpty()) return;
    const qsizetype keep = tw::completeGbkPrefix(lineBytes_.left(lineBytes_.size() - 1));
    const qsizetype columns = lineBytes_.size() - keep;
    lineBytes_.truncate(keep);
    if (state_ != State::Password)
        send(QByteArray(columns, '\b') + QByteArray(columns, ' ') + QByteArray(columns, '\b'));
}

// The list of what may follow the line typed so far, then the prompt with that line again: it
// stays on the input line, and what is typed next continues it.
void Session::help() {
    send(QByteArray("?\r\n"));
    line_ = tw::fromGbk(lineBytes_);
    body_.clear();
    showHelp(*this, line_);
    finishOutput();
}

void Session::lineDone() {
    const QString text = tw::fromGbk(lineBytes_);
    lineBytes_.clear();
    switch (state_) {
    case State::UserName:
        loginUser(text.trimmed());
        break;
    case State::Password:
        loginPassword(text);
        break;
    case State::Command:
        runLine(text);
        break;
    case State::Answer:
        answer(text);
        break;
    case State::Paging:
    case State::Transfer:
    case State::Streaming:
    case State::Closed:
        break;
    }
}

void Session::loginUser(const QString &name) {
    if (name.isEmpty()) {
        sendAlone(kUserNamePrompt);
        return;
    }
    user_ = name;
    state_ = State::Password;
    sendAlone(kPasswordPrompt);
}

void Session::loginPassword(const QString &password) {
    bool good = !faults_.rejectLogins;
    if (good) {
        good = false;
        for (const Account &a : device_.accounts)
            good = good || (a.user == user_ && a.password == password);
    }
    if (!good) {
        state_ = State::UserName;
        sendAlone(kRejected);
        sendAlone(kUserNamePrompt);
        discardInput_ = true; // the device drops what was typed ahead of a failed login
        return;
    }
    welcome(QStringLiteral("Telnet"));
}

void Session::welcome(const QString &accessType) {
    loggedIn_ = true;
    state_ = State::Command;
    sendAlone(kBanner);
    send(gbk(QStringLiteral("\r\n  Copyright(C) 2002-2014. All rights reserved.\r\n\r\n") + rule() +
             "  User last login information:\r\n" + rule() + "  Access Type : " + accessType + "\r\n" +
             "  IP-Address  : 127.0.0.1\r\n" + "  Login  Time : " + device_.now + "\r\n" + rule() + "\r\n" +
             prompt()));
}

void Session::runLine(const QString &text) {
    send(QByteArray("\r\n"));
    const bool stray = std::exchange(strayAnswer_, false);
    static const QRegularExpression yesNo("^\\s*[yYnN]\\s*$");
    if (text.trimmed().isEmpty() || (stray && yesNo.match(text).hasMatch())) {
        send(prompt());
        return;
    }
    line_ = text;
    body_.clear();
    // A loading in progress moves on with the clock, whatever the command looks at.
    if (device_.ontLoad.phase == OntLoad::Phase::Running) advanceOntLoad(device_, clockMs());
    dispatchCommand(*this, text);
    afterCommand();
}

void Session::answer(const QString &text) {
    send(QByteArray("\r\n"));
    auto handler = std::move(pendingAnswer_);
    pendingAnswer_ = nullptr;
    state_ = State::Command;
    body_.clear();
    handler(text);
    afterCommand();
}

void Session::afterCommand() {
    if (state_ == State::Closed) return;
    if (transferDone_) {
        state_ = State::Transfer;
        return;
    }
    if (pendingAnswer_) {
        send(body_ + askPrompt_);
        body_.clear();
        state_ = State::Answer;
        return;
    }
    finishOutput();
}

void Session::transfer(TransferRequest request, std::function<void(const TransferResult &)> done) {
    transferRequest_ = std::move(request);
    transferDone_ = std::move(done);
}

std::optional<TransferRequest> Session::takeTransfer() {
    if (state_ != State::Transfer) return std::nullopt;
    return std::exchange(transferRequest_, std::nullopt);
}

std::vector<Write> Session::transferDone(const TransferResult &result) {
    if (state_ != State::Transfer || !transferDone_) return takeWrites(); // the session ended meanwhile
    auto done = std::exchange(transferDone_, nullptr);
    transferRequest_.reset();
    state_ = State::Command;
    done(result);
    afterCommand();
    if (!typeahead_.isEmpty()) consume(std::exchange(typeahead_, {}));
    return takeWrites();
}

QString Session::runQuiet(const QString &line) {
    line_ = line;
    body_.clear();
    dispatchCommand(*this, line);
    // Questions get the answer that goes on; a question after a question is answered too.
    for (int i = 0; pendingAnswer_ && i < 4; ++i) {
        auto handler = std::exchange(pendingAnswer_, nullptr);
        handler(askPrompt_.endsWith("(y/n)[n]:") ? QStringLiteral("y") : QString());
    }
    pendingAnswer_ = nullptr;
    transferRequest_.reset();
    transferDone_ = nullptr;
    pieces_.clear(); // a listing is output only
    return std::exchange(body_, {});
}

void Session::confirm(const QString &question, std::function<void()> onYes) {
    ask(question + "(y/n)[n]:", [onYes = std::move(onYes)](const QString &reply) {
        const QString r = reply.trimmed();
        if (r.compare("y", Qt::CaseInsensitive) == 0 || r.compare("yes", Qt::CaseInsensitive) == 0) onYes();
    });
}

void Session::ask(const QString &question, std::function<void(const QString &)> onAnswer) {
    askPrompt_ = question;
    pendingAnswer_ = std::move(onAnswer);
}

void Session::askOptions(const QString &choices, std::function<void()> then) {
    askPrompt_ = choices;
    const QString command = line_;
    pendingAnswer_ = [this, command, choices, then = std::move(then)](const QString &reply) {
        const qsizetype at = reply.indexOf(QRegularExpression("\\S"));
        if (at >= 0) {
            body_ += QString(displayWidth(choices) + displayWidth(reply.left(at)), ' ') + "^\r\n";
            body_ += tr(lang_, "  % Unknown command, the error locates at '^'\r\n",
                        "  % 未知命令，错误定位在'^'所指的位置\r\n");
            return;
        }
        body_ += "\r\n  Command:\r\n          " + command + "\r\n";
        then();
    };
}

void Session::error(CliError kind, int column) {
    body_ += QString(displayWidth(prompt()) + column, ' ') + "^\r\n";
    switch (kind) {
    case CliError::Unknown:
        body_ += tr(lang_, "  % Unknown command, the error locates at '^'\r\n",
                    "  % 未知命令，错误定位在'^'所指的位置\r\n");
        break;
    case CliError::Parameter:
        body_ += tr(lang_, "  % Parameter error, the error locates at '^'\r\n",
                    "  % 参数错误，错误定位在'^'所指的位置\r\n");
        break;
    case CliError::Incomplete:
        body_ += tr(lang_, "  % Incomplete command, the error locates at '^'\r\n",
                    "  % 命令不完整，错误定位在'^'所指的位置\r\n");
        break;
    }
}

void Session::popMode() {
    if (modes_.size() > 1) modes_.pop_back();
}

void Session::leaveToConfig() {
    while (modes_.size() > 1 && !modeAs<mode::Config>())
        modes_.pop_back();
}

void Session::logout() {
    send(body_);
    body_.clear();
    send(tr(lang_, "\r\n  Thank you for using the system.\r\n", "\r\n  感谢使用本系统。\r\n"));
    state_ = State::Closed;
}

void Session::endForRestart() {
    send(body_);
    body_.clear();
    state_ = State::Closed;
    restarting_ = true;
}

QByteArray readToEnd(Session &session, QByteArrayView input) {
    QByteArray all;
    for (const Write &w : session.receive(input))
        all += w.bytes;
    while (session.paging())
        for (const Write &w : session.receive(" "))
            all += w.bytes;
    return all;
}

} // namespace tw::sim
