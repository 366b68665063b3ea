#include "olt/ChunkStage.h"

#include "common/ByteFinder.h"
#include "common/Gbk.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "olt/OltTexts.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace tw {

namespace {

constexpr char Esc = '\x1b';
constexpr char Bel = '\x07';

bool inRange(char c, int lo, int hi) {
    const auto u = static_cast<unsigned char>(c);
    return u >= lo && u <= hi;
}

// End (one past the final byte) of the CSI sequence starting at `from`, -1 when the chunk ends
// inside it. A sequence broken by a byte that cannot belong to it ends before that byte.
qsizetype csiEnd(QByteArrayView bytes, qsizetype from) {
    qsizetype i = from + 2;
    while (i < bytes.size() && inRange(bytes[i], 0x30, 0x3F))
        ++i;
    while (i < bytes.size() && inRange(bytes[i], 0x20, 0x2F))
        ++i;
    if (i == bytes.size()) return -1;
    return inRange(bytes[i], 0x40, 0x7E) ? i + 1 : i;
}

// The column count of a cursor-left sequence (ESC [ digits D), or -1 for any other sequence.
int cursorLeftCount(QByteArrayView seq) {
    if (seq.size() < 3 || seq.back() != 'D') return -1;
    const QByteArrayView digits = seq.sliced(2, seq.size() - 3);
    if (digits.size() > 4) return -1;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return digits.isEmpty() ? 1 : n;
}

// Length of the erase pattern at `from` (ESC[nD, n blanks, ESC[nD), or 0 when there is none.
qsizetype erasePatternLength(QByteArrayView bytes, qsizetype from, QByteArrayView seq) {
    const int n = cursorLeftCount(seq);
    if (n <= 0) return 0;
    const qsizetype blanks = from + seq.size();
    const qsizetype second = blanks + n;
    if (second + seq.size() > bytes.size()) return 0;
    const QByteArrayView run = bytes.sliced(blanks, n);
    if (!std::all_of(run.begin(), run.end(), [](char c) { return c == ' '; })) return 0;
    if (bytes.sliced(second, seq.size()) != seq) return 0;
    return 2 * seq.size() + n;
}

// Every occurrence of the pattern removed, left to right, in one pass into a new buffer (a chunk
// of a whole listing holds thousands of paging prompts: moving its tail for each would be
// quadratic).
// Returns how many were removed.
int removeAll(QByteArray &bytes, const ByteFinder &pattern) {
    qsizetype at = pattern.indexIn(bytes);
    if (at < 0) return 0;
    QByteArray out;
    out.reserve(bytes.size());
    qsizetype from = 0;
    int count = 0;
    for (; at >= 0; at = pattern.indexIn(bytes, from)) {
        out.append(bytes.constData() + from, at - from);
        from = at + pattern.size();
        ++count;
    }
    out.append(bytes.constData() + from, bytes.size() - from);
    bytes = std::move(out);
    return count;
}

// `prompts` paging prompts arrived: each after the first of an output took one key of ours.
void answerPaging(Pager &pager, int prompts, ChunkOutcome &out) {
    pager.paged = true;
    pager.keysAhead = std::max(0, pager.keysAhead - prompts);
    if (pager.breaking) {
        // Keys still on their way show their pages first; the break goes to the pager that waits.
        if (pager.keysAhead > 0) return;
        out.sends.append(QByteArrayLiteral("q"));
        out.pagingBroken = true;
        pager.breaking = false;
        return;
    }
    // Enter is the page key: one the output outlives reaches the command line as an empty line,
    // whose prompt comes back, and leaves nothing typed on the input line.
    out.sends.append(QByteArrayLiteral("\r\n").repeated(Pager::KeysAhead - pager.keysAhead));
    pager.keysAhead = Pager::KeysAhead;
}

// The fixed texts, as the bytes they are in a chunk.
struct Patterns {
    ByteFinder cursorBack{olt::CursorBack};
    ByteFinder escapeStart{olt::EscapeStart};
    ByteFinder bellSpace{olt::BellSpace};
    ByteFinder paging{olt::pagingPrompt()};
    ByteFinder userName{toGbk(olt::UserNamePrompt)};
    ByteFinder password{toGbk(olt::PasswordPrompt)};
    ByteFinder idle{toGbk(olt::IdleNotice)};
    ByteFinder wrongBoard{toGbk(olt::WrongBoardType)};
    ByteFinder noBoard{toGbk(olt::NoSuchBoard)};
};

const Patterns &patterns() {
    static const Patterns p;
    return p;
}

// The chunk's text (up to its first NUL), decoded only when a search needs it: a text found in the
// decoded text has its GBK bytes in the chunk (ASCII stands for itself and each of these texts has
// one encoding), so the bytes are searched first and most chunks are never decoded.
class ChunkText {
  public:
    explicit ChunkText(QByteArrayView chunk) : bytes_(untilNul(chunk)) {}
    bool contains(const QString &text, const ByteFinder &encoded) {
        if (!encoded.in(bytes_)) return false;
        if (!text_) text_ = fromGbk(bytes_);
        return text_->contains(text);
    }

