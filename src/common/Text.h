#pragma once
// Small text helpers shared by the parsers, the operations and the simulator.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace tw {

// The text after the first occurrence of `left` up to the next occurrence of `right` (searched
// from the character after `left`); empty when either marker is missing. Case-sensitive.
QString textBetween(QStringView text, QStringView left, QStringView right);

// Blanks are the half-width space and the full-width space U+3000.
bool isBlank(QChar c);
QString removeBlanks(QStringView text);
QString trimBlanks(QStringView text);

// The pieces of a list typed with half-width or full-width commas, each as typed. Empty and blank
// pieces are dropped: each piece becomes one command, and an empty one would be an incomplete
// command naming nothing.
QStringList splitCommaList(QStringView text);

// Every line break (LF, CR or CR LF, as a text box may hold them) as the CLI's CR LF.
QString withCrLf(QStringView text);

// Integer value of a leading decimal number, fraction dropped ("12.7" -> 12, "abc" -> 0),
// as the program converts typed numbers.
int leadingInt(QStringView text);
// The same in 64 bits (stored counters may pass the int range), clamped to the qint64 range.
qint64 leadingInt64(QStringView text);

// A typed number of minutes (fraction allowed: "1.5") as milliseconds, the fraction of the product
// dropped; negative or non-numeric text gives 0, and the result is at most the largest int.
int minutesToMs(QStringView text);

} // namespace tw
