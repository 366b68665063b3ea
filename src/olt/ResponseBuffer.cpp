#include "olt/ResponseBuffer.h"

#include "common/ByteFinder.h"

#include <algorithm>
#include <utility>

namespace tw {

const QByteArray ResponseBuffer::ConfigurationEcho = QByteArrayLiteral("isplay current-configuration");

namespace {

// Every echo looked for starts with this: one search finds them all.
const ByteFinder EchoStart(QByteArrayLiteral("isplay "));

// Echoes of the listings that fill a grid; "isplay ont info by-…" is a search, not a listing.
bool gridEchoAt(QByteArrayView echo) {
    const QByteArrayView info("isplay ont info ");
    return echo.startsWith("isplay ont autofind") || echo.startsWith("isplay ont version ") ||
           (echo.startsWith(info) && echo.size() > info.size() && echo[info.size()] != 'b');
}

// The longest echo looked for ("isplay current-configuration"): one split across chunks starts
// at most this many bytes, less one, before the new bytes.
constexpr qsizetype LongestEcho = 28;

} // namespace

void ResponseBuffer::append(QByteArrayView chunk) {
    const qsizetype oldSize = bytes_.size();
    bytes_.append(chunk);
    if (textEnd_ >= 0) return; // nothing after a NUL belongs to the text

    const qsizetype nul = chunk.indexOf('\0');
    if (nul >= 0) textEnd_ = oldSize + nul;

    lines_ += std::count(chunk.begin(), chunk.end(), '\n');
    if (configurationEcho_ && gridEcho_) return;
    // Only the new bytes are searched, with what an echo cut by the chunk's start may need.
    const QByteArrayView t = text();
    for (qsizetype at = std::max<qsizetype>(0, oldSize - (LongestEcho - 1));
         (at = EchoStart.indexIn(t, at)) >= 0; ++at) {
        const QByteArrayView echo = t.sliced(at);
        configurationEcho_ = configurationEcho_ || echo.startsWith(ConfigurationEcho);
        gridEcho_ = gridEcho_ || gridEchoAt(echo);
    }
}

QByteArray ResponseBuffer::take() {
    textEnd_ = -1;
    configurationEcho_ = gridEcho_ = false;
    lines_ = 0;
    return std::exchange(bytes_, {});
}

} // namespace tw
