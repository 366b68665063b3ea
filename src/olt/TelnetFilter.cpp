#include "olt/TelnetFilter.h"

#include <cstring>

namespace tw {

TelnetFilter::Result TelnetFilter::feed(QByteArrayView bytes) {
    Result out;
    out.data.reserve(bytes.size());
    const char *const data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    qsizetype iac = -1; // the next IAC at or after i (n when there is none)
    while (i < n) {
        if (state_ == State::Data) {
            // Plain text up to the next IAC or CR goes over in one piece.
            if (iac < i) {
                const void *found = std::memchr(data + i, Iac, size_t(n - i));
                iac = found ? static_cast<const char *>(found) - data : n;
            }
            const void *cr = std::memchr(data + i, '\r', size_t(iac - i));
            const qsizetype stop = cr ? static_cast<const char *>(cr) - data : iac;
            out.data.append(data + i, stop - i);
            i = stop;
            if (i == n) break;
        }
        const char b = data[i++];
        switch (state_) {
        case State::CarriageReturn:
            state_ = State::Data;
            // CR NUL is how telnet sends a bare CR; the NUL is framing, not text.
            if (b == '\0') break;
            [[fallthrough]];
        case State::Data:
            if (b == Iac) {
                state_ = State::Command;
            } else {
                out.data += b;
                if (b == '\r') state_ = State::CarriageReturn;
            }
            break;
        case State::Command:
            if (b == Iac) {
                out.data += Iac;
                state_ = State::Data;
            } else if (b == Will || b == Wont || b == Do || b == Dont) {
                verb_ = b;
                state_ = State::Option;
            } else if (b == Sb) {
                state_ = State::Sub;
            } else {
                state_ = State::Data; // NOP, GA and the other two-byte commands
            }
            break;
        case State::Option:
            if (verb_ == Will || verb_ == Do) {
                const char refusal[3] = {Iac, verb_ == Will ? Dont : Wont, b};
                out.reply.append(refusal, 3);
            }
            state_ = State::Data;
            break;
        case State::Sub:
            if (b == Iac) state_ = State::SubIac;
            break;
        case State::SubIac:
            state_ = b == Se ? State::Data : State::Sub;
            break;
        }
    }
    return out;
}

} // namespace tw
