// The ONTs' optical levels: drawn from the seed, listed in the OLT's layouts, set through the control
// channel, and kept by dump and load.
#include "SimDriver.h"

#include <QJsonArray>

#include <cmath>
#include <set>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

const char kSn[] = "485754430A1B2C3D"; // 0/1/0 ONT 0 of the small scenario, online

TEST(SimOptics, LevelsSpreadLikeARealNetworkAndTheSeedFixesThem) {
    const Device d = fullScenario(1);
    int weak = 0;
    double sum = 0, squares = 0;
    for (const Ont &o : d.onts) {
        ASSERT_TRUE(o.rxPower >= -29 && o.rxPower <= -15) << o.rxPower;
        ASSERT_TRUE(o.txPower >= 0.5 && o.txPower <= 4) << o.txPower;
        ASSERT_TRUE(o.oltRxPower >= -31 && o.oltRxPower <= -17) << o.oltRxPower;
        ASSERT_TRUE(o.temperature >= 30 && o.temperature <= 60) << o.temperature;
        ASSERT_TRUE(o.voltage >= 3.2 && o.voltage <= 3.4) << o.voltage;
        ASSERT_TRUE(o.biasCurrent >= 5 && o.biasCurrent <= 20) << o.biasCurrent;
        ASSERT_EQ(o.rxPower, std::round(o.rxPower * 100) / 100) << "the OLT prints hundredths";
        weak += o.rxPower < -25.5;
        sum += o.rxPower;
        squares += o.rxPower * o.rxPower;
    }
    const double n = double(d.onts.size());
    const double mean = sum / n, deviation = std::sqrt(squares / n - mean * mean);
    EXPECT_GT(weak, n * 0.02) << "a few ONTs sit on weak fibre";
    EXPECT_LT(weak, n * 0.08);
    EXPECT_NEAR(mean, -20.7, 1.0);
    EXPECT_GT(deviation, 2.0) << "levels are spread, not all alike";

    Ont o;
    o.sn = kSn;
    Ont same = o, other = o;
    drawOptics(o, 1);
    drawOptics(same, 1);
    drawOptics(other, 2);
    EXPECT_EQ(std::tuple(o.rxPower, o.txPower, o.oltRxPower, o.voltage, o.biasCurrent, o.temperature),
              std::tuple(same.rxPower, same.txPower, same.oltRxPower, same.voltage, same.biasCurrent,
                         same.temperature));
    EXPECT_NE(o.rxPower, other.rxPower);
}

TEST(SimOptics, ARegisteredOntGetsLevelsOfItsOwn) {
    Cli cli;
    cli.login();
    cli.run("interface gpon 0/1");
    cli.send("ont add 1 sn-auth 4857544311E70E9A omci ont-lineprofile-id 1 ont-srvprofile-id 1\r\n\r\n");
    const Ont *o = cli.device.ontByKey("4857544311E70E9A");
    ASSERT_NE(o, nullptr);
    ASSERT_TRUE(o->online());
    EXPECT_FALSE(o->rxPower == Ont{}.rxPower && o->txPower == Ont{}.txPower);
    EXPECT_TRUE(o->rxPower >= -29 && o->rxPower <= -15) << o->rxPower;
    EXPECT_TRUE(cli.reply("display ont optical-info 1 0").contains(QString::number(o->rxPower, 'f', 2)));
}

TEST(SimOptics, OfflineOntsHaveNoReadings) {
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        Cli cli(demoScenario(1));
        cli.login(chinese);
        cli.run("scroll 0");
        cli.run("interface gpon 0/1");
        const QString failure = chinese ? QString::fromUtf8("失败") : QStringLiteral("Failure");
        for (int port = 0; port < 8; ++port) {
            std::set<int> online, listed;
            for (const Ont *o : cli.device.ontsOn({0, 1, port}))
                if (o->online()) online.insert(o->id);
            cli.run(QStringLiteral("display ont optical-info %1 all").arg(port));
            const QStringList lines = cli.reply("y").split("\r\n");
            for (const QString &line : lines) {
                const QStringList words = line.split(' ', Qt::SkipEmptyParts);
                bool isId = false;
                const int id = words.value(0).toInt(&isId);
                if (isId && words.size() == 8) listed.insert(id);
            }
            EXPECT_EQ(listed, online) << "port " << port;
            for (const Ont *o : cli.device.ontsOn({0, 1, port})) {
                const QString detail =
                    cli.reply(QStringLiteral("display ont optical-info %1 %2").arg(port).arg(o->id));
                EXPECT_EQ(detail.contains(failure), !o->online()) << detail.toStdString();
            }
        }
    }
}

