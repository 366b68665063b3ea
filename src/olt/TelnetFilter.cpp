#include "olt/TelnetFilter.h"

namespace tw {

TelnetFilter::Result TelnetFilter::feed(QByteArrayView bytes) {
    Result out;
    out.data.reserve(bytes.size());
    for (const char b : bytes) {
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