  private:
    QByteArrayView bytes_;
    std::optional<QString> text_;
};

} // namespace

QByteArray removeTerminalControls(QByteArrayView chunk) {
    QByteArray out;
    out.reserve(chunk.size());
    const char *const data = chunk.data();
    qsizetype i = 0;
    while (i < chunk.size()) {
        // Copy up to the next control byte in one go.
        const char *esc = static_cast<const char *>(std::memchr(data + i, Esc, size_t(chunk.size() - i)));
        const qsizetype limit = esc ? esc - data : chunk.size();
        const char *bel = static_cast<const char *>(std::memchr(data + i, Bel, size_t(limit - i)));
        const qsizetype next = bel ? bel - data : limit;
        out.append(data + i, next - i);
        i = next;
        if (i == chunk.size()) break;
        const bool hasNext = i + 1 < chunk.size();
        if (chunk[i] == Esc && hasNext && chunk[i + 1] == '[') {
            const qsizetype end = csiEnd(chunk, i);
            if (end < 0) break;
            const QByteArrayView seq = chunk.sliced(i, end - i);
            const qsizetype erase = erasePatternLength(chunk, i, seq);
            i = erase > 0 ? i + erase : end;
        } else if (chunk[i] == Bel && hasNext && chunk[i + 1] == ' ') {
            i += 2;
        } else {
            out += chunk[i];
            ++i;
        }
    }
    return out;
}

ChunkOutcome runChunkStage(QByteArray chunk, const SettingsStore &settings, Pager *pager) {
    ChunkOutcome out;
    const Patterns &p = patterns();

    removeAll(chunk, p.cursorBack);

    if (p.escapeStart.in(chunk) || p.bellSpace.in(chunk)) {
        chunk = removeTerminalControls(chunk);
        if (chunk.isEmpty() || chunk == " ") {
            out.discarded = true;
            return out;
        }
    }

    if (const int prompts = removeAll(chunk, p.paging); prompts > 0) {
        Pager alone;
        answerPaging(pager ? *pager : alone, prompts, out);
    }

    ChunkText text(chunk);
    if (text.contains(olt::UserNamePrompt, p.userName)) {
        out.accountAnswered = true;
        out.sends.append(toGbk(settings.read(settings::OltAccount) + olt::LineEnd));
    } else if (text.contains(olt::PasswordPrompt, p.password)) {
        const QString password = decodePassword(settings.read(settings::OltPassword));
        out.sends.append(toGbk(password + olt::LineEnd));
        out.loginAnswered = true;
    }

    if (chunk == olt::LoginRejected) {
        out.loginRejected = true;
        out.discarded = true;
        return out;
    }

    if (text.contains(olt::IdleNotice, p.idle)) {
        if (settings.isOn(settings::AutoReconnect)) {
            out.reconnect = true;
            out.sendsBeforeReconnect = out.sends.size();
        }
    } else if (text.contains(olt::WrongBoardType, p.wrongBoard) ||
               text.contains(olt::NoSuchBoard, p.noBoard)) {
        out.sends.append(toGbk(olt::BackToConfig));
        out.typedLines += 2;
    }

    out.passOn = std::move(chunk);
    return out;
}

} // namespace tw