TEST(SimControl, OpticsSetsTheLevelsAnOntReports) {
    Device d = smallDevice();
    Faults f;
    Ont *o = d.ontByKey(kSn);
    const double oltRx = o->oltRxPower;
    EXPECT_EQ(runControlCommand(d, f, QStringLiteral("optics %1 rx -28.5").arg(kSn)), "ok");
    EXPECT_EQ(o->rxPower, -28.5);
    EXPECT_NEAR(o->oltRxPower, oltRx - 9.0, 1e-9) << "the fibre's loss grew by 9 dB both ways";
    EXPECT_EQ(runControlCommand(d, f, QStringLiteral("optics %1 tx 3.1 rx -27").arg(kSn)), "ok");
    EXPECT_EQ(o->rxPower, -27.0);
    EXPECT_EQ(o->txPower, 3.1);
    EXPECT_NEAR(o->oltRxPower, oltRx - 7.5 + 1.0, 1e-9);
    EXPECT_EQ(runControlCommand(d, f, "optics 00e0-fc11-2233 tx 1.25"), "ok");
    EXPECT_EQ(d.ontByKey("00E0-FC11-2233")->txPower, 1.25);

    const QString bad[] = {"optics",
                           QStringLiteral("optics %1").arg(kSn),
                           QStringLiteral("optics %1 rx").arg(kSn),
                           QStringLiteral("optics %1 rx low").arg(kSn),
                           QStringLiteral("optics %1 rx -20 rx -21").arg(kSn),
                           QStringLiteral("optics %1 volume 3").arg(kSn),
                           QStringLiteral("optics %1 rx -99").arg(kSn),
                           QStringLiteral("optics %1 tx nan").arg(kSn),
                           QStringLiteral("optics %1 rx inf").arg(kSn),
                           "optics 48575443FFFFFFFF rx -20"};
    for (const QString &line : bad) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(runControlCommand(d, f, line).startsWith("error "));
    }
    EXPECT_EQ(std::tuple(o->rxPower, o->txPower), std::tuple(-27.0, 3.1)) << "refusals change nothing";

    Cli cli(d);
    cli.login(false);
    cli.run("interface gpon 0/1");
    EXPECT_TRUE(cli.reply("display ont optical-info 0 0")
                    .contains("  Rx optical power(dBm)                  : -27.00\r\n"));
}

TEST(SimScenario, OpticalLevelsSurviveDumpAndLoadAndOldFilesKeepLoading) {
    Device demo = demoScenario(3);
    const QJsonObject j = dump(demo);
    ScenarioResult again = scenarioFromJson(QJsonDocument(j).toJson());
    ASSERT_TRUE(again.device) << again.error.toStdString();
    EXPECT_EQ(dump(*again.device), j);
    const QJsonObject first = j["onts"].toArray()[0].toObject();
    for (const char *key : {"rxPower", "txPower", "oltRxPower", "voltage", "biasCurrent", "temperature"})
        EXPECT_TRUE(first.contains(key)) << key;

    // A file from before the OLT's reading, voltage and bias were kept.
    const ScenarioResult old =
        scenarioFromJson(R"({"boards": [{"slot": 1, "name": "H806GPBD", "kind": "gpon"}],
        "onts": [{"port": "0/1/0", "id": 0, "sn": "485754430A1B2C3D", "rxPower": -24.0, "txPower": 2.5}]})");
    ASSERT_TRUE(old.device) << old.error.toStdString();
    const Ont &o = old.device->onts.front();
    EXPECT_EQ(std::tuple(o.rxPower, o.txPower, o.voltage, o.biasCurrent), std::tuple(-24.0, 2.5, 3.28, 12));
    EXPECT_NEAR(o.oltRxPower, -26.3, 1e-9);
}

} // namespace
