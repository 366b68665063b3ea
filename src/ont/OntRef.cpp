#include "ont/OntRef.h"

#include "common/GridModel.h"
#include "common/Operator.h"
#include "common/PageContext.h"
#include "olt/SharedValues.h"

namespace tw {

QString OntRef::board() const {
    const qsizetype slash = port.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : port.left(slash);
}

QString OntRef::portNumber() const {
    const qsizetype slash = port.lastIndexOf(QLatin1Char('/'));
    return port.mid(slash + 1);
}

QString OntRef::spacedPort() const {
    return QString(port).replace(QLatin1Char('/'), QLatin1Char(' '));
}

QString OntRef::spacedBoard() const {
    return board().replace(QLatin1Char('/'), QLatin1Char(' '));
}

OntRef OntRef::fromRow(const GridModel &grid, int row) {
    return {grid.cell(row, 0), grid.cell(row, 1), grid.cell(row, 2)};
}

std::optional<PonKind> askPonKind(Operator &op, std::optional<PonKind> known) {
    const QString question = QStringLiteral("GPON选是，EPON选否");
    const QString text = !known ? question
                         : *known == PonKind::Gpon ? QStringLiteral("该板为GPON板。") + question
                                                   : QStringLiteral("该板为EPON板。") + question;
    const std::optional<bool> yes =
        op.askYesNoOrEscape(text, DefaultBoxTitle, BoxIcon::Question, known != PonKind::Epon);
    if (!yes) return std::nullopt;
    return *yes ? PonKind::Gpon : PonKind::Epon;
}

std::optional<PonKind> kindOfBoardName(const QString &name) {
    // The family ("H806") is four characters; the function letters follow.
    const QStringView function = QStringView(name).mid(4);
    if (function.startsWith(u"GP")) return PonKind::Gpon;
    if (function.startsWith(u"EP")) return PonKind::Epon;
    return std::nullopt;
}

std::optional<PonKind> askPonKind(PageContext &c, const QString &board) {
    return askPonKind(c.op, kindOfBoardName(c.shared.boardNames.value(board)));
}

namespace {
QString interfaceLine(PonKind kind, const OntRef &ont) {
    return QStringLiteral("interface ") + kindWord(kind) + QLatin1Char(' ') + ont.board() +
           QStringLiteral("\r\n");
}
const QString Quit = QStringLiteral("quit\r\n");
const QString Eol = QStringLiteral("\r\n");
} // namespace

QString selectedOntScript(PonKind kind, const OntRef &ont, const QString &verb, const QString &answers) {
    return interfaceLine(kind, ont) + verb + QLatin1Char(' ') + ont.portNumber() + QLatin1Char(' ') + ont.id +
           Eol + answers + Quit;
}

QString selectedPortScript(PonKind kind, const OntRef &ont, const QString &verb, const QString &answers) {
    return interfaceLine(kind, ont) + verb + QLatin1Char(' ') + ont.portNumber() + QStringLiteral(" all") +
           Eol + answers + Quit;
}

QString selectedBoardScript(PonKind kind, const OntRef &ont, const QString &verb, const QString &answers) {
    QString script = interfaceLine(kind, ont);
    for (int q = 0; q <= 15; ++q)
        script += verb + QLatin1Char(' ') + QString::number(q) + QStringLiteral(" all") + Eol + answers;
    return script + Quit;
}

} // namespace tw
