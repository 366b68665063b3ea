#pragma once
// The program's one connection to the OLT's CLI, over telnet or SSH as config.ini says (a
// Transport carries the bytes; nothing else here depends on which). Every script goes out through
// send(); every received chunk passes the receive path (telnet layer, prompt joiner, chunk stage
// with its paging, login and fixed answers) and what is left is handed on through chunkReceived()
// to the router.

#include "common/CommandSink.h"
#include "olt/LinkState.h"
#include "olt/ReceivePath.h"
#include "olt/ScriptRunner.h"

#include <QByteArray>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace tw {

class Operator;
class SettingsStore;
class Transport;

class OltConnection : public QObject, public CommandSink, private ReceiveActions {
    Q_OBJECT
  public:
    // A host that drops packets would otherwise hold the window for minutes. Over SSH it covers the
    // key exchange, the login and opening the shell as well.
    static constexpr int ConnectTimeoutMs = 3000;

    OltConnection(const SettingsStore &settings, Operator &op, QObject *parent = nullptr);
    ~OltConnection() override;

    // Connects to OLT / IP地址 over the protocol and port the settings hold now (协议: 端口 for
    // telnet, SSH端口 for SSH), replacing any previous link. Returns once connected (true) or failed
    // (false), after at most the connect time-out; an SSH host-key question waits for its answer.
    // The window keeps painting meanwhile; typed input waits.
    // A refusal (an SSH login rejected, a host key not trusted or changed) is shown once, and after
    // it nothing dials again until the operator does (allowRedial()): not 自动重连, not the idle
    // notice, not a timer's query calling this.
    bool connectToOlt();
    // The operator dials by hand (重连OLT): the next connectToOlt() tries again after a refusal.
    void allowRedial() { refused_ = false; }
    // The script goes to the runner, which writes it a line at a time once the OLT has answered
    // the line before; false while not connected. Scripts sent during the login go right after it.
    bool send(const QString &script) override;
    bool run(const QString &script, ScriptDone done, RunOptions options = {}) override;
    bool sendNow(const QString &keys) override;
    bool idle() const override { return !runner_.busy(); }
    // A paged output is ended at its next pager (outputBroken() follows); anything else gets the
    // break key typed at once, as a pager this side does not answer (or none) may be waiting.
    bool breakOutput() override;
    bool isConnected() const;
    LinkState state() const { return state_; }
    ScriptRunner &runner() { return runner_; }

    // How long the OLT must stay quiet at its privileged prompt before "config" is sent.
    static constexpr int DefaultStrandedMs = 1000;
    void setStrandedDelay(int ms) { stranded_.setInterval(ms); }
    // How long after the OLT closed the connection (and between tries) 自动重连 dials again.
    static constexpr int DefaultRetryMs = 5000;
    void setRetryDelay(int ms) { retry_.setInterval(ms); }
    // How long after connecting a script waits for the login before it goes anyway (an OLT that
    // asks none); 0 sends at once.
    static constexpr int DefaultLoginGraceMs = 3000;
    void setLoginGrace(int ms) { loginGrace_.setInterval(ms); }

  signals:
    // What passed the chunk stage: connect this to ResponseRouter::route.
    void chunkReceived(const QByteArray &chunk);
    // After each connect attempt and when the OLT closes the connection.
    void connectedChanged(bool connected);
    // Dialling, logging in, logged in, refused, down: each change once.
    void stateChanged(LinkState state);
    // The password and the post-login script went out: what is sent from now on reaches the CLI,
    // not the login dialogue.
    void loginAnswered();
    // The CLI had been left at the privileged prompt (where no output completes) and "config" was
    // sent to return to configuration mode; `note` says so for the console.
    void configurationRestored(const QString &note);
    // The break key went to the OLT: the output under way ends cut short.
    void outputBroken();

  private:
    Transport *newTransport();
    void linkUp();
    void linkFailed(Transport *transport, const QString &why);
    void linkDown();
    void retryConnect();
    void readAvailable();
    void loggedInByLink();
    void restoreConfiguration();
    bool writeRaw(const QByteArray &bytes);
    void dropTransport();
    void setState(LinkState state);

    // What the receive path asks for.
    void write(const QByteArray &bytes) override { writeRaw(bytes); }
    void reconnect() override { connectToOlt(); }
    void accountSent() override {
        accountAsked_ = true;
        loginGrace_.stop(); // the password prompt will come
    }
    void passwordSent() override;
    void typedLines(int lines) override { runner_.foreignLines(lines); }
    void loginRejected() override;
    void pagingBroken() override { emit outputBroken(); }
    void deliver(const QByteArray &chunk) override {
        if (chunk.contains("(config)#")) {
            restored_ = false;
            if (loginDone_) setState(LinkState::Connected);
        }
        // The router first: a reply it hands to an operation's handler must find the operation
        // still waiting for it.
        emit chunkReceived(chunk);
        runner_.received(chunk);
    }
    void sessionEnded();

    const SettingsStore &settings_;
    Operator &operator_;
    QPointer<Transport> transport_;
    QPointer<QEventLoop> waiting_; // connectToOlt() waits here for the link
    bool retrying_ = false;        // the link being made is 自动重连's, in the background
    bool refused_ = false;         // the last attempt was refused: only the operator dials again
    LinkState state_ = LinkState::Disconnected;
    ReceivePath receive_;
    bool loggedIn_ = false;     // scripts may go: the login was answered, or none was asked
    bool loginDone_ = false;    // the login was answered, or the link logged in, and PostLogin queued
    bool accountAsked_ = false; // the OLT asked for the user name on this link
    QTimer loginGrace_;         // an OLT that asks no login: queued scripts go after this
    ScriptRunner runner_;
    bool restored_ = false; // "config" went out; not again before configuration mode is back
    QTimer stranded_;       // quiet at the privileged prompt
    QTimer retry_;          // 自动重连 after the OLT closed the connection
};

} // namespace tw
