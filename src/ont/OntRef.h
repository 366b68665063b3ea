#pragma once
// One ONT as read from a row of the ONT list, and the texts the operations derive from it.

#include <QString>

#include <optional>

namespace tw {

class Operator;
struct PageContext;
class GridModel;

struct OntRef {
    QString port;   // P: frame/slot/port, e.g. 0/11/10
    QString id;     // N: the ONT id as printed
    QString serial; // S: SN or MAC as printed; for questions and log lines only

    // B: the port up to its last "/", e.g. 0/11.
    QString board() const;
    // p: the text after the last "/", e.g. 10.
    QString portNumber() const;
    // P′ and B′: slashes replaced by blanks, e.g. "0 11 10" and "0 11".
    QString spacedPort() const;
    QString spacedBoard() const;

    static OntRef fromRow(const GridModel &grid, int row);
};

enum class PonKind { Gpon, Epon };

inline QString kindWord(PonKind k) {
    return k == PonKind::Gpon ? QStringLiteral("gpon") : QStringLiteral("epon");
}

// "GPON选是，EPON选否": Yes is GPON, No EPON; nullopt when the operator pressed Esc or closed the
// box, which cancels the operation. With the board's kind known, the question names it and
// Enter gives that answer.
std::optional<PonKind> askPonKind(Operator &op, std::optional<PonKind> known = std::nullopt);

// The PON kind of a board by its name as the chassis listing prints it ("H806GPBD" GPON,
// "H803EPBD" EPON); nullopt for other boards and unknown names.
std::optional<PonKind> kindOfBoardName(const QString &name);

// The question about the board "frame/slot", with its kind from the last chassis listing when
// that named the board.
std::optional<PonKind> askPonKind(PageContext &c, const QString &board);

// The three shapes of an interface script. `command` is the line without its line end;
// `answers` are the lines that follow it (each with its own "\r\n"), e.g. "y\r\n".
QString selectedOntScript(PonKind kind, const OntRef &ont, const QString &verb, const QString &answers = {});
QString selectedPortScript(PonKind kind, const OntRef &ont, const QString &verb, const QString &answers = {});
QString selectedBoardScript(PonKind kind, const OntRef &ont, const QString &verb,
                            const QString &answers = {});

} // namespace tw
