#pragma once
// A file transfer a command asks for, and how it ended. The session only states what it wants;
// the server runs the transfer over TFTP and hands the result back.

#include <QByteArray>
#include <QString>

namespace tw::sim {

struct TransferRequest {
    enum class Direction { Get, Put };
    Direction direction = Direction::Get;
    QString server; // IPv4 address as typed
    QString file;
    QByteArray data; // what a put sends
};

struct TransferResult {
    enum class Outcome { Done, TimedOut, Refused, Failed };
    Outcome outcome = Outcome::Done;
    QByteArray data; // what a get received
    QString error;   // the server's error text (Refused) or what went wrong locally (Failed)

    bool ok() const { return outcome == Outcome::Done; }
};

// How the device talks to TFTP servers: the port they listen on (the CLI names only the
// address) and how long it waits for an answer before it sends again, and gives up.
struct TftpSettings {
    quint16 port = 69;
    int timeoutMs = 1000;
    int retries = 3;
    qint64 maxBytes = 64 * 1024 * 1024; // a download beyond this is refused, not kept in memory
};

} // namespace tw::sim
