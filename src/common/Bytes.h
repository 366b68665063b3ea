#pragma once
// Byte searches that are safe on any input.

#include <QByteArrayView>

namespace tw {

// The start of the last occurrence of `needle` in `text`, -1 when there is none. Qt 6.4's own
// lastIndexOf reads bytes before the start of the text when the needle is longer than the text
// (an ordinary small TCP read is shorter than the prompts we look for): use this one instead.
inline qsizetype lastIndexOfBytes(QByteArrayView text, QByteArrayView needle) {
    if (needle.size() > text.size()) return -1;
    return text.lastIndexOf(needle);
}

} // namespace tw
