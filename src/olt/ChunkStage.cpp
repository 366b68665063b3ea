#include "olt/ChunkStage.h"

#include "common/Gbk.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "olt/OltTexts.h"

#include <algorithm>

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

void removeAll(QByteArray &bytes, const QByteArray &pattern) {
    qsizetype at = 0;
    while ((at = bytes.indexOf(pattern, at)) >= 0)
        bytes.remove(at, pattern.size());
}

} // namespace

QByteArray removeTerminalControls(QByteArrayView chunk) {
    QByteArray out;
    out.reserve(chunk.size());
    qsizetype i = 0;
    while (i < chunk.size()) {
        const char c = chunk[i];
        const bool hasNext = i + 1 < chunk.size();
        if (c == Esc && hasNext && chunk[i + 1] == '[') {
            const qsizetype end = csiEnd(chunk, i);
            if (end < 0) break;
            const QByteArrayView seq = chunk.sliced(i, end - i);
            const qsizetype erase = erasePatternLength(chunk, i, seq);
            i = erase > 0 ? i + erase : end;
        } else if (c == Bel && hasNext && chunk[i + 1] == ' ') {
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

ChunkOutcome runChunkStage(QByteArray chunk, const SettingsStore &settings) {
    ChunkOutcome out;

    removeAll(chunk, olt::CursorBack);

    if (chunk.contains(olt::EscapeStart) || chunk.contains(olt::BellSpace)) {
        chunk = removeTerminalControls(chunk);
        if (chunk.isEmpty() || chunk == " ") {
            out.discarded = true;
            return out;
        }
    }

    const QByteArray paging = olt::pagingPrompt();
    if (chunk.contains(paging)) {
        out.sends.append(toGbk(olt::PagingAnswer));
        removeAll(chunk, paging);
    }

    const QString text = fromGbk(chunk);
    if (text.contains(olt::UserNamePrompt)) {
        out.accountAnswered = true;
        out.sends.append(toGbk(settings.read(settings::OltAccount) + olt::LineEnd));
    } else if (text.contains(olt::PasswordPrompt)) {
        const QString password = decodePassword(settings.read(settings::OltPassword));
        out.sends.append(toGbk(password + olt::AfterPassword));
        out.loginAnswered = true;
    }

    if (chunk == olt::LoginRejected) {
        out.loginRejected = true;
        out.discarded = true;
        return out;
    }

    if (text.contains(olt::IdleNotice)) {
        if (settings.isOn(settings::AutoReconnect)) {
            out.reconnect = true;
            out.sendsBeforeReconnect = out.sends.size();
        }
    } else if (text.contains(olt::WrongBoardType) || text.contains(olt::NoSuchBoard)) {
        out.sends.append(toGbk(olt::BackToConfig));
    }

    if (text.contains(olt::OptionalPrompt)) out.sends.append(toGbk(olt::LineEnd));

    out.passOn = std::move(chunk);
    return out;
}

} // namespace tw
