#pragma once
// The checks every page makes before a typed value goes into a command, and the one way a page
// sends and tells the operator when the OLT is not connected.

#include "common/ScriptOutcome.h"

#include <QString>

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

// Shows the notice and returns false when the value holds a control character.
bool acceptTyped(Operator &op, const QString &value, const QString &field);

// A value the OLT takes as one word (a description, a name), in double quotes so that blanks stay
// inside it. Nullopt, after a notice naming the field, when it holds a double quote or a control
// character: no quoting can carry those.
std::optional<QString> quotedWord(Operator &op, const QString &value, const QString &field);

// Whether the text is a board as the CLI takes it in an interface line: frame/slot, digits only.
bool isBoardRef(const QString &text);

// Sends the script in one write; when the write was not made, tells the operator that the OLT is
// not connected and returns false (the caller then logs and notifies nothing).
bool sendOrTell(CommandSink &sink, Operator &op, const QString &script);
// The same for a script whose answers are read: `done` is told how it ended, once it has.
bool runOrTell(CommandSink &sink, Operator &op, const QString &script, ScriptDone done,
               RunOptions options = {});

} // namespace tw
