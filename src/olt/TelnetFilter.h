#pragma once
// The telnet layer under the CLI: strips IAC commands from the received stream and refuses every
// option the OLT offers or asks for. Nothing else of telnet is negotiated.

#include <QByteArray>
#include <QByteArrayView>

namespace tw {

class TelnetFilter {
  public:
    struct Result {
        QByteArray data;  // the CLI bytes, IAC commands removed, IAC IAC turned into one 0xFF
        QByteArray reply; // refusals to write back: DONT for every WILL, WONT for every DO
    };

    // Commands may be split across reads; the state carries over to the next call.
    Result feed(QByteArrayView bytes);
    // A new connection starts a new stream.
    void reset() { state_ = State::Data; }

    static constexpr char Iac = char(0xFF);
    static constexpr char Dont = char(0xFE);
    static constexpr char Do = char(0xFD);
    static constexpr char Wont = char(0xFC);
    static constexpr char Will = char(0xFB);
    static constexpr char Sb = char(0xFA);
    static constexpr char Se = char(0xF0);

  private:
    enum class State { Data, Command, Option, Sub, SubIac, CarriageReturn };
    State state_ = State::Data;
    char verb_ = 0;
};

} // namespace tw
