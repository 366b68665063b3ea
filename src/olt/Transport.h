#pragma once
// The byte stream to the OLT under the connection: a TCP socket for telnet, or the shell channel
// of an SSH session. Either way readAll() gives what the OLT's CLI sent (over TCP with its telnet
// negotiation, over SSH without any) and write() sends bytes as they are.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tw {

class Transport : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Starts connecting (after abort() of any earlier link); connected() or failed() follows,
    // exactly one of them, from the event loop. A host name is looked up without blocking.
    virtual void connectToHost(const QString &host, quint16 port) = 0;
    // Queues the bytes for the OLT; false, and nothing queued, while not connected.
    virtual bool write(const QByteArray &bytes) = 0;
    // Everything received since the last call.
    virtual QByteArray readAll() = 0;
    // Drops the link or the attempt at once. No signal follows.
    virtual void abort() = 0;
    virtual bool isConnected() const = 0;

    // How long connecting may take, from connectToHost() to connected() (for SSH this includes the
    // key exchange, the host key check, the login and opening the shell); then failed().
    void setConnectTimeout(int ms) { connectTimeoutMs_ = ms; }

    // Whether the link logs in by itself (SSH's password authentication): connected() then means
    // the account was accepted, and the CLI needs no login dialogue.
    virtual bool logsIn() const { return false; }
    // Whether the last failed() was a refusal that dialling again would only repeat: the login was
    // rejected, or the server's host key was not trusted or has changed. Only the operator may try
    // again after one.
    bool refused() const { return refused_; }

  signals:
    void connected();
    void readyRead();
    // After connected(): the OLT closed the link, or the network lost it.
    void disconnected();
    // Instead of connected(): why the link could not be made, in the operator's words.
    void failed(const QString &reason);

  protected:
    int connectTimeoutMs_ = 10000;
    bool refused_ = false;
};

} // namespace tw
