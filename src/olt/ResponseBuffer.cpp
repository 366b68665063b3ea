#include "olt/ResponseBuffer.h"

#include "common/ByteFinder.h"
#include "common/Gbk.h"

#include <algorithm>
#include <utility>

namespace tw {

const QByteArray ResponseBuffer::ConfigurationEcho = QByteArrayLiteral("isplay current-configuration");

namespace {

// Every echo looked for starts with this: one search finds them all.
const ByteFinder EchoStart(QByteArrayLiteral("isplay "));

// The echo of an ONT list; "isplay ont info by-…" is a search, not a listing.
bool ontListEchoAt(QByteArrayView echo) {
    const QByteArrayView info("isplay ont info ");
    return echo.startsWith(info) && echo.size() > info.size() && echo[info.size()] != 'b';
}

// Echoes of the listings that fill a grid.
bool gridEchoAt(QByteArrayView echo) {
    return echo.startsWith("isplay ont autofind") || echo.startsWith("isplay ont version ") ||
           ontListEchoAt(echo);
}

// Each row of an ONT list holds its control flag once: "激活" or "去激活".
const ByteFinder ControlFlag(toGbk(u"激活"));

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
    const QByteArrayView t = text();
    if (!configurationEcho_ || !gridEcho_) {
        // Only the new bytes are searched, with what an echo cut by the chunk's start may need.
        for (qsizetype at = std::max<qsizetype>(0, oldSize - (LongestEcho - 1));
             (at = EchoStart.indexIn(t, at)) >= 0; ++at) {
            const QByteArrayView echo = t.sliced(at);
            configurationEcho_ = configurationEcho_ || echo.startsWith(ConfigurationEcho);
            gridEcho_ = gridEcho_ || gridEchoAt(echo);
            ontListEcho_ = ontListEcho_ || ontListEchoAt(echo);
        }
    }
    // A flag cut by the chunk's end is counted with the next chunk, and none twice.
    qsizetype next = ontScanFrom_;
    if (ontListEcho_) {
        for (qsizetype at = ontScanFrom_; (at = ControlFlag.indexIn(t, at)) >= 0; at = next) {
            ++onts_;
            next = at + ControlFlag.size();
        }
    }
    ontScanFrom_ = std::max(next, t.size() - (ControlFlag.size() - 1));
}

QByteArray ResponseBuffer::take() {
    textEnd_ = -1;
    configurationEcho_ = gridEcho_ = ontListEcho_ = false;
    lines_ = onts_ = ontScanFrom_ = 0;
    return std::exchange(bytes_, {});
}

} // namespace tw
