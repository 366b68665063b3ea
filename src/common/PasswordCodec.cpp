#include "common/PasswordCodec.h"

#include "common/Gbk.h"

#include <QRandomGenerator>
#include <openssl/des.h>

#include <array>
#include <cctype>
#include <cstring>

namespace tw {

namespace {

// Part of every stored password: changing it makes all stored passwords unreadable.
constexpr char KeySuffix[] = "k7Q";

DES_key_schedule scheduleFor(int salt) {
    const QByteArray keyText = QByteArray::number(salt) + KeySuffix;
    DES_cblock key{};
    for (qsizetype i = 0; i < keyText.size(); ++i)
        key[i % 8] ^= static_cast<unsigned char>(keyText[i]);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&key, &schedule);
    return schedule;
}

QByteArray desEcb(const QByteArray &in, int salt, int direction) {
    DES_key_schedule schedule = scheduleFor(salt);
    QByteArray out(in.size(), '\0');
    for (qsizetype off = 0; off + 8 <= in.size(); off += 8) {
        DES_cblock block, result;
        std::memcpy(block, in.constData() + off, 8);
        DES_ecb_encrypt(&block, &result, &schedule, direction);
        std::memcpy(out.data() + off, result, 8);
    }
    return out;
}

} // namespace

QString encodePassword(const QString &plain) {
    const int salt = static_cast<int>(QRandomGenerator::system()->bounded(32, 127));
    const QByteArray bytes = toGbk(plain);
    const quint32 length = static_cast<quint32>(bytes.size());
    QByteArray block;
    for (int i = 0; i < 4; ++i)
        block += static_cast<char>((length >> (8 * i)) & 0xFF);
    block += bytes;
    while (block.size() % 8 != 0)
        block += '\0';
    const QByteArray stored = QByteArray(1, static_cast<char>(salt)) + desEcb(block, salt, DES_ENCRYPT);
    return QString::fromLatin1(stored.toHex().toUpper());
}

QString decodePassword(const QString &stored) {
    if (stored.size() % 2 != 0 || stored.size() < 2) return {};
    for (QChar c : stored)
        if (!(c.unicode() < 128 && std::isxdigit(c.unicode()))) return {};
    const QByteArray raw = QByteArray::fromHex(stored.toLatin1());
    const int salt = static_cast<unsigned char>(raw[0]);
    const QByteArray cipher = raw.sliced(1);
    if (cipher.isEmpty() || cipher.size() % 8 != 0) return {};
    const QByteArray plain = desEcb(cipher, salt, DES_DECRYPT);
    qint64 length = 0;
    for (int i = 3; i >= 0; --i)
        length = (length << 8) | static_cast<unsigned char>(plain[i]);
    if (length >= 0x80000000LL) length -= 0x100000000LL; // a signed 32-bit length, as stored
    if (length <= 0 || length + 4 > cipher.size() || cipher.size() - length >= 12) return {};
    return fromGbk(plain.sliced(4, length));
}

} // namespace tw
