#include "olt/ResponseBuffer.h"

#include <algorithm>
#include <utility>

namespace tw {

const QByteArray ResponseBuffer::ConfigurationEcho = QByteArrayLiteral("isplay current-configuration");

void ResponseBuffer::append(QByteArrayView chunk) {
    const qsizetype oldSize = bytes_.size();
    bytes_.append(chunk);
    if (textEnd_ >= 0) return; // nothing after a NUL belongs to the text

    const qsizetype nul = chunk.indexOf('\0');
    if (nul >= 0) textEnd_ = oldSize + nul;

    if (!configurationEcho_) {
        // An echo split across chunks starts at most one marker length before the new bytes.
        const qsizetype from = std::max<qsizetype>(0, oldSize - (ConfigurationEcho.size() - 1));
        const QByteArrayView window = text().sliced(from);
        configurationEcho_ = window.indexOf(ConfigurationEcho) >= 0;
    }
}

QByteArray ResponseBuffer::take() {
    textEnd_ = -1;
    configurationEcho_ = false;
    return std::exchange(bytes_, {});
}

} // namespace tw
