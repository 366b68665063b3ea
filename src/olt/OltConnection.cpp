#include "olt/OltConnection.h"

#include "common/Gbk.h"
#include "common/Operator.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/OltLink.h"
#include "olt/OltTexts.h"
#include "olt/Transport.h"

#include <utility>

namespace tw {

OltConnection::OltConnection(const SettingsStore &settings, Operator &op, QObject *parent)
    : QObject(parent), settings_(settings), operator_(op), receive_(settings),
      runner_([this](const QByteArray &bytes) { return writeRaw(bytes); }) {
    connect(&runner_, &ScriptRunner::modeRestored, this, &OltConnection::configurationRestored);
    stranded_.setSingleShot(true);
    stranded_.setInterval(DefaultStrandedMs);
    connect(&stranded_, &QTimer::timeout, this, &OltConnection::restoreConfiguration);
    loginGrace_.setSingleShot(true);
    loginGrace_.setInterval(DefaultLoginGraceMs);
    connect(&loginGrace_, &QTimer::timeout, this, [this] {
        loggedIn_ = true; // no login was asked for: this is the CLI
        runner_.setReady(true);
        setState(LinkState::Connected);
    });
    retry_.setSingleShot(true);
    retry_.setInterval(DefaultRetryMs);
    connect(&retry_, &QTimer::timeout, this, &OltConnection::retryConnect);
}

OltConnection::~OltConnection() {
    // Silenced first: the link's last signals must not reach the runner or its owners on the way out.
    dropTransport();
}

void OltConnection::dropTransport() {
    if (waiting_) waiting_->quit(); // a connectToOlt() waiting for this link gives up
    if (!transport_) return;
    // It may be the link whose data is being handled right now: silence it, delete it later.
    transport_->disconnect(this);
    transport_->abort();
    transport_->deleteLater();
    transport_ = nullptr;
}

void OltConnection::setState(LinkState state) {
    if (state == state_) return;
    state_ = state;
    emit stateChanged(state);
}

void OltConnection::sessionEnded() {
    // What was running cannot be finished on a new session: its owners are told.
    runner_.setReady(false);
    runner_.interruptAll(QStringLiteral("与OLT的连接已断开"));
}

Transport *OltConnection::newTransport() {
    dropTransport();
    receive_.reset();
    stranded_.stop();
    retry_.stop();
    retrying_ = false;
    loggedIn_ = loginDone_ = accountAsked_ = restored_ = false;
    loginGrace_.stop();
    sessionEnded();

    const LinkProtocol protocol = protocolFrom(settings_.read(settings::OltProtocol));
    Transport *transport = makeTransport(protocol, settings_.read(settings::OltAccount),
                                         decodePassword(settings_.read(settings::OltPassword)),
                                         knownHostsFile(settings_), operator_, this);
    transport_ = transport;
    transport->setConnectTimeout(ConnectTimeoutMs);
    connect(transport, &Transport::connected, this, &OltConnection::linkUp);
    connect(transport, &Transport::failed, this,
            [this, transport](const QString &why) { linkFailed(transport, why); });
    connect(transport, &Transport::readyRead, this, &OltConnection::readAvailable);
    connect(transport, &Transport::disconnected, this, &OltConnection::linkDown);
    setState(LinkState::Connecting);
    return transport;
}

void OltConnection::linkUp() {
    retrying_ = false;
    refused_ = false;
    if (loginGrace_.interval() > 0) loginGrace_.start();
    setState(LinkState::LoggingIn);
    emit connectedChanged(true);
    if (waiting_) waiting_->quit();
}

void OltConnection::linkFailed(Transport *transport, const QString &why) {
    if (transport != transport_) return;
    const bool background = std::exchange(retrying_, false);
    refused_ = transport->refused();
    dropTransport();
    setState(refused_ ? LinkState::LoginFailed : LinkState::Disconnected);
    if (!background) emit connectedChanged(false); // 自动重连's tries told it when the link went
    // Dialling again would only be refused again (a loop of boxes, or an account locked for too
    // many wrong passwords): the operator is told once and dials again by hand.
    if (refused_)
        operator_.error(why, olt::ErrorTitle);
    else if (background && settings_.isOn(settings::AutoReconnect))
        retry_.start();
}

void OltConnection::linkDown() {
    readAvailable();
    receive_.finish(*this); // the last bytes, even if they looked like the start of a prompt
    sessionEnded();
    setState(LinkState::Disconnected);
    emit connectedChanged(false);
    // The OLT closed the connection (a reboot, a switch-over, a network failure): with 自动重连 on,
    // dial again until it answers.
    if (settings_.isOn(settings::AutoReconnect)) retry_.start();
}

bool OltConnection::connectToOlt() {
    if (refused_) {
        emit connectedChanged(false);
        return false;
    }
    Transport *transport = newTransport();
    const OltLink link = oltLink(settings_);
    if (link.port == 0) {
        dropTransport();
        setState(LinkState::Disconnected);
        emit connectedChanged(false);
        return false;
    }
    // Waits for connected() or failed(), whichever comes; a link dropped meanwhile (another
    // connect replaced it) ends the wait too.
    QEventLoop loop;
    waiting_ = &loop;
    transport->connectToHost(link.host, link.port);
    if (transport_ == transport && !transport->isConnected()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return transport_ == transport && transport->isConnected();
}

void OltConnection::retryConnect() {
    if (!settings_.isOn(settings::AutoReconnect) || isConnected() || refused_) return;
    // In the background: a rebooting OLT may not answer for minutes, and the window stays usable.
    Transport *transport = newTransport();
    const OltLink link = oltLink(settings_);
    if (link.port == 0) {
        dropTransport();
        setState(LinkState::Disconnected);
        return;
    }
    retrying_ = true;
    transport->connectToHost(link.host, link.port);
}

bool OltConnection::isConnected() const {
    return transport_ && transport_->isConnected();
}

bool OltConnection::send(const QString &script) {
    return run(script, {});
}

bool OltConnection::run(const QString &script, ScriptDone done, RunOptions options) {
    if (!isConnected()) return false;
    // Until the password has gone out the OLT is in its login dialogue, which would take a
    // command for the user name or password: the runner holds it until the login is through.
    if (!loggedIn_ && loginGrace_.interval() <= 0) runner_.setReady(true);
    runner_.run(script, std::move(done), options);
    return true;
}

bool OltConnection::sendNow(const QString &keys) {
    return writeRaw(toGbk(keys));
}

bool OltConnection::breakOutput() {
    if (!isConnected()) return false;
    if (receive_.pagedOutput()) {
        receive_.breakPaging();
        return true;
    }
    if (!sendNow(QStringLiteral("Q\r\n"))) return false;
    emit outputBroken();
    return true;
}

void OltConnection::passwordSent() {
    // The password's line is answered by the first prompt; the post-login lines go after it.
    runner_.foreignLines(1);
    loggedInByLink();
}

// The CLI is past its login: the post-login lines go one at a time, and then whatever was sent
// meanwhile. Over a link that logs in by itself (SSH) this comes with the user prompt the OLT shows
// after its banner, with no user-name or password prompt before it.
void OltConnection::loggedInByLink() {
    loggedIn_ = loginDone_ = true;
    loginGrace_.stop();
    runner_.runFirst(olt::PostLogin, {}, RunOptions{false, false});
    runner_.setReady(true);
    emit loginAnswered();
}

bool OltConnection::writeRaw(const QByteArray &bytes) {
    if (!isConnected()) return false;
    return transport_->write(bytes);
}

void OltConnection::readAvailable() {
    // A box shown while a chunk is handled runs a nested event loop in which the link reads on
    // without signalling again; pick up what came meanwhile before returning.
    stranded_.stop();
    for (QByteArray bytes; transport_ && !(bytes = transport_->readAll()).isEmpty();)
        receive_.feed(bytes, *this);
    if (!loginDone_ && !accountAsked_ && isConnected() && receive_.atUserPrompt()) loggedInByLink();
    // The CLI's first prompt after the login: the OLT took it.
    if (loginDone_ && isConnected() && (receive_.atUserPrompt() || receive_.atPrivilegedPrompt()))
        setState(LinkState::Connected);
    // A script that left the CLI outside configuration mode (a failed "interface" line, then its
    // "quit") strands it at the privileged prompt: nothing would complete from then on.
    if (loggedIn_ && !restored_ && receive_.atPrivilegedPrompt()) stranded_.start();
}

void OltConnection::restoreConfiguration() {
    if (!loggedIn_ || restored_ || !receive_.atPrivilegedPrompt()) return;
    // At once, not paced: nothing completes at this prompt, so whatever the runner waits for is
    // stuck until the CLI is back in configuration mode.
    if (!writeRaw(toGbk(olt::RestoreConfiguration))) return;
    if (!runner_.busy()) runner_.foreignLines(1);
    restored_ = true;
    emit configurationRestored(olt::RestoreConfigurationNote);
}

void OltConnection::loginRejected() {
    // The OLT asks for the account again; answering would be refused again, box after box, and
    // may lock the account. The link is closed and only the operator dials again (重连OLT).
    refused_ = true;
    dropTransport();
    sessionEnded();
    setState(LinkState::LoginFailed);
    emit connectedChanged(false);
    operator_.error(olt::LoginRejectedBox, olt::ErrorTitle);
}

} // namespace tw
