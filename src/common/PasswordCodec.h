#pragma once
// The stored form of the OLT password in config.ini: a salt byte and the DES-ECB cipher of the
// length-prefixed GBK password, as upper-case hex.

#include <QString>

namespace tw {

QString encodePassword(const QString &plain);
// Empty for any text that is not a well-formed stored password.
QString decodePassword(const QString &stored);

} // namespace tw
