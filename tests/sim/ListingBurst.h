#pragma once
// A burst of telnet clients that log in to a simulator and list the whole chassis at once: half
// hang up before the reply, half never read it. For the load test and the login benchmark.

#include <QHostAddress>
#include <QObject>
#include <QTcpSocket>

#include <memory>
#include <vector>

namespace tw::sim::testing {

struct ListingBurst {
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    int listing = 0; // clients that have asked for the listing

    // Connects `count` clients to the port; they go on as the event loop runs.
    void start(quint16 port, int count) {
        for (int i = 0; i < count; ++i) {
            clients.push_back(std::make_unique<QTcpSocket>());
            QTcpSocket *c = clients.back().get();
            c->setReadBufferSize(4096); // a client that reads slowly
            auto stage = std::make_shared<int>(0);
            QObject::connect(c, &QTcpSocket::readyRead, c, [this, c, stage, i] {
                const QByteArray seen = c->peek(4096);
                if (*stage == 0 && seen.contains(">>User name:")) {
                    c->read(4096);
                    c->write("root\r\n");
                    *stage = 1;
                } else if (*stage == 1 && seen.contains(">>User password:")) {
                    c->read(4096);
                    c->write("admin\r\n\r\nenable\r\nconfig\r\ndisplay ont info 0 all\r\n");
                    *stage = 2;
                    ++listing;
                    if (i % 2) c->disconnectFromHost(); // gone before the reply
                }
            });
            c->connectToHost(QHostAddress::LocalHost, port);
        }
    }
};

} // namespace tw::sim::testing
