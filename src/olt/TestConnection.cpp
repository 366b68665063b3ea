#include "olt/TestConnection.h"

#include "common/Gbk.h"
#include "common/Operator.h"
#include "common/Text.h"
#include "olt/OltTexts.h"

namespace tw {

TestConnection::TestConnection(Operator &op, QObject *parent) : QObject(parent), operator_(op) {
    connectTimer_.setSingleShot(true);
    connect(&connectTimer_, &QTimer::timeout, this, [this] {
        if (connecting_) connectFailed();
    });
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        connecting_ = false;
        connectTimer_.stop();
    });
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this] {
        if (connecting_) connectFailed();
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &TestConnection::readAvailable);
}

void TestConnection::start(const QString &host, const QString &portText, const QString &account,
                           const QString &password) {
    connecting_ = false;
    connectTimer_.stop();
    socket_.abort();
    telnet_.reset();
    account_ = account;
    password_ = password;

    const int port = leadingInt(portText);
    if (port <= 0 || port > 65535) {
        operator_.error(olt::TestBadAddress, olt::ErrorTitle);
        return;
    }
    connecting_ = true; // before connecting: a bad host may fail at once
    connectTimer_.start(connectTimeoutMs_);
    socket_.connectToHost(host, static_cast<quint16>(port));
}

void TestConnection::connectFailed() {
    connecting_ = false;
    connectTimer_.stop();
    socket_.abort();
    operator_.error(olt::TestBadAddress, olt::ErrorTitle);
}

void TestConnection::readAvailable() {
    while (socket_.bytesAvailable() > 0)
        handleChunk(socket_.readAll());
}

void TestConnection::handleChunk(const QByteArray &bytes) {
    TelnetFilter::Result telnet = telnet_.feed(bytes);
    if (!telnet.reply.isEmpty()) socket_.write(telnet.reply);
    const QByteArray &chunk = telnet.data;

    if (chunk == olt::TestUserPrompt) {
        socket_.write(toGbk(account_ + olt::LineEnd + password_ + QStringLiteral("\r\n\r\n\r\n\r\n")));
    } else if (chunk == olt::Banner) {
        operator_.notice(olt::TestSucceeded, DefaultBoxTitle, BoxIcon::Information);
        socket_.write(toGbk(olt::TestLogout));
    } else if (chunk == olt::LoginRejected) {
        operator_.error(olt::TestRejected, olt::ErrorTitle);
    }
}

} // namespace tw
