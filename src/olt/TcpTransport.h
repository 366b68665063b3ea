#pragma once
// Telnet's transport: a plain TCP socket, bytes unchanged in both directions.

#include "olt/Transport.h"

#include <QPointer>
#include <QTimer>

class QTcpSocket;

namespace tw {

class TcpTransport : public Transport {
    Q_OBJECT
  public:
    explicit TcpTransport(QObject *parent = nullptr);
    ~TcpTransport() override;

    void connectToHost(const QString &host, quint16 port) override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void abort() override;
    bool isConnected() const override;

  private:
    void fail(const QString &reason);

    QPointer<QTcpSocket> socket_;
    QTimer timeout_;
    QString target_; // host:port, for the reasons
    bool connected_ = false;
};

} // namespace tw
