#include "olt/ResponseBuffer.h"

#include <algorithm>
#include <utility>

namespace tw {

const QByteArray ResponseBuffer::ConfigurationEcho = QByteArrayLiteral("isplay current-configuration");

namespace {

// Echoes of the listings that fill a grid; "isplay ont info by-…" is a search, not a listing.
bool gridEchoIn(QByteArrayView window) {
    for (QByteArrayView echo : {QByteArrayView("isplay ont autofind"), QByteArrayView("isplay ont version ")})
        if (window.indexOf(echo) >= 0) return true;
    const QByteArrayView info("isplay ont info ");
    for (qsizetype at = window.indexOf(info); at >= 0; at = window.indexOf(info, at + 1)) {
        const qsizetype next = at + info.size();
        if (next < window.size() && window[next] != 'b') return true;
    }
    return false;
}

constexpr qsizetype LongestGridEcho = 20; // "isplay ont autofind" and the byte after "isplay ont info "

} // namespace

void ResponseBuffer::append(QByteArrayView chunk) {
    const qsizetype oldSize = bytes_.size();
    bytes_.append(chunk);
    if (textEnd_ >= 0) return; // nothing after a NUL belongs to the text

    const qsizetype nul = chunk.indexOf('\0');
    if (nul >= 0) textEnd_ = oldSize + nul;

    lines_ += std::count(chunk.begin(), chunk.end(), '\n');
    if (!configurationEcho_) {
        // An echo split across chunks starts at most one marker length before the new bytes.
        const qsizetype from = std::max<qsizetype>(0, oldSize - (ConfigurationEcho.size() - 1));
        const QByteArrayView window = text().sliced(from);
        configurationEcho_ = window.indexOf(ConfigurationEcho) >= 0;
    }
    if (!gridEcho_) gridEcho_ = gridEchoIn(text().sliced(std::max<qsizetype>(0, oldSize - LongestGridEcho)));
}

QByteArray ResponseBuffer::take() {
    textEnd_ = -1;
    configurationEcho_ = gridEcho_ = false;
    lines_ = 0;
    return std::exchange(bytes_, {});
}

} // namespace tw
