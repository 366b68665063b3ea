// The optical history in a fresh run directory: readings in, an ONT's trend out, pruning, and what
// a broken database or directory does.

#include "monitor/OpticalHistory.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tw;

namespace {

const QDateTime T0 = QDateTime::fromString("2024-05-20T08:00:00Z", Qt::ISODate);

OpticalSample sample(const QString &serial, int port, int id, std::optional<double> rx,
                     std::optional<double> tx) {
    OpticalSample s{serial, {}};
    s.row.frame = 0;
    s.row.slot = 1;
    s.row.port = port;
    s.row.ontId = id;
    s.row.rxPower = rx;
    s.row.txPower = tx;
    s.row.oltRxPower = rx ? std::optional(*rx - 2.5) : std::nullopt;
    s.row.temperature = 41;
    s.row.voltage = 3.28;
    s.row.biasCurrent = 12;
    s.row.distance = 1500;
    return s;
}

struct History : ::testing::Test {
    QTemporaryDir dir;
    RunDirectory run{dir.path()};
};

TEST_F(History, AnOntsTrendFollowsItThroughItsReadingsAndPorts) {
    OpticalHistory h(run);
    ASSERT_TRUE(h.open()) << h.error().toStdString();
    EXPECT_TRUE(QFile::exists(run.file(OpticalHistory::fileName())));
    ASSERT_TRUE(h.store(
        {T0,
         "0/1/3",
         {sample("48575443A1B2C3D4", 3, 5, -19.47, 2.1), sample("48575443A1B2C3D5", 3, 6, -21.0, 2.0)}}));
    // An hour later the ONT was moved to another port; its levels are not all reported.
    ASSERT_TRUE(h.store({T0.addSecs(3600),
                         "0/1",
                         {sample("48575443A1B2C3D5", 3, 6, -21.1, 2.0),
                          sample("48575443A1B2C3D4", 7, 0, std::nullopt, 2.25)}}));
    ASSERT_TRUE(h.store({T0.addSecs(7200), "0/1/7", {sample("48575443A1B2C3D4", 7, 0, -26.3, 2.2)}}));
    EXPECT_EQ(h.readingCount(), 3);

    const std::vector<OpticalTrendPoint> trend = h.trend("48575443A1B2C3D4");
    ASSERT_EQ(trend.size(), 3u);
    EXPECT_EQ(trend[0].taken, T0);
    EXPECT_EQ(std::tuple(trend[0].port, trend[0].ontId), std::tuple(3, 5));
    EXPECT_EQ(trend[0].rxPower, -19.47);
    EXPECT_EQ(trend[0].oltRxPower, -21.97);
    EXPECT_EQ(trend[0].txPower, 2.1);
    EXPECT_EQ(std::tuple(trend[1].port, trend[1].ontId), std::tuple(7, 0));
    EXPECT_EQ(trend[1].rxPower, std::nullopt) << "a level not reported stays without a value";
    EXPECT_EQ(trend[1].txPower, 2.25);
    EXPECT_EQ(trend[2].rxPower, -26.3);

    EXPECT_EQ(h.trend("48575443A1B2C3D4", T0.addSecs(1), {}).size(), 2u);
    EXPECT_EQ(h.trend("48575443A1B2C3D4", {}, T0.addSecs(3600)).size(), 2u);
    EXPECT_EQ(h.trend("48575443A1B2C3D4", T0.addSecs(3600), T0.addSecs(3600)).size(), 1u);
    EXPECT_TRUE(h.trend("48575443FFFFFFFF").empty());

    // The database is the run directory's: another console session finds it all again.
    OpticalHistory again(run);
    ASSERT_TRUE(again.open()) << again.error().toStdString();
    EXPECT_EQ(again.trend("48575443A1B2C3D5").size(), 2u);
    EXPECT_TRUE(again.store({T0.addSecs(10800), "0/1/3", {sample("48575443A1B2C3D5", 3, 6, -21.2, 2.0)}}));
    EXPECT_EQ(h.trend("48575443A1B2C3D5").size(), 3u);
}

TEST_F(History, SamplesWithoutASerialOrTwiceInAReadingAreKept) {
    OpticalHistory h(run);
    ASSERT_TRUE(h.open());
    ASSERT_TRUE(h.store({T0,
                         "0/1/3",
                         {sample("", 3, 9, -20.0, 2.0), sample("00E0-FC11-2233", 3, 1, -18.0, 2.0),
                          sample("00E0-FC11-2233", 3, 2, -18.5, 2.0)}}));
    EXPECT_EQ(h.trend("00E0-FC11-2233").size(), 2u);
    EXPECT_TRUE(h.trend("").empty());
    EXPECT_EQ(h.prune(T0.addDays(365)), 3) << "all three were stored";
}

TEST_F(History, PruningRemovesWhatIsOlderThanTheRetention) {
    OpticalHistory h(run);
    ASSERT_TRUE(h.open());
    const QDateTime now = T0.addDays(200);
    for (int daysAgo : {120, 91, 89, 0})
        ASSERT_TRUE(h.store({now.addDays(-daysAgo),
                             "0/1/3",
                             {sample("48575443A1B2C3D4", 3, 5, -20.0 - daysAgo / 100.0, 2.0),
                              sample("48575443A1B2C3D5", 3, 6, -21.0, 2.0)}}));
    ASSERT_TRUE(h.store({now.addDays(-95), "0/1/4", {}})) << "a port with nothing online";
    EXPECT_EQ(h.prune(now), 4) << "two readings of two samples";
    EXPECT_EQ(h.readingCount(), 2);
    const std::vector<OpticalTrendPoint> left = h.trend("48575443A1B2C3D4");
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].taken, now.addDays(-89));
    EXPECT_EQ(h.prune(now), 0);
    EXPECT_EQ(h.prune(now, 0), 2) << "a retention of 0 days keeps only what is not older than now";
    ASSERT_TRUE(h.store({now.addDays(1), "0/1/3", {sample("48575443A1B2C3D4", 3, 5, -20.0, 2.0)}}));
    EXPECT_EQ(h.trend("48575443A1B2C3D4").size(), 2u) << "the serial is found again after pruning";
    EXPECT_EQ(h.prune(now, -1), -1);
}

