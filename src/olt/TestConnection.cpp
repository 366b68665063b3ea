#include "olt/TestConnection.h"

#include "common/Gbk.h"
#include "common/Operator.h"
#include "olt/OltTexts.h"
#include "olt/Transport.h"

namespace tw {

TestConnection::TestConnection(Operator &op, QObject *parent) : TestConnection(op, QString(), parent) {}

TestConnection::TestConnection(Operator &op, QString knownHosts, QObject *parent)
    : QObject(parent), operator_(op), knownHosts_(std::move(knownHosts)) {}

void TestConnection::dropTransport() {
    if (!transport_) return;
    transport_->disconnect(this);
    transport_->abort();
    transport_->deleteLater();
    transport_ = nullptr;
}

void TestConnection::start(const QString &host, const QString &portText, const QString &account,
                           const QString &password, const QString &protocol) {
    dropTransport();
    telnet_.reset();
    account_ = account;
    password_ = password;

    const quint16 port = portFrom(portText);
    if (port == 0) {
        operator_.error(olt::TestBadAddress, olt::ErrorTitle);
        return;
    }
    Transport *transport =
        makeTransport(protocolFrom(protocol), account, password, knownHosts_, operator_, this);
    transport_ = transport;
    transport->setConnectTimeout(ConnectTimeoutMs);
    connect(transport, &Transport::connected, this, &TestConnection::connected);
    connect(transport, &Transport::failed, this, &TestConnection::failed);
    connect(transport, &Transport::readyRead, this, &TestConnection::readAvailable);
    transport->connectToHost(host, port); // a bad host fails from the event loop, not at once
}

void TestConnection::connected() {
    if (!transport_->logsIn()) return; // the login dialogue tells
    operator_.notice(olt::TestSucceeded, DefaultBoxTitle, BoxIcon::Information);
    transport_->write(toGbk(olt::TestLogout));
}

void TestConnection::failed(const QString &why) {
    const bool refused = transport_ && transport_->refused();
    dropTransport();
    operator_.error(refused ? why : olt::TestBadAddress, olt::ErrorTitle);
}

void TestConnection::readAvailable() {
    for (QByteArray bytes; transport_ && !(bytes = transport_->readAll()).isEmpty();)
        if (!transport_->logsIn()) handleChunk(bytes); // over SSH the opening said it all
}

void TestConnection::handleChunk(const QByteArray &bytes) {
    TelnetFilter::Result telnet = telnet_.feed(bytes);
    if (!telnet.reply.isEmpty()) transport_->write(telnet.reply);
    const QByteArray &chunk = telnet.data;

    if (chunk == olt::TestUserPrompt) {
        transport_->write(toGbk(account_ + olt::LineEnd + password_ + QStringLiteral("\r\n\r\n\r\n\r\n")));
    } else if (chunk == olt::Banner) {
        operator_.notice(olt::TestSucceeded, DefaultBoxTitle, BoxIcon::Information);
        transport_->write(toGbk(olt::TestLogout));
    } else if (chunk == olt::LoginRejected) {
        // The test ends here: the OLT asks for the account again, and answering it would only be
        // refused again, box after box.
        dropTransport();
        operator_.error(olt::TestRejected, olt::ErrorTitle);
    }
}

} // namespace tw
