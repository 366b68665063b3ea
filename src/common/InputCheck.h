#pragma once
// The checks every page makes before a typed value goes into a command, and the one way a page
// sends and tells the operator when the OLT is not connected.

#include "common/ScriptOutcome.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

#include <optional>

namespace tw {

class CommandSink;
class Operator;

inline const QString NotConnectedNotice = QStringLiteral("OLT未连接，命令没有发送！请连接OLT后重试。");
inline const QString ErrorBoxTitle = QStringLiteral("错误");

// A line break or other control character in a typed value would add CLI lines of its own (Qt
// keeps pasted line breaks in a line edit's text). Empty when the value is fine, else the notice
// naming the field.
QString controlCharacterProblem(const QString &value, const QString &field);

// Shows the notice and returns false when the value holds a control character or a character
// GBK cannot encode (it would go out as "?", the CLI's help key).
bool acceptTyped(Operator &op, const QString &value, const QString &field);

// What a typed value must be for the command it goes into, as the OLT's CLI takes it. Every kind
// refuses control characters and characters GBK cannot encode; the kinds below add their shape.
enum class FieldKind {
    Text,         // anything else (a description sent in quotes)
    Word,         // one CLI word: at least one character, no blank, no double quote
    Number,       // a whole number, 0 or more
    Vlan,         // 1–4094
    VlanSpan,     // a VLAN or a range "200-202"
    Frame,        // 0–7
    Slot,         // 0–22
    Port,         // 0–15
    PortSpan,     // a port, a range "0-3", or "all"
    Board,        // frame/slot, e.g. 0/1
    PortRef,      // frame/slot/port, e.g. 0/19/0
    OntId,        // 0–127
    ProfileId,    // line and service profiles, 0–8192
    DbaProfileId, // 1–512
    ServicePort,  // a service-port index, 0–65535
    GemPort,      // 0–1023
    Serial,       // an ONT SN: 16 hex digits, or a four-character vendor id, "-" and 8 hex digits
    Mac,          // xxxx-xxxx-xxxx in hex digits
    Loid,         // one word of 1–24 characters
    OntPassword,  // one word of 1–10 characters
    Ipv4,         // a dotted IPv4 address (masks too)
    Period,       // minutes, fraction allowed, at least 1
    IdleMinutes,  // 0–35791 (0: never)
    SaveInterval, // 10–10080 minutes
    ClockTime,    // hh:mm:ss
};

// Empty when the value fits the kind, else the notice naming the field.
QString fieldProblem(const QString &value, const QString &field, FieldKind kind);

// Shows the notice and returns false when the value does not fit the kind.
bool acceptField(Operator &op, const QString &value, const QString &field, FieldKind kind);

struct CheckedField {
    const QString &value;
    const char16_t *field; // as the page labels it
    FieldKind kind;
};

// Every field checked in order; stops at the first that does not fit, after its notice.
bool checkFields(Operator &op, std::initializer_list<CheckedField> fields);

// The pieces of a comma list (half-width or full-width commas, see splitCommaList), as typed, each
// checked as `kind` without the blanks around it; nullopt after a notice when one does not fit.
// No piece at all is an empty list: whether that is fine is the caller's to say.
std::optional<QStringList> acceptList(Operator &op, const QString &value, const QString &field, FieldKind kind);

// A value the OLT takes as one word (a description, a name), in double quotes so that blanks stay
// inside it. Nullopt, after a notice naming the field, when it holds a double quote or a control
// character: no quoting can carry those.
std::optional<QString> quotedWord(Operator &op, const QString &value, const QString &field);

// Sends the script in one write; when the write was not made, tells the operator that the OLT is
// not connected and returns false (the caller then logs and notifies nothing).
bool sendOrTell(CommandSink &sink, Operator &op, const QString &script);
// The same for a script whose answers are read: `done` is told how it ended, once it has.
bool runOrTell(CommandSink &sink, Operator &op, const QString &script, ScriptDone done,
               RunOptions options = {});

} // namespace tw