TEST_F(History, AFailedReadingLeavesNothingBehind) {
    OpticalHistory h(run);
    ASSERT_TRUE(h.open());
    ASSERT_TRUE(h.store({T0, "0/1/3", {sample("48575443A1B2C3D4", 3, 5, -20.0, 2.0)}}));
    {
        // Another program breaks the database under the console: its sample table goes.
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "breaker");
        other.setDatabaseName(run.file(OpticalHistory::fileName()));
        ASSERT_TRUE(other.open());
        QSqlQuery(other).exec("DROP TABLE sample");
        other.close();
    }
    QSqlDatabase::removeDatabase("breaker");
    EXPECT_FALSE(h.store({T0.addSecs(60), "0/1/3", {sample("48575443A1B2C3D9", 3, 8, -20.0, 2.0)}}));
    EXPECT_FALSE(h.error().isEmpty());
    EXPECT_EQ(h.readingCount(), 1) << "the reading's row went back with its samples";
    EXPECT_FALSE(h.store({QDateTime(), "0/1/3", {}})) << "a reading without its time";
}

TEST_F(History, ADirectoryOrFileItCannotUseIsAnErrorNotACrash) {
    OpticalHistory missing(RunDirectory{dir.path() + "/no/such/dir"});
    EXPECT_FALSE(missing.open());
    EXPECT_FALSE(missing.error().isEmpty());
    EXPECT_FALSE(missing.store({T0, "0/1/3", {sample("48575443A1B2C3D4", 3, 5, -20.0, 2.0)}}));
    EXPECT_TRUE(missing.trend("48575443A1B2C3D4").empty());
    EXPECT_EQ(missing.prune(T0), -1);

    QFile junk(run.file(OpticalHistory::fileName()));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(8192, 'x'));
    junk.close();
    OpticalHistory notADatabase(run);
    EXPECT_FALSE(notADatabase.open());
    EXPECT_FALSE(notADatabase.error().isEmpty());
    QFile kept(run.file(OpticalHistory::fileName()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray(8192, 'x')) << "a file that is not ours is left as it is";
}

} // namespace
