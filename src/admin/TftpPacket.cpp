#include "admin/TftpPacket.h"

#include <algorithm>

namespace tw::tftp {

namespace {

quint16 word(QByteArrayView bytes, qsizetype at) {
    return quint16((quint8(bytes[at]) << 8) | quint8(bytes[at + 1]));
}

void appendWord(QByteArray &out, quint16 value) {
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
}

// The NUL-ended field at `pos`, moving `pos` past its NUL; nullopt when the NUL is missing.
std::optional<QByteArray> field(QByteArrayView packet, qsizetype &pos) {
    const qsizetype end = packet.indexOf('\0', pos);
    if (end < 0) return std::nullopt;
    QByteArray out = packet.sliced(pos, end - pos).toByteArray();
    pos = end + 1;
    return out;
}

} // namespace

quint16 opcodeOf(QByteArrayView packet) {
    return packet.size() < 2 ? 0 : word(packet, 0);
}

quint16 blockOf(QByteArrayView packet) {
    return packet.size() < 4 ? 0 : word(packet, 2);
}

std::optional<Request> parseRequest(QByteArrayView packet) {
    const quint16 op = opcodeOf(packet);
    if (op != Rrq && op != Wrq) return std::nullopt;
    Request r;
    r.opcode = Opcode(op);
    qsizetype pos = 2;
    const std::optional<QByteArray> file = field(packet, pos);
    const std::optional<QByteArray> mode = file ? field(packet, pos) : std::nullopt;
    if (!mode) return std::nullopt;
    r.file = *file;
    r.mode = mode->toLower();
    while (pos < packet.size()) {
        const std::optional<QByteArray> name = field(packet, pos);
        const std::optional<QByteArray> value = name ? field(packet, pos) : std::nullopt;
        if (!value) return std::nullopt;
        const QByteArray key = name->toLower();
        // A repeated option: the last value counts, so each is negotiated (and acknowledged) once.
        const auto same = std::find_if(r.options.begin(), r.options.end(),
                                       [&](const auto &option) { return option.first == key; });
        if (same != r.options.end())
            same->second = *value;
        else
            r.options.append({key, *value});
    }
    return r;
}

QByteArray dataPacket(quint16 block, QByteArrayView payload) {
    QByteArray out;
    out.reserve(4 + payload.size());
    appendWord(out, Data);
    appendWord(out, block);
    out.append(payload);
    return out;
}

QByteArray ackPacket(quint16 block) {
    QByteArray out;
    appendWord(out, Ack);
    appendWord(out, block);
    return out;
}

QByteArray errorPacket(quint16 code, QByteArrayView message) {
    QByteArray out;
    appendWord(out, Error);
    appendWord(out, code);
    out.append(message);
    out.append('\0');
    return out;
}

QByteArray oackPacket(const Options &options) {
    QByteArray out;
    appendWord(out, Oack);
    for (const auto &[name, value] : options) {
        out.append(name);
        out.append('\0');
        out.append(value);
        out.append('\0');
    }
    return out;
}

QPair<quint16, QByteArray> errorOf(QByteArrayView packet) {
    if (packet.size() < 4) return {NotDefined, {}};
    QByteArrayView message = packet.sliced(4);
    const qsizetype nul = message.indexOf('\0');
    if (nul >= 0) message = message.first(nul);
    return {word(packet, 2), message.toByteArray()};
}

} // namespace tw::tftp
