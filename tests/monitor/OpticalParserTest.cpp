// The optical listing read back: the simulator's listings of whole boards against its model, the
// receive-level classes at their limits, and output cut anywhere. The layouts one by one are
// fixtures (tests/fixtures/display_ont_optical_info).

#include "monitor/OpticalParser.h"

#include "common/Gbk.h"

#include "Scenario.h"
#include "Session.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>

using namespace tw;

namespace {

// Everything the simulator sends for one port's listing, paging prompts and erasing included.
QByteArray listing(sim::Device &device, bool chinese, const QByteArray &interface, int port) {
    sim::Faults faults;
    sim::Session session(device, faults);
    session.start();
    session.receive("root\r\nadmin\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\n" +
                    QByteArray(chinese ? "switch language-mode\r\n\r\n" : ""));
    session.receive(interface + "\r\n");
    return sim::readToEnd(session, "display ont optical-info " + QByteArray::number(port) + " all\r\ny\r\n");
}

bool near(std::optional<double> got, double want) {
    return got && std::abs(*got - want) < 0.0005;
}

TEST(OpticalParser, ReadsEveryOnlineOntOfTheSimulatorsBoardsAsItsModelHasThem) {
    sim::Device device = sim::demoScenario(7);
    // A few levels at the edges of what is printed.
    device.onts[0].rxPower = -7.25;
    device.onts[1].rxPower = -30.5;
    device.onts[1].oltRxPower = -33.01;
    struct Board {
        QByteArray interface;
        int slot;
        bool distance;
    };
    for (const Board &b : {Board{"interface gpon 0/1", 1, true}, Board{"interface epon 0/3", 3, false}})
        for (bool chinese : {false, true})
            for (int port = 0; port < 4; ++port) {
                SCOPED_TRACE(b.interface.toStdString() + (chinese ? " Chinese" : " English") + " port " +
                             std::to_string(port));
                const std::vector<OpticalRow> rows =
                    parseOpticalInfo(listing(device, chinese, b.interface, port));
                size_t next = 0;
                for (const sim::Ont *o : device.ontsOn({0, b.slot, port})) {
                    if (!o->online()) continue;
                    ASSERT_LT(next, rows.size());
                    const OpticalRow &r = rows[next++];
                    EXPECT_EQ(r.portText(), QStringLiteral("0/%1/%2").arg(b.slot).arg(port));
                    EXPECT_EQ(r.ontId, o->id);
                    EXPECT_TRUE(near(r.rxPower, o->rxPower));
                    EXPECT_TRUE(near(r.txPower, o->txPower));
                    EXPECT_TRUE(near(r.oltRxPower, o->oltRxPower));
                    EXPECT_TRUE(near(r.temperature, o->temperature));
                    EXPECT_TRUE(near(r.voltage, o->voltage));
                    EXPECT_TRUE(near(r.biasCurrent, o->biasCurrent));
                    EXPECT_EQ(r.distance, b.distance ? std::optional(o->distance) : std::nullopt);
                }
                EXPECT_EQ(next, rows.size()) << "offline ONTs have no row";
            }
}

TEST(OpticalParser, PagedPortOfAFullChassisLosesNoRow) {
    sim::Device device = sim::fullScenario(3);
    const QByteArray raw = listing(device, true, "interface gpon 0/18", 15);
    ASSERT_TRUE(raw.contains(tw::toGbk(u"---- 任意键继续显示 ( 'Q' 键退出 ) ----"))) << "it was paged";
    const std::vector<OpticalRow> rows = parseOpticalInfo(raw);
    size_t online = 0;
    for (const sim::Ont *o : device.ontsOn({0, 18, 15}))
        online += o->online();
    ASSERT_GT(online, 100u);
    ASSERT_EQ(rows.size(), online);
    for (const OpticalRow &r : rows) {
        ASSERT_EQ(r.portText(), "0/18/15");
        ASSERT_TRUE(r.rxPower && r.txPower && r.oltRxPower && r.temperature && r.voltage && r.biasCurrent &&
                    r.distance)
            << "ONT " << r.ontId;
    }
}

TEST(OpticalParser, TheCallerNamesThePortTheOutputDoesNot) {
    const QByteArray table = "  ONT  Rx power  Tx power  OLT Rx ONT  Temperature  Voltage  Current\r\n"
                             "  ID   (dBm)     (dBm)     power(dBm)  (C)          (V)      (mA)\r\n"
                             "  -----------------------------------------------------------------\r\n"
                             "    3  -20.00    2.00      -22.00      40           3.300    12\r\n";
    const std::vector<OpticalRow> told = parseOpticalInfo(table, {0, 4, 6});
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].portText(), "0/4/6");
    const std::vector<OpticalRow> echoed =
        parseOpticalInfo("MA5680T(config-if-epon-0/5)#display ont optical-info 2 all\r\n" + table, {0, 4, 6});
    ASSERT_EQ(echoed.size(), 1u);
    EXPECT_EQ(echoed[0].portText(), "0/5/2") << "the output's own prompt and echo win";
    EXPECT_TRUE(parseOpticalInfo(table.sliced(table.indexOf("    3"))).empty()) << "rows without a heading";
}

TEST(OpticalParser, OutputCutAnywhereGivesTheWholeRowsBeforeTheCut) {
    QFile file(TW_FIXTURES_DIR "/display_ont_optical_info/gpon_english_paged.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    const std::vector<OpticalRow> all = parseOpticalInfo(whole);
    ASSERT_EQ(all.size(), 4u);
    for (qsizetype n = 0; n <= whole.size(); ++n) {
        const std::vector<OpticalRow> rows = parseOpticalInfo(whole.first(n));
        ASSERT_LE(rows.size(), all.size()) << n;
        for (size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i], all[i]) << "cut after " << n << " bytes, row " << i;
    }
    for (const QByteArray &junk : {QByteArray("\xff\xfe\x00ONT Rx\r\n\r\n12 -", 18), QByteArray("ONT Rx\r\n"),
                                   QByteArray("\x1b[", 2), QByteArray(4096, '-')})
        EXPECT_TRUE(parseOpticalInfo(junk).empty());
}

TEST(OpticalClassifier, ReceiveLevelsAtTheLimitsOfClassBPlus) {
    const struct {
        std::optional<double> rx;
        RxLevel level;
        const char *text;
        Severity severity;
    } cases[] = {
        {std::nullopt, RxLevel::NoValue, "", Severity::None},
        {-30.0, RxLevel::TooLow, "过低", Severity::Red},
        {-27.01, RxLevel::TooLow, "过低", Severity::Red},
        {-27.0, RxLevel::Low, "偏低", Severity::Amber},
        {-25.01, RxLevel::Low, "偏低", Severity::Amber},
        {-25.0, RxLevel::Normal, "正常", Severity::None},
        {-8.0, RxLevel::Normal, "正常", Severity::None},
        {-7.99, RxLevel::Overload, "过载", Severity::Red},
        {0.0, RxLevel::Overload, "过载", Severity::Red},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rx ? *c.rx : 999);
        EXPECT_EQ(classifyRx(c.rx), c.level);
        EXPECT_EQ(rxLevelText(c.level), QString::fromUtf8(c.text));
        EXPECT_EQ(severityOf(c.level), c.severity);
    }
    const OpticalThresholds classC{-30.0, -28.0, -10.0};
    EXPECT_EQ(classifyRx(-28.5, classC), RxLevel::Low);
    EXPECT_EQ(classifyRx(-9.0, classC), RxLevel::Overload);
}

} // namespace
