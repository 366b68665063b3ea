#include "response/AutoRegistrar.h"
#include "response/AutoRegistration.h"
#include "Flow.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {

const QString GponRecord = QStringLiteral("   序号             : 1\r\n"
                                          "   框/槽/端口        : 0/1/3\r\n"
                                          "   ONT SN           : 48575443A1B2C3D4 (HWTC-A1B2C3D4)\r\n"
                                          "   ----------------------------------------------------------------\r\n");
const QString SecondGpon = QStringLiteral("   序号             : 2\r\n"
                                          "   框/槽/端口        : 0/2/6\r\n"
                                          "   ONT SN           : 4857544300000026 (HWTC-00000026)\r\n"
                                          "   ----------------------------------------------------------------\r\n");
const QString EponRecord = QStringLiteral("   序号             : 1\r\n"
                                          "   框/槽/端口        : 0/2/5\r\n"
                                          "   ONT MAC          : 00E0-FC00-0001 (x)\r\n"
                                          "   ----------------------------------------------------------------\r\n");

const QString GponAdd = QStringLiteral("interface gpon 0/1\r\nont add 3 sn-auth 48575443A1B2C3D4 omci "
                                       "ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"2024-05-06_\"\r\n\r\nquit\r\n");
const QString Added = QStringLiteral("  可以增加的ONT数目: 1, 成功: 1\r\n  端口号 :3, ONT号 :5\r\n");
const QString SnExists = QStringLiteral("  失败：序列码已经存在\r\n");
const QString Location = QStringLiteral("  框/槽/端口              : 0/1/0\r\n"
                                        "  ONT编号                 : 3\r\n"
                                        "  序列号                  : 48575443A1B2C3D4 (HWTC-A1B2C3D4)\r\n");
const QString ServicePorts =
    QStringLiteral("      10  100 common   gpon 0/1 /0  3    1     vlan  41         -    -    up\r\n"
                   "      11 3444 common   gpon 0/1 /0  3    2     vlan  45         -    -    up\r\n");

struct Flow : test::Flow {
    AutoRegistrar registrar{sink, settings, log};
    QStringList reports;

    Flow() {
        sink.holdRuns = true;
        registrar.report = [this](const QString &m) { reports << m; };
        settings.write(settings::GponServiceFlows,
                       QStringLiteral("service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 1"));
        settings.writeSwitch(settings::AutoServiceFlows, true);
    }
    QString heldScript(int i = 0) const { return sink.held.value(i).script; }
};

} // namespace

