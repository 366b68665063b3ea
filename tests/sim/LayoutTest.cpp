// The replies the console parses, against fixtures, and the properties its parsers rely on.
#include "SimDriver.h"

#include "common/Text.h"

#include <QDir>
#include <QRegularExpression>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

// Fixtures are UTF-8 text with LF line ends; the device sends CR LF. TW_UPDATE_FIXTURES=1 rewrites them.
void expectFixture(const QString &actual, const QString &name) {
    const QString path = TW_FIXTURES_DIR "/sim/" + name + ".txt";
    if (qEnvironmentVariableIsSet("TW_UPDATE_FIXTURES")) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QString(actual).replace("\r\n", "\n").toUtf8());
        return;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "missing fixture " << path.toStdString();
    const QString expected = QString::fromUtf8(file.readAll()).replace("\n", "\r\n");
    const QStringList want = expected.split("\r\n"), got = actual.split("\r\n");
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i)
        ASSERT_EQ(got.value(i, "<missing>").toStdString(), want.value(i, "<missing>").toStdString())
            << name.toStdString() << ", line " << i + 1;
}

TEST(SimLayout, RepliesMatchTheirFixtures) {
    struct Case {
        const char *command;
        const char *fixture;
        bool chinese;
    };
    const Case cases[] = {
        {"display ont info 0 1 0 all", "ont_info_port", true},
        {"display ont info 0 1 0 all", "ont_info_port_english", false},
        {"display ont info 0 all", "ont_info_frame", true},
        {"display ont info 0 1 0 1", "ont_info_single", true},
        {"display ont info by-sn 485754430A1B2C3D", "ont_info_by_sn", true},
        {"display ont info by-mac 00E0-FC11-2233", "ont_info_by_mac", true},
        {"display ont autofind all", "ont_autofind", true},
        {"display ont autofind all", "ont_autofind_english", false},
        {"display board 0", "board", true},
        {"display board 0", "board_english", false},
        {"display ont version 0 1 all", "ont_version_board", true},
        {"display ont version 0 1 0 0", "ont_version_single", true},
        {"display service-port port 0/1/0 ont 0", "service_port_ont", true},
        {"display current-configuration", "current_configuration", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        Cli cli;
        cli.login(c.chinese);
        cli.run("scroll 0");
        expectFixture(cli.reply(c.command), c.fixture);
    }
}

TEST(SimLayout, OntAddRepliesMatchTheirFixtures) {
    const std::pair<const char *, const char *> cases[] = {
        {"ont add 1 sn-auth 4857544311E70E9A omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc "
         "\"2024-05-20_\"",
         "ont_add_success"},
        {"ont add 1 sn-auth 485754430A1B2C3D omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"x\"",
         "ont_add_sn_exists"},
    };
    for (const auto &[command, fixture] : cases) {
        SCOPED_TRACE(fixture);
        Cli cli;
        cli.login();
        cli.run("interface gpon 0/1");
        expectFixture(cli.reply(command), fixture);
    }
    Cli epon;
    epon.login();
    epon.run("interface epon 0/3");
    EXPECT_TRUE(epon.reply("ont add 2 mac-auth 00E0-FC11-2233 oam ont-lineprofile-id 2 ont-srvprofile-id 2")
                    .endsWith(QString::fromUtf8("  失败：MAC地址已存在\r\n")));
}

TEST(SimLayout, OpticalRepliesMatchTheirFixtures) {
    struct Case {
        const char *interface;
        const char *command; // a port's table asks to go on first
        const char *fixture;
        bool chinese;
    };
    const Case cases[] = {
        {"interface gpon 0/1", "display ont optical-info 3 all", "ont_optical_port", true},
        {"interface gpon 0/1", "display ont optical-info 3 all", "ont_optical_port_english", false},
        {"interface epon 0/3", "display ont optical-info 0 all", "ont_optical_port_epon", true},
        {"interface gpon 0/1", "display ont optical-info 3 0", "ont_optical_single", true},
        {"interface gpon 0/1", "display ont optical-info 3 0", "ont_optical_single_english", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        Cli cli(demoScenario(1));
        cli.login(c.chinese);
        cli.run("scroll 0");
        cli.run(c.interface);
        if (QString(c.command).endsWith("all")) {
            cli.run(c.command);
            expectFixture(cli.reply("y"), c.fixture);
        } else {
            expectFixture(cli.reply(c.command), c.fixture);
        }
    }
}

// The ONT list parser takes every line with "激活" and rebuilds frame/slot/port from its first 8 bytes.
TEST(SimLayout, OntListRowsCarryTheControlFlagAndAPortInTheirFirstEightBytes) {
    Device d = smallDevice();
    addOnt(d, {{0, 1, 7}, 11, PonKind::Gpon, AuthMode::Sn, "48575443000000AA", "omci", 1, 1, "edge"});
    Cli cli(std::move(d));
    cli.login();
    const QStringList lines = cli.reply("display ont info 0 1 all").split("\r\n");
    QStringList rows;
    for (const QString &line : lines)
        if (line.contains(QString::fromUtf8("激活"))) rows << line;
    ASSERT_EQ(rows.size(), 4) << "one status row per ONT, no heading, description or total line";
    for (const QString &row : rows) {
        const QByteArray bytes = tw::toGbk(row);
        QByteArray head = bytes.left(8);
        const QByteArray port = head.replace(" ", "");
        EXPECT_TRUE(port == "0/1/0" || port == "0/1/7") << row.toStdString();
        const QStringList words = row.split(' ', Qt::SkipEmptyParts);
        EXPECT_EQ(words.size(), 9) << "one blank-free word per column";
    }
    EXPECT_TRUE(rows[2].contains(QString::fromUtf8("去激活")));
}

// The discovery parser splits at "-\r\n" and reads "label : value" lines up to the line end.
TEST(SimLayout, AutofindRecordsHoldTheLabelsTheDiscoveryParserReads) {
    Cli cli;
    cli.login();
    const QString reply = cli.reply("display ont autofind all");
    const QStringList records = QString(reply).remove(':').split("-\r\n");
    int gpon = 0, epon = 0;
    for (const QString &record : records) {
        if (!record.contains(QString::fromUtf8("序列号"))) continue;
        for (const char *label : {"框/槽/端口", "密码", "逻辑标识", "校验码", "生产厂商ID", "ONT版本",
                                  "ONT软件版本", "ONT自动发现时间"})
            EXPECT_TRUE(record.contains(QString::fromUtf8(label))) << label;
        if (record.contains("ONT SN")) {
            ++gpon;
            EXPECT_TRUE(record.contains(" 4857544311E70E9A (HWTC-11E70E9A)\r\n"));
            EXPECT_FALSE(record.contains("ONT MAC"))
                << "a GPON record must not offer a MAC to the EPON lookup";
        } else {
            ++epon;
            EXPECT_TRUE(record.contains(" 00E0-FCAA-BBCC\r\n"));
            EXPECT_TRUE(record.contains(QString::fromUtf8("ONT型号")));
        }
    }
    EXPECT_EQ(gpon, 1);
    EXPECT_EQ(epon, 1);

    Device none = smallDevice();
    none.autofind.clear();
    Cli empty(std::move(none));
    empty.login();
    EXPECT_EQ(empty.reply("display ont autofind all"), QString::fromUtf8("  失败：不存在自动发现的ONT\r\n"));
}

// The move reads entries 0, 1 and 2 from lines holding 框/槽/端口, ONT编号 and 序列号 (or MAC地址).
TEST(SimLayout, SearchRepliesListPortThenIdThenKey) {
    const std::pair<const char *, const char *> cases[] = {
        {"display ont info by-sn 485754430A1B2C3D", "序列号"},
        {"display ont info by-mac 00E0-FC11-2233", "MAC地址"},
    };
    for (const auto &[command, keyLabel] : cases) {
        SCOPED_TRACE(command);
        Cli cli;
        cli.login();
        QStringList entries;
        for (const QString &line : cli.reply(command).split("\r\n"))
            for (const char *label : {"框/槽/端口", "ONT编号", keyLabel})
                if (line.contains(QString::fromUtf8(label))) {
                    entries << line.mid(line.lastIndexOf(':') + 1).remove(' ');
                    break;
                }
        ASSERT_GE(entries.size(), 3);
        EXPECT_EQ(entries[1], "0");
        EXPECT_TRUE(entries[0] == "0/1/0" || entries[0] == "0/3/0");
        EXPECT_TRUE(entries[2].startsWith("485754430A1B2C3D") || entries[2] == "00E0-FC11-2233");
    }
}

// The chassis view takes lines with " H", the slot from the first five characters, 正常 or not.
TEST(SimLayout, BoardLinesGiveSlotNameAndState) {
    Cli cli;
    cli.login();
    QStringList boards;
    for (const QString &line : cli.reply("display board 0").split("\r\n"))
        if (line.contains(" H")) {
            const QString t = line.trimmed();
            boards << t.left(5).trimmed() + ":" + t.section(' ', 1, 1, QString::SectionSkipEmpty) + ":" +
                          (t.contains(QString::fromUtf8("正常")) ? "ok" : "bad");
        }
    EXPECT_EQ(boards, QStringList({"1:H806GPBD:ok", "3:H803EPBD:ok", "5:H806GPBD:bad", "9:H801SCUN:ok",
                                   "10:H801SCUN:bad", "19:H801GICF:ok"}));
}

// The version list parser takes every line with "0/"; nothing but ONT rows may carry it.
TEST(SimLayout, VersionListHasZeroSlashOnlyInOntRows) {
    Cli cli;
    cli.login();
    int rows = 0;
    for (const QString &line : cli.reply("display ont version 0 all").split("\r\n"))
        if (line.contains("0/")) {
            ++rows;
            const QString head = line.left(8);
            const QString normalised = QString(line).replace(head, QString(head).remove(' '));
            EXPECT_EQ(normalised.split(' ', Qt::SkipEmptyParts).size(), 7) << line.toStdString();
        }
    EXPECT_EQ(rows, 4);
}

// The multicast clean-up reads lines with "common": index first, VLAN second, six words at least.
TEST(SimLayout, ServicePortRowsStartWithIndexAndVlan) {
    Cli cli;
    cli.login();
    QStringList seen;
    for (const QString &line : cli.reply("display service-port port 0/1/0 ont 0").split("\r\n"))
        if (line.contains("common")) {
            const QStringList w = line.split(' ', Qt::SkipEmptyParts);
            ASSERT_GE(w.size(), 6);
            seen << w[0] + "/" + w[1];
        }
    EXPECT_EQ(seen, QStringList({"10/100", "11/3444"}));
}

// The registration reply handling reads the id after "ONT号 :" up to the line end.
TEST(SimLayout, OntAddSuccessLineEndsWithTheNewId) {
    Cli cli;
    cli.login();
    cli.run("interface gpon 0/1");
    const QString reply =
        cli.reply("ont add 0 sn-auth 48575443ABCDEF01 omci ont-lineprofile-id 1 ont-srvprofile-id 1");
    const QString line = reply.split("\r\n").filter(QString::fromUtf8("ONT号")).value(0);
    EXPECT_EQ(tw::textBetween(line + "\r\n", QString::fromUtf8("ONT号 :"), QStringLiteral("\r\n")), "3");
}

TEST(SimLayout, LongDescriptionsWrapUnderTheirColumn) {
    Cli cli;
    cli.login();
    const QStringList lines = cli.reply("display ont info 0 1 0 all").split("\r\n");
    const qsizetype at = lines.indexOf(QRegularExpression(".*wang_100-2_building.*"));
    ASSERT_GE(at, 0);
    for (const QString &line : lines)
        EXPECT_LE(tw::sim::displayWidth(line), 79) << line.toStdString();
    EXPECT_TRUE(lines[at + 1].startsWith(QString(18, ' '))) << "continued under the description column";
}

} // namespace
