#include "common/ActivityLog.h"
#include "TestDoubles.h"
#include "common/Gbk.h"
#include "common/SettingsStore.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tw;

namespace {
const QDateTime Morning(QDate(2019, 3, 7), QTime(7, 5, 9));
}

TEST(ActivityLog, TimeStampDateTextAndFile) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    ActivityLog log(store, run.path(), test::FixedClock{Morning});
    EXPECT_EQ(log.timeStamp(), QStringLiteral("07:05:09"));
    EXPECT_EQ(log.dateText(), QStringLiteral("2019-03-07"));
    EXPECT_EQ(log.timeStamp(QStringLiteral(".")), QStringLiteral("07.05.09"));
    log.write(QStringLiteral("   系统初始化成功！"));
    log.write(QStringLiteral("   第二行"));
    EXPECT_EQ(run.readFile(QStringLiteral("日志/2019-03-07.txt")),
              toGbk(QStringLiteral("07:05:09   系统初始化成功！\r\n07:05:09   第二行\r\n")));
}

TEST(ActivityLog, SwitchIsReadForEveryLine) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    ActivityLog log(store, run.path(), test::FixedClock{Morning});
    const QString file = QStringLiteral("日志/2019-03-07.txt");
    log.writeLine(QStringLiteral("missing key: written"));
    store.writeSwitch(settings::LogEnabled, false);
    log.writeLine(QStringLiteral("off: dropped"));
    store.write(settings::LogEnabled, QStringLiteral("真的")); // only exactly 真 counts
    log.writeLine(QStringLiteral("not exactly on: dropped"));
    store.writeSwitch(settings::LogEnabled, true);
    log.writeLine(QStringLiteral("on again"));
    EXPECT_EQ(run.readFile(file), QByteArray("missing key: written\r\non again\r\n"));
}

TEST(ActivityLog, OffCreatesNoDirectory) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    store.writeSwitch(settings::LogEnabled, false);
    ActivityLog(store, run.path(), test::FixedClock{Morning}).writeLine(QStringLiteral("x"));
    EXPECT_FALSE(QDir(run.path() + QStringLiteral("/日志")).exists());
}

TEST(ActivityLog, DirectoryDeletedWhileRunningAndMidnight) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    QDateTime now = Morning;
    ActivityLog log(store, run.path(), [&] { return now; });
    log.writeLine(QStringLiteral("a"));
    ASSERT_TRUE(QDir(log.directory()).removeRecursively());
    log.writeLine(QStringLiteral("b"));
    EXPECT_EQ(run.readFile(QStringLiteral("日志/2019-03-07.txt")), QByteArray("b\r\n"));

    // A stamp taken before midnight, written a second after: the file is the new day's.
    now = QDateTime(QDate(2019, 3, 7), QTime(23, 59, 59));
    const QString line = log.timeStamp() + QStringLiteral("   late");
    now = now.addSecs(2);
    log.writeLine(line);
    EXPECT_EQ(run.readFile(QStringLiteral("日志/2019-03-08.txt")), QByteArray("23:59:59   late\r\n"));
}

TEST(ActivityLog, UnwritableLogIsSilent) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    run.writeFile(QStringLiteral("日志"), "a file where the directory should be");
    ActivityLog(store, run.path(), test::FixedClock{Morning}).writeLine(QStringLiteral("lost"));
    // The line is lost, the file in the way is left as it was, and nothing is written elsewhere.
    EXPECT_EQ(run.readFile(QStringLiteral("日志")), QByteArray("a file where the directory should be"));
    QStringList entries = QDir(run.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    entries.removeAll(QStringLiteral("config.ini"));
    EXPECT_EQ(entries, QStringList{QStringLiteral("日志")});
}