TEST(AutoRegistrar, AddScriptsAsBefore) {
    struct Case {
        const char *name;
        const char *config;
        QString record;
        QString script;
    } cases[] = {
        {"gpon, vendor form cut, profile defaults, empty remark", "", GponRecord, GponAdd},
        {"epon with its own profiles and remark", "[基本]\nE线路模板=7\nE业务模板=8\nG线路模板=5\n默认备注=楼A\n",
         EponRecord,
         QStringLiteral("interface epon 0/2\r\nont add 5 mac-auth 00E0-FC00-0001 oam ont-lineprofile-id 7 "
                        "ont-srvprofile-id 8 desc \"2024-05-06_楼A\"\r\n\r\nquit\r\n")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f;
        f.run.writeConfig(QString::fromUtf8(c.config));
        f.registrar.discovered(c.record);
        EXPECT_EQ(f.writes(), QStringList{c.script});
        EXPECT_TRUE(f.logText().isEmpty()) << "nothing is logged before the OLT answered";
    }
    // A record without its port, or without a key, registers nothing.
    Flow f;
    f.registrar.discovered(QStringLiteral("   ONT SN           : 4857544300000009\r\n"));
    f.registrar.discovered(QStringLiteral("   框/槽/端口        : 0/1/3\r\n"));
    EXPECT_TRUE(f.sink.writes.isEmpty());
}

TEST(AutoRegistrar, FlowsGoToTheOntTheOltConfirmedOnItsOwnPort) {
    Flow f;
    f.registrar.discovered(GponRecord + SecondGpon);
    ASSERT_EQ(f.sink.held.size(), 2) << "every waiting ONT on the same tick";
    EXPECT_TRUE(f.registrar.owns(QStringLiteral("48575443a1b2c3d4")));
    // The second ONT's reply comes first: its flows name its own port and id.
    f.sink.held.swapItemsAt(0, 1);
    f.sink.answer({{QStringLiteral("ont add"), QStringLiteral("  端口号 :6, ONT号 :2\r\n")}});
    EXPECT_TRUE(f.sink.held.last().script.startsWith(QStringLiteral("service-port vlan 100 gpon 0/2/6 ont 2 gemport 1\r\n")));
    f.sink.answer({{QStringLiteral("ont add"), Added}});
    EXPECT_TRUE(f.sink.held.last().script.startsWith(QStringLiteral("service-port vlan 100 gpon 0/1/3 ont 5 ")));
    f.sink.answer(); // the flows of 0/2/6
    f.sink.answer();
    EXPECT_FALSE(f.registrar.owns(QStringLiteral("48575443A1B2C3D4")));
    const QString log = f.logText();
    EXPECT_TRUE(log.contains(QStringLiteral("自动注册GPON-ONT，注册到0/1/3 注册序列号：48575443A1B2C3D4")));
    EXPECT_TRUE(log.contains(QStringLiteral("槽位号： 2，端口号：6，注册序列号：4857544300000026，ONT编号：2")));
    EXPECT_TRUE(log.contains(QStringLiteral("槽位号： 1，端口号：3，注册序列号：48575443A1B2C3D4，ONT编号：5")));
}

TEST(AutoRegistrar, AFailingKeyIsSetAsideAndTheOthersGoOn) {
    Flow f;
    f.registrar.discovered(GponRecord + SecondGpon);
    f.sink.answer({{QStringLiteral("ont add"), QStringLiteral("  失败：线路模板不存在\r\n")}});
    f.sink.answer({{QStringLiteral("ont add"), QStringLiteral("  端口号 :6, ONT号 :2\r\n")}});
    f.sink.answer();
    EXPECT_TRUE(f.logText().contains(QStringLiteral("自动注册失败：0/1/3 48575443A1B2C3D4：失败：线路模板不存在")));
    EXPECT_EQ(f.reports.size(), 1);

    // Left out for the next tick, tried again on the one after; the backoff grows with each failure.
    f.sink.writes.clear();
    f.registrar.discovered(GponRecord);
    EXPECT_TRUE(f.sink.writes.isEmpty());
    f.registrar.discovered(GponRecord);
    EXPECT_EQ(f.writes(), QStringList{GponAdd});
    EXPECT_EQ(AutoRegistrar::backoffTicks(1), 1);
    EXPECT_EQ(AutoRegistrar::backoffTicks(3), 4);
    EXPECT_EQ(AutoRegistrar::backoffTicks(20), 16);
}

TEST(AutoRegistrar, MoveDeletesTheOldRegistrationAndTellsTheOutcome) {
    struct Case {
        const char *name;
        bool iptv;
        QList<std::pair<QString, QString>> deletion; // answers to the deletion script
        const char *log;
    } cases[] = {
        {"deleted", false, {}, "GPON移机删除成功，已删除 0/1/0 ONT号：3 SN：48575443A1B2C3D4(HWTC-A1B2C3D4) 的ONT设备"},
        {"a multicast user holds the iptv port: the old ONT stays",
         false,
         {{QStringLiteral("undo service-port port 0/1/0 ont 3 gemport 2"), QStringLiteral("  失败：业务虚端口已被组播用户使用\r\n")},
          {QStringLiteral("ont delete"), QStringLiteral("  失败：该配置对象存在业务虚端口\r\n")}},
         "GPON移机删除失败：旧ONT 0/1/0 3 未删除：失败：业务虚端口已被组播用户使用"},
        {"with iptv the multicast users go first", true, {}, "GPON移机删除成功"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f;
        f.settings.writeSwitch(settings::AutoMove, true);
        f.settings.writeSwitch(settings::Iptv, c.iptv);
        f.settings.write(settings::IptvOuterVlan, QStringLiteral("3444"));
        f.settings.write(settings::GemPort, QStringLiteral("1,2"));
        f.registrar.discovered(GponRecord);
        f.sink.answer({{QStringLiteral("ont add"), SnExists}});
        ASSERT_EQ(f.heldScript(), QStringLiteral("display ont info by-sn 48575443A1B2C3D4\r\n"));
        f.sink.answer({{QStringLiteral("display ont info"), Location}});
        if (c.iptv) {
            ASSERT_EQ(f.heldScript(), QStringLiteral("display service-port port 0/1/0 ont 3\r\n\r\n"));
            f.sink.answer({{QStringLiteral("display service-port"), ServicePorts}});
            ASSERT_EQ(f.heldScript(), QStringLiteral("btv\r\nigmp user delete service-port 11\r\ny\r\nquit\r\n"));
            f.sink.answer();
        }
        ASSERT_EQ(f.heldScript(),
                  QStringLiteral("undo service-port port 0/1/0 ont 3 gemport 1\r\n\r\ny\r\n\r\n"
                                 "undo service-port port 0/1/0 ont 3 gemport 2\r\n\r\ny\r\n\r\n"
                                 "interface gpon 0/1\r\nont delete 0 3\r\nquit\r\n"));
        f.sink.answer(c.deletion);
        EXPECT_TRUE(f.logText().contains(QString::fromUtf8(c.log))) << f.logText().toStdString();
        EXPECT_TRUE(f.sink.held.isEmpty());
    }
}

TEST(AutoRegistrar, ADropBetweenAddAndFlowsIsFinishedAfterTheReconnect) {
    struct Case {
        const char *name;
        bool addAnswered;       // the drop came after "ont add" was answered
        QString location;       // what the lookup finds
        QString servicePorts;   // the ONT's service ports then
        bool flowsAgain;
    } cases[] = {
        {"registered, flows cut off", true, Location, QString(), true},
        {"registered before the drop, reply lost", false, Location, QString(), true},
        {"flows had gone out whole", true, Location, ServicePorts, false},
        {"never registered", false, QStringLiteral("  失败：ONT不存在\r\n"), QString(), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Flow f;
        f.registrar.discovered(GponRecord);
        if (c.addAnswered) f.sink.answer({{QStringLiteral("ont add"), Added}});
        f.sink.answer({}, ScriptOutcome::Interrupted);
        EXPECT_EQ(f.registrar.pendingRecoveries(), 1);
        EXPECT_TRUE(f.registrar.owns(QStringLiteral("48575443A1B2C3D4"))) << "the next tick leaves it alone";
        f.sink.writes.clear();
        f.registrar.discovered(GponRecord);
        EXPECT_TRUE(f.sink.writes.isEmpty());

        f.registrar.resume();
        ASSERT_EQ(f.heldScript(), QStringLiteral("display ont info by-sn 48575443A1B2C3D4\r\n"));
        f.sink.answer({{QStringLiteral("display ont info"), c.location}});
        if (c.location == Location) {
            ASSERT_EQ(f.heldScript(), QStringLiteral("display service-port port 0/1/0 ont 3\r\n\r\n"));
            f.sink.answer({{QStringLiteral("display service-port"), c.servicePorts}});
        }
        if (c.flowsAgain) {
            ASSERT_TRUE(f.heldScript().startsWith(QStringLiteral("service-port vlan 100 gpon 0/1/0 ont 3 gemport 1")));
            f.sink.answer();
            EXPECT_TRUE(f.logText().contains(QStringLiteral("断线后补建业务流")));
        }
        EXPECT_TRUE(f.sink.held.isEmpty());
        EXPECT_FALSE(f.registrar.owns(QStringLiteral("48575443A1B2C3D4")));
        EXPECT_EQ(f.registrar.pendingRecoveries(), 0);
    }
}
