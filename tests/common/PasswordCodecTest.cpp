#include "common/PasswordCodec.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(PasswordCodec, RoundTripsIncludingChinese) {
    for (const QString &p : {QStringLiteral("admin"), QStringLiteral("密码123"), QStringLiteral("a"),
                             QStringLiteral("12345678"), QStringLiteral("x").repeated(300)}) {
        const QString stored = encodePassword(p);
        EXPECT_EQ(decodePassword(stored), p) << p.toStdString();
        EXPECT_EQ(stored, stored.toUpper());
    }
}

TEST(PasswordCodec, NewSaltEachTimeBothDecode) {
    // The salt has 95 values; a few tries make a collision practically impossible.
    QString a = encodePassword(QStringLiteral("secret")), b;
    for (int i = 0; i < 5 && (b.isEmpty() || b == a); ++i)
        b = encodePassword(QStringLiteral("secret"));
    EXPECT_NE(a, b);
    EXPECT_EQ(decodePassword(a), QStringLiteral("secret"));
    EXPECT_EQ(decodePassword(b), QStringLiteral("secret"));
}

TEST(PasswordCodec, StoredLength) {
    EXPECT_EQ(encodePassword(QStringLiteral("abc")).size(), 18);  // 1 salt + 8 cipher bytes
    EXPECT_EQ(encodePassword(QStringLiteral("abcd")).size(), 18); // 4 + 4 fills one block exactly
    EXPECT_EQ(encodePassword(QStringLiteral("abcde")).size(), 34);
}

TEST(PasswordCodec, MalformedFormsDecodeToEmpty) {
    const QString good = encodePassword(QStringLiteral("abc"));
    const QString cases[] = {
        QString(),                         // nothing stored
        good.left(17),                     // odd number of digits
        good.left(2),                      // salt only
        good.left(16),                     // cipher not a multiple of 8
        good.left(16) + "ZZ",              // not hex
        good.left(2) + "0000000000000000", // garbage block: length field implausible
        good + good.mid(2),                // cipher 12 or more bytes longer than the password
        QStringLiteral("密码"),            // not hex at all
    };
    for (const QString &c : cases)
        EXPECT_EQ(decodePassword(c), QString()) << c.toStdString();
}
