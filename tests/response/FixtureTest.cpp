// Every device-output fixture: tests/fixtures/<command>/<case>.txt holds the bytes as the OLT sends
// them, <case>.rows the grid rows the parser must produce (cells joined by tabs).

#include "common/Gbk.h"
#include "monitor/OpticalParser.h"
#include "response/DiscoveryParser.h"
#include "response/OntRowParser.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>

using namespace tw;

namespace {

using Parser = std::function<QList<QStringList>(const QByteArray &)>;

const std::map<QString, Parser> &parsers() {
    static const std::map<QString, Parser> all = {
        {QStringLiteral("display_ont_info"), [](const QByteArray &b) { return parseOntList(b); }},
        {QStringLiteral("display_ont_version"), [](const QByteArray &b) { return parseOntVersionList(b); }},
        {QStringLiteral("display_ont_autofind"),
         [](const QByteArray &b) { return parseDiscovery(fromGbk(b), true).rows; }},
        {QStringLiteral("display_ont_optical_info"),
         [](const QByteArray &b) {
             QList<QStringList> rows;
             for (const OpticalRow &row : parseOpticalInfo(b))
                 rows.append(opticalCells(row));
             return rows;
         }},
    };
    return all;
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Fixtures, EveryParserMatchesItsFixtures) {
    int cases = 0;
    for (const auto &[command, parse] : parsers()) {
        const QDir dir(QStringLiteral(TW_FIXTURES_DIR) + QLatin1Char('/') + command);
        for (const QString &input : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
            const QString name = command + QLatin1Char('/') + input.chopped(4);
            const QString expectedText =
                QString::fromUtf8(readAll(dir.filePath(input.chopped(4) + QStringLiteral(".rows"))));
            QStringList expected = expectedText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            const QList<QStringList> rows = parse(readAll(dir.filePath(input)));
            ++cases;
            EXPECT_EQ(rows.size(), expected.size()) << name.toStdString() << ": row count";
            for (qsizetype r = 0; r < qMin(rows.size(), expected.size()); ++r) {
                const QStringList want = expected[r].split(QLatin1Char('\t'));
                for (qsizetype c = 0; c < qMax(want.size(), rows[r].size()); ++c) {
                    EXPECT_EQ(rows[r].value(c), want.value(c))
                        << name.toStdString() << ": row " << r + 1 << ", column " << c;
                }
            }
        }
    }
    EXPECT_GE(cases, 5) << "fixtures not found under " TW_FIXTURES_DIR;
}
