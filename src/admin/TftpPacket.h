#pragma once
// TFTP packets (RFC 1350) with option negotiation (RFC 2347): what the built-in server reads and
// writes. Pure functions over bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

#include <optional>

namespace tw::tftp {

enum Opcode : quint16 { Rrq = 1, Wrq = 2, Data = 3, Ack = 4, Error = 5, Oack = 6 };

enum ErrorCode : quint16 {
    NotDefined = 0,
    FileNotFound = 1,
    AccessViolation = 2,
    DiskFull = 3,
    IllegalOperation = 4,
    UnknownTransferId = 5,
    FileExists = 6,
    NoSuchUser = 7,
    OptionRefused = 8,
};

using Options = QList<QPair<QByteArray, QByteArray>>;

struct Request {
    Opcode opcode = Rrq; // Rrq or Wrq
    QByteArray file;
    QByteArray mode; // lower case
    Options options; // names in lower case, each once (the last value sent), in the order sent
};

// The opcode of a packet; 0 when it is shorter than one.
quint16 opcodeOf(QByteArrayView packet);
// The block number of a DATA or ACK packet (0 when too short).
quint16 blockOf(QByteArrayView packet);
// A read or write request; nullopt when it is not one or is malformed (a field without its NUL).
std::optional<Request> parseRequest(QByteArrayView packet);

QByteArray dataPacket(quint16 block, QByteArrayView payload);
QByteArray ackPacket(quint16 block);
// The message must be ASCII text without NUL.
QByteArray errorPacket(quint16 code, QByteArrayView message);
QByteArray oackPacket(const Options &options);
// The code and message of an ERROR packet.
QPair<quint16, QByteArray> errorOf(QByteArrayView packet);

} // namespace tw::tftp
