#include "admin/OntDataExtraction.h"
#include "Flow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

QByteArray readFixture(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "missing fixture " << path.toStdString();
    return f.readAll();
}

// Both lists, line by line, so that a failure names the line.
void expectLines(const QByteArray &got, const QByteArray &want, const char *what) {
    const QList<QByteArray> g = got.split('\n'), w = want.split('\n');
    for (qsizetype i = 0; i < std::max(g.size(), w.size()); ++i)
        EXPECT_EQ((i < g.size() ? g[i] : QByteArray("<none>")).toStdString(),
                  (i < w.size() ? w[i] : QByteArray("<none>")).toStdString())
            << what << " line " << i + 1;
}

} // namespace

// tests/fixtures/extract/<case>.cfg is a configuration backup; <case>.GPON.txt and <case>.EPON.txt
// are the lists it gives, byte for byte (GBK, CR LF).
TEST(OntDataExtraction, FixturesGiveTheirListsByteForByte) {
    const QDir dir(QStringLiteral(TW_FIXTURES_DIR "/extract"));
    const QStringList cases = dir.entryList({QStringLiteral("*.cfg")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(cases.isEmpty());
    for (const QString &cfg : cases) {
        const QString name = cfg.chopped(4);
        SCOPED_TRACE(name.toStdString());
        const QByteArray config = readFixture(dir.filePath(cfg));
        expectLines(extractGponOnts(config), readFixture(dir.filePath(name + QStringLiteral(".GPON.txt"))),
                    "GPON");
        expectLines(extractEponOnts(config), readFixture(dir.filePath(name + QStringLiteral(".EPON.txt"))),
                    "EPON");
    }
}

TEST(OntDataExtraction, MissingBackupIsAnErrorAndTouchesNothing) {
    PageFlow f;
    f.run.writeFile(QStringLiteral("GPON.txt"), "old list\r\n");
    EXPECT_FALSE(extractAllOntData(f.context, runDirectoryOf(f.context)));
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_EQ(f.op.boxes[0].text, QStringLiteral("未检测到OLT备份文件，请备份后重新提取！"));
    EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(f.run.readFile(QStringLiteral("GPON.txt")), QByteArray("old list\r\n"));
    EXPECT_FALSE(QFileInfo::exists(f.run.path() + QStringLiteral("/EPON.txt")));
    EXPECT_EQ(f.logText(), QString());
    EXPECT_TRUE(f.sink.writes.isEmpty());
}

TEST(OntDataExtraction, SuccessTellsCountsAndTheBackupsTimeAndLogs) {
    PageFlow f;
    const QByteArray config = readFixture(QStringLiteral(TW_FIXTURES_DIR "/extract/epon.cfg"));
    f.run.writeFile(QStringLiteral("MA5680T.cfg"), config);
    f.run.writeFile(QStringLiteral("GPON.txt"), "a much longer list that was there before\r\n");
    {
        QFile cfg(f.run.path() + QStringLiteral("/MA5680T.cfg"));
        ASSERT_TRUE(cfg.open(QIODevice::ReadWrite));
        ASSERT_TRUE(cfg.setFileTime(QDateTime(QDate(2024, 5, 1), QTime(23, 15, 7)),
                                    QFileDevice::FileModificationTime));
    }
    EXPECT_TRUE(extractAllOntData(f.context, runDirectoryOf(f.context)));
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_EQ(f.op.boxes[0].text, QStringLiteral("数据提取成功，请核对程序根目录下记事本文件！\r\n\r\n"
                                                 "GPON：1 个ONT，EPON：3 个ONT\r\n"
                                                 "备份文件 MA5680T.cfg 的修改时间：2024-05-01 23:15:07"));
    EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Information);
    EXPECT_EQ(f.op.boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(f.logText(), QStringLiteral("09:00:00   提取OLT配置文件ONT数据成功\r\n"));
    EXPECT_EQ(f.run.readFile(QStringLiteral("GPON.txt")), extractGponOnts(config))
        << "replaced, not appended";
    EXPECT_EQ(f.run.readFile(QStringLiteral("EPON.txt")), extractEponOnts(config));
    EXPECT_EQ(f.run.readFile(QStringLiteral("MA5680T.cfg")), config);
    EXPECT_TRUE(f.sink.writes.isEmpty());

    // A backup without any registration still succeeds, with two empty lists.
    f.run.writeFile(QStringLiteral("MA5680T.cfg"), "[global-config]\r\n sysname MA5680T\r\n");
    EXPECT_TRUE(extractAllOntData(f.context, runDirectoryOf(f.context)));
    EXPECT_TRUE(f.op.boxes.last().text.contains(QStringLiteral("GPON：0 个ONT，EPON：0 个ONT")));
    EXPECT_EQ(f.run.readFile(QStringLiteral("GPON.txt")), QByteArray());
    EXPECT_TRUE(QFileInfo(f.run.path() + QStringLiteral("/EPON.txt")).exists());
}

TEST(OntDataExtraction, AListThatCannotBeWrittenIsNotReportedAsDone) {
    PageFlow f;
    f.run.writeFile(QStringLiteral("MA5680T.cfg"),
                    readFixture(QStringLiteral(TW_FIXTURES_DIR "/extract/epon.cfg")));
    ASSERT_TRUE(QDir(f.run.path()).mkdir(QStringLiteral("EPON.txt")));
    EXPECT_FALSE(extractAllOntData(f.context, runDirectoryOf(f.context)));
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_TRUE(f.op.boxes[0].text.startsWith(QStringLiteral("无法写入 EPON.txt：")))
        << f.op.boxes[0].text.toStdString();
    EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(f.logText(), QString());

    // A directory in the backup's place is not read as one.
    PageFlow g;
    ASSERT_TRUE(QDir(g.run.path()).mkdir(QStringLiteral("MA5680T.cfg")));
    EXPECT_FALSE(extractAllOntData(g.context, runDirectoryOf(g.context)));
    EXPECT_TRUE(g.lastBox().startsWith(QStringLiteral("无法读取OLT备份文件 MA5680T.cfg：")))
        << g.lastBox().toStdString();
    EXPECT_FALSE(QFileInfo::exists(g.run.path() + QStringLiteral("/GPON.txt")));
}
