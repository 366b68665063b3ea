#include "ont/OntRef.h"

#include "common/GridModel.h"
#include "common/Operator.h"

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

PonKind askPonKind(Operator &op) {
    return op.askYesNo(QStringLiteral("GPON选是，EPON选否")) ? PonKind::Gpon : PonKind::Epon;
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
