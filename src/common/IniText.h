#pragma once
// Line-level INI editing on raw bytes, so lines the program does not touch survive unchanged even
// when they hold bytes that are not valid GBK.

#include <QByteArray>
#include <QString>

namespace tw::ini {

// The value bytes of the first `key` in the first `[section]`, or null when absent.
// Section and key names compare case-insensitively with surrounding blanks ignored, as Windows does.
QByteArray findValue(const QByteArray &file, QStringView section, QStringView key);

// The file with `key` set to `value` (GBK bytes): the first occurrence is replaced, a missing key is
// added at the end of its section, a missing section is appended to the file.
QByteArray withValue(const QByteArray &file, QStringView section, QStringView key, const QByteArray &value);

} // namespace tw::ini
