#include "olt/ResponseRouter.h"

#include "GuardedBytes.h"
#include "TestDoubles.h"
#include "common/Gbk.h"
#include "common/SettingsStore.h"
#include "olt/SharedValues.h"

#include <QMap>
#include <QStringList>

#include <iterator>

#include <gtest/gtest.h>

using namespace tw;

namespace {

QByteArray gbk(const char *utf8) {
    return toGbk(QString::fromUtf8(utf8));
}

struct Fields : RouterFields {
    QMap<Field, QString> values{{ListFrame, "0"},   {ListBoard, "1"},  {ListPort, "0"},  {DetailFrame, "0"},
                                {DetailBoard, "2"}, {DetailPort, "3"}, {DetailOnt, "5"}, {VersionFrame, "0"}};
    QString text(Field f) const override { return values.value(f); }
};

// Every write to a pane and every handler call, in order, as "what: text".
struct Recorder : RouterTargets, RouterHandlers {
    QStringList events;
    QString query;   // the query pane as replaced and appended
    QString console; // everything appended to the console

    void replacePaneText(Pane pane, const QString &text) override {
        static const char *names[] = {"query", "board", "alarm", "detail", "search", "registration"};
        events << QString::fromLatin1(names[pane]) + ": " + text;
        if (pane == QueryPane) query = text;
    }
    void appendQueryPane(const QString &text) override { query += text; }
    void appendConsole(const QString &text) override { console += text; }
    QList<qsizetype> progress;    // what receiving() was told: the lines
    QList<qsizetype> ontProgress; // and the ONTs
    void receiving(qsizetype lines, qsizetype onts) override {
        progress << lines;
        ontProgress << onts;
    }

    void redrawChassis(QByteArrayView output) override { events << "chassis: " + fromGbk(output); }
    void ontList(QByteArrayView output) override { events << "ont list: " + fromGbk(output); }
    void discovery(const QString &text) override { events << "discovery: " + text; }
    void addReply(const QString &text) override { events << "add reply: " + text; }
    void versionList(QByteArrayView output) override { events << "version list: " + fromGbk(output); }
    void ontListCut(QByteArrayView output) override { events << "ont list cut: " + fromGbk(output); }
    void versionListCut(QByteArrayView output) override { events << "version list cut: " + fromGbk(output); }
};

struct RouterTest : ::testing::Test {
    test::TempRunDir run;
    SettingsStore settings{run.config()};
    Fields fields;
    Recorder rec;
    SharedValues shared;
    ResponseRouter router{fields, rec, rec, shared, settings};

    RouterRule rule(const char *echo) { return ResponseRouter::matchRule(gbk(echo), fields); }
};

const QByteArray Prompt = "\r\nMA5680T(config)#";
using R = RouterRule;

} // namespace

// Failures name the rules.
namespace tw {
void PrintTo(RouterRule rule, std::ostream *os) {
    *os << routerRuleName(rule).toStdString();
}
} // namespace tw

namespace {

struct EchoCase {
    const char *echo;
    RouterRule rule;
};

// One echo per rule, in the table's order.
const EchoCase OneEchoPerRule[] = {
    {"display board 0/1", R::Chassis},
    {"display ont info 0 1 0 all", R::OntList},
    {"display current-configuration", R::OntDetail},
    {"display ont autofind all", R::Discovery},
    {"display alarm active all detail", R::Alarms},
    {"display arp all", R::Arp},
    {"display rogueont 0 all", R::RogueOnts},
    {"display version", R::Version},
    {"display ont info by-mac 0011-2233-4455", R::OntSearch},
    {"ont add 0 1 mac-auth 0011-2233-4455 oam", R::OntAdd},
    {"display  statistics  global", R::Statistics},
    {"display DBA-profile all", R::DbaProfiles},
    {"display ont-lineprofile gpon all", R::GponLineProfiles},
    {"display ont-srvprofile gpon all", R::GponServiceProfiles},
    {"display board", R::Boards},
    {"display vlan all", R::Vlans},
    {"display ip routing-table", R::Routes},
    {"display ip interface", R::IpInterfaces},
    {"display ip statistics", R::IpStatistics},
    {"display temperature 0/1", R::Temperature},
    {"display power", R::Power},
    {"display runstat callinfo", R::CallInfo},
    {"board confirm 0/1", R::BoardConfirm},
    {"ont-auto-find enable", R::AutoFindSwitch},
    {"display io-packetfile information", R::PacketFiles},
    {"display progress load", R::Progress},
    {"display ont version 0 1 0 all", R::OntVersions},
    {"display service-port port 0/1/0 ont 3", R::ServicePorts},
    {"display ont-lineprofile epon all", R::EponLineProfiles},
    {"display ont-srvprofile epon all", R::EponServiceProfiles},
    {"display port ddm-info 1", R::PortDdm},
};

} // namespace

TEST_F(RouterTest, EachFragmentFindsItsRule) {
    // Other forms of the same commands, and near misses.
    const EchoCase others[] = {
        {"display board 0", R::Chassis},
        {"display ont info 0 all", R::OntList},
        {"display ont info 0 1 all", R::OntList},
        {"display ont info 0 2 3 5", R::OntDetail},
        {"display ont info by-sn 48575443A1B2C3D4", R::OntSearch},
        {"display ont info by-desc x", R::OntSearch},
        {"interface giu 0/19\r\ndisplay port ddm-info 0\r\nquit", R::PortDdm},
        {"display ont optical-info 0 1", R::None},
        {"display statistics global", R::None}, // the statistics rule wants two blanks on each side
    };
    const auto check = [this](const EchoCase &c) {
        SCOPED_TRACE(c.echo);
        EXPECT_EQ(rule(c.echo), c.rule);
    };
    for (const EchoCase &c : OneEchoPerRule)
        check(c);
    for (const EchoCase &c : others)
        check(c);
}

TEST_F(RouterTest, EarlierRuleWinsWhateverTheOrderOfTheEchoes) {
    // One echo per rule, listed last rule first. Taking away the winner each time must give the
    // rules one by one in table order.
    const auto &echoes = OneEchoPerRule;
    static_assert(std::size(echoes) == ResponseRouter::RuleCount);
    QByteArray text;
    for (auto it = std::rbegin(echoes); it != std::rend(echoes); ++it)
        text += QByteArray(it->echo) + "\r\n";
    for (const auto &e : echoes) {
        SCOPED_TRACE(e.echo);
        EXPECT_EQ(ResponseRouter::matchRule(text, fields), e.rule);
        text.replace(QByteArray(e.echo) + "\r\n", "");
    }
    EXPECT_EQ(ResponseRouter::matchRule(text, fields), R::None);
}

TEST_F(RouterTest, FieldDependentRulesUseTheFieldsAsTheyAreNow) {
    const char *port = "display ont info 0 1 0 all";
    const char *board = "display ont info 0 1 all";
    const char *frame = "display ont info 0 all";
    EXPECT_EQ(rule(port), R::OntList);
    fields.values[RouterFields::ListPort] = "1";
    EXPECT_EQ(rule(port), R::None);
    EXPECT_EQ(rule(board), R::OntList);
    fields.values[RouterFields::ListBoard] = "3";
    EXPECT_EQ(rule(board), R::None);
    EXPECT_EQ(rule(frame), R::OntList);
    fields.values[RouterFields::ListFrame] = "1";
    EXPECT_EQ(rule(frame), R::None);

    EXPECT_EQ(rule("display ont info 0 2 3 5"), R::OntDetail);
    fields.values[RouterFields::DetailOnt] = "6";
    EXPECT_EQ(rule("display ont info 0 2 3 5"), R::None);

    EXPECT_EQ(rule("display ont version 0 1 0 all"), R::OntVersions);
    fields.values[RouterFields::VersionFrame] = "1";
    EXPECT_EQ(rule("display ont version 0 1 0 all"), R::None);
}

TEST_F(RouterTest, CompletedOutputGoesWhereItsRuleSays) {
    settings.writeSwitch(settings::Iptv, true);
    const struct {
        const char *output;
        QStringList events;
    } cases[] = {
        {"display board 0\r\nslots", {"query: %1", "chassis: %1"}},
        {"display ont info 0 1 0 all\r\nrows", {"ont list: %1"}},
        {"display ont info 0 2 3 5\r\ndetail", {"detail: %1"}},
        {"display ont autofind all\r\nfound", {"discovery: %1"}},
        {"display alarm active all detail\r\na", {"alarm: %1"}},
        {"display ont info by-sn X\r\nf/s/p", {"search: %1"}},
        {"ont add 0 1 sn-auth X\r\nONT号 :3", {"registration: %1", "add reply: %1"}},
        {"board confirm 0/1\r\nok", {"board: %1"}},
        {"ont-auto-find enable\r\nok", {"board: %1"}},
        {"display ont version 0 1 0 all\r\ntable", {"version list: %1"}},
        {"display ont version 0 1 0 3\r\n主用软件版本 : V1", {}},
        {"display ont optical-info 0 1 0 3\r\n-20.1", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.output);
        rec.events.clear();
        router.route(gbk(c.output) + Prompt);
        const QString whole = QString::fromUtf8(c.output) + QString::fromLatin1(Prompt);
        QStringList expected;
        for (const QString &e : c.events)
            expected << e.arg(whole);
        EXPECT_EQ(rec.events, expected);
        EXPECT_TRUE(router.buffer().isEmpty());
    }
}

TEST_F(RouterTest, ServicePortAndLocationRepliesOnlyFillTheirPanes) {
    // Moves and multicast clean-ups read these from their own scripts' answers: the router never
    // starts one on an output, whoever asked for it.
    settings.writeSwitch(settings::Iptv, true);
    for (const char *output : {"display service-port port 0/1/0 ont 3\r\n 7 3444 common gpon 0/1/0 3",
                               "display ont info by-sn 48575443A1B2C3D4\r\n  框/槽/端口 : 0/1/0"}) {
        rec.events.clear();
        router.route(QByteArray(output) + Prompt);
        ASSERT_EQ(rec.events.size(), 1) << output;
    }
}

TEST_F(RouterTest, MarkerSplitAcrossChunksDoesNotComplete) {
    router.route("display vlan all\r\n  VLAN 100\r\nMA5680T(con");
    router.route("fig)#");
    EXPECT_TRUE(rec.events.isEmpty());
    router.route(" \r\nMA5680T(config)#");
    ASSERT_EQ(rec.events.size(), 1);
    EXPECT_EQ(rec.events[0],
              "query: display vlan all\r\n  VLAN 100\r\nMA5680T(config)# \r\nMA5680T(config)#");
}

TEST_F(RouterTest, EveryPromptEndsAnOutputAndWhatFollowsTheLastStartsTheNext) {
    // Commands typed ahead: the next echo and the start of its output arrive with the prompt.
    router.route("display vlan all\r\n  VLAN 100\r\nMA5680T(config)#\r\nMA5680T(config)#display ont autofind "
                 "all\r\n   ONT SN : 4857544300000001");
    ASSERT_EQ(rec.events.size(), 1) << "the empty line's output matches no rule";
    EXPECT_EQ(rec.events[0], "query: display vlan all\r\n  VLAN 100\r\nMA5680T(config)#");
    EXPECT_EQ(router.buffer().bytes(), "display ont autofind all\r\n   ONT SN : 4857544300000001");

    router.route("\r\n   ONT SN : 4857544300000002" + Prompt + "display version\r\n");
    ASSERT_EQ(rec.events.size(), 2) << "the discovery runs once, on the whole listing";
    EXPECT_EQ(rec.events[1],
              "discovery: display ont autofind all\r\n   ONT SN : 4857544300000001\r\n   ONT SN : "
              "4857544300000002" +
                  QString::fromLatin1(Prompt));
    router.route("  VERSION : MA5600V800R015" + Prompt);
    ASSERT_EQ(rec.events.size(), 3);
    EXPECT_TRUE(rec.events[2].startsWith("query: display version")) << rec.events[2].toStdString();
    EXPECT_TRUE(router.buffer().isEmpty());
}

TEST_F(RouterTest, StaleOutputIsRoutedWithTheNext) {
    router.route("interface gpon 0/1\r\nMA5680T(config-if-gpon-0/1)#");
    router.route("display board 0/1\r\n  board\r\nMA5680T(config-if-gpon-0/1)#quit\r\n");
    router.route("MA5680T(config)#");
    ASSERT_EQ(rec.events.size(), 2);
    EXPECT_TRUE(rec.events[0].startsWith("query: interface gpon 0/1\r\n"));
    EXPECT_EQ(rec.events[1].sliced(9), rec.events[0].sliced(7)); // chassis drawn from the same output
}

// In the diagnose view (ONT loading) its own prompt ends an output.
TEST_F(RouterTest, DiagnosePromptEndsAnOutput) {
    router.route("display board 0/1\r\n  board\r\nMA5680T(diagnose)%%");
    ASSERT_EQ(rec.events.size(), 2);
    EXPECT_TRUE(rec.events[0].startsWith("query: display board 0/1\r\n")) << rec.events[0].toStdString();
}

TEST_F(RouterTest, NewSessionDropsWhatTheOldOneLeftUnfinished) {
    router.route("display ont autofind all\r\n   ONT SN : 4857544300000001");
    router.newSession();
    router.route("\r\n>>User name:root\r\nMA5680T>enable\r\nMA5680T#config" + Prompt);
    EXPECT_TRUE(rec.events.isEmpty()) << "the login alone names no command";
    router.route("display ont autofind all\r\n   ONT SN : 4857544300000002" + Prompt);
    ASSERT_EQ(rec.events.size(), 1);
    EXPECT_TRUE(
        rec.events[0].startsWith("discovery: display ont autofind all\r\n   ONT SN : 4857544300000002"))
        << rec.events[0].toStdString();
    EXPECT_TRUE(rec.console.startsWith("display ont autofind all")) << "the console keeps everything";
}

TEST_F(RouterTest, CurrentConfigurationStreamsIntoTheQueryPane) {
    rec.query = "old";
    router.route("display current-conf"); // echo not whole yet: not streamed
    EXPECT_EQ(rec.query, "old");
    router.route("iguration\r\n[global-config]\r\n");
    router.route(gbk("  sysname 机房一\r\n"));
    EXPECT_EQ(rec.query, QString::fromUtf8("oldiguration\r\n[global-config]\r\n  sysname 机房一\r\n"));
    EXPECT_TRUE(rec.events.isEmpty());

    router.route("return\r\nMA5680T(config)#");
    EXPECT_EQ(rec.query, QString::fromUtf8("oldiguration\r\n[global-config]\r\n  sysname 机房一\r\n"))
        << "the completing chunk is not streamed";
    ASSERT_EQ(rec.events.size(), 1);
    EXPECT_EQ(rec.events[0], QString::fromUtf8("detail: display current-configuration\r\n[global-config]\r\n"
                                               "  sysname 机房一\r\nreturn\r\nMA5680T(config)#"));

    router.route("display vlan all\r\n"); // a new output: streaming has ended
    EXPECT_TRUE(rec.query.endsWith(QString::fromUtf8("机房一\r\n")));
}

TEST_F(RouterTest, TwoRepliesInOneReadAreRoutedEachByItsRule) {
    router.route("display ont info by-sn 4857544300000001\r\n  ONT-ID : 3" + Prompt +
                 "ont add 0 sn-auth 4857544300000001\r\n  success: 1" + Prompt);
    ASSERT_EQ(rec.events.size(), 3); // search pane; registration pane, add reply
    EXPECT_TRUE(rec.events[0].startsWith("search: display ont info by-sn")) << rec.events[0].toStdString();
    EXPECT_TRUE(rec.events[2].startsWith("add reply: ont add 0")) << rec.events[2].toStdString();
}

TEST_F(RouterTest, ConfigurationListingTypedAheadKeepsItsHead) {
    // The chunk that completes a query-pane reply also brings the listing's echo and first lines:
    // the reply replaces the pane first, then the listing streams in after it.
    router.route("display version\r\n  VERSION : MA5600V800R015" + Prompt +
                 "display current-configuration\r\n[global-config]\r\n");
    router.route("  sysname MA5680T\r\n");
    EXPECT_EQ(rec.query, "display version\r\n  VERSION : MA5600V800R015" + QString::fromLatin1(Prompt) +
                             "display current-configuration\r\n[global-config]\r\n  sysname MA5680T\r\n");
}

TEST_F(RouterTest, StreamedCharacterSplitAcrossChunksShowsWhole) {
    router.route("display current-configuration\r\n");
    const QByteArray name = gbk("  sysname 机房\r\n");
    router.route(name.first(11)); // ends inside the first character
    router.route(name.sliced(11));
    EXPECT_TRUE(rec.query.endsWith(QString::fromUtf8("  sysname 机房\r\n")));
    EXPECT_FALSE(rec.query.contains(QChar::ReplacementCharacter));
}

TEST_F(RouterTest, ConsoleGetsEveryChunkWithSplitCharactersIntact) {
    const QByteArray reply = gbk("  失败: 单板类型错误\r\n");
    router.route(reply.first(9)); // splits 单
    router.route(reply.sliced(9) + Prompt);
    router.route("display ont optical-info 0 1\r\n" + Prompt);
    EXPECT_EQ(rec.console, QString::fromUtf8("  失败: 单板类型错误\r\n") + QString::fromLatin1(Prompt) +
                               "display ont optical-info 0 1\r\n" + QString::fromLatin1(Prompt));
}

TEST_F(RouterTest, TextEndsAtTheFirstNul) {
    router.route(QByteArray("display vlan all\r\n\0display board 0\r\n", 36) + Prompt);
    ASSERT_EQ(rec.events.size(), 1);
    EXPECT_EQ(rec.events[0], "query: display vlan all\r\n");
    EXPECT_EQ(rec.console, "display vlan all\r\n");
}

TEST(ResponseBuffer, FindsTheConfigurationEchoOnlyInTheText) {
    ResponseBuffer buffer;
    for (const char *piece : {"disp", "lay curr", "ent-confi", "guration"})
        buffer.append(piece);
    EXPECT_TRUE(buffer.holdsConfigurationEcho());
    EXPECT_EQ(buffer.take(), "display current-configuration");
    EXPECT_FALSE(buffer.holdsConfigurationEcho());

    buffer.append(QByteArray("x\0", 2));
    buffer.append("display current-configuration");
    EXPECT_FALSE(buffer.holdsConfigurationEcho()) << "after a NUL nothing is text";
    EXPECT_EQ(buffer.text(), "x");
}

// A chunk shorter than the end-of-output prompt, right after an unreadable page: the search for
// the prompt stays inside the chunk.
TEST_F(RouterTest, ShortChunksAreSearchedWithinThemselves) {
    for (qsizetype n = 1; n < 9; ++n) {
        const test::GuardedBytes chunk(QByteArray("(config)#").first(n));
        router.route(chunk.view());
    }
    EXPECT_TRUE(rec.events.isEmpty());
    EXPECT_EQ(rec.console.toStdString(), "((c(co(con(conf(confi(config(config)");
}

// A listing that fills a grid shows how far it has come while it arrives, and stops showing once
// it completes; a search or any other output shows nothing.
TEST_F(RouterTest, GridListingsReportTheirProgressUntilTheyComplete) {
    // An ONT list counts its ONTs by their control flags, also one cut between two reads.
    const QByteArray flag = toGbk(u"激活");
    router.route(toGbk(u"display ont info 0 1 0 all\r\n  0/ 1/0  0  4857544300000001  激活  online\r\n"));
    router.route(toGbk(u"  0/ 1/0  1  4857544300000002  去激活  offline\r\n  0/ 1/0  2  4857544300000003  ") +
                 flag.first(3));
    router.route(flag.sliced(3) + "  online\r\n");
    router.route(Prompt);
    EXPECT_EQ(rec.progress, (QList<qsizetype>{2, 3, 4, -1}));
    EXPECT_EQ(rec.ontProgress, (QList<qsizetype>{1, 2, 3, -1}));

    rec.progress.clear();
    rec.ontProgress.clear();
    router.route("display ont info by-sn 4857544300000001\r\n  ONT-ID : 3\r\n");
    router.route("display vlan all\r\n" + Prompt);
    EXPECT_TRUE(rec.progress.isEmpty());
    router.route("display ont autofind all\r\n   ONT SN : 1\r\n");
    router.newSession(); // a dropped connection ends it too
    EXPECT_EQ(rec.progress, (QList<qsizetype>{2, -1}));
    EXPECT_EQ(rec.ontProgress, (QList<qsizetype>{-1, -1})) << "an autofind listing counts lines";
}

// A break cuts the output it lands in, a grid listing is handled so; one typed while nothing runs is
// a command line of its own, whose answer takes the mark away, and the next listing is whole.
TEST_F(RouterTest, ABrokenOffListingIsHandledAsCut) {
    router.route("display ont info 0 all\r\n  0/ 1/0  0  4857544300000001  active\r\n");
    router.outputBroken();
    router.route("\r\n" + Prompt);
    router.outputBroken(); // nothing under way
    router.route("Q\r\n% Unknown command" + Prompt);
    router.route("display ont version 0 all\r\n  0/ 1/0  0  HWTC\r\n");
    router.route(Prompt);
    router.route("display vlan all\r\n  10 smart\r\n");
    router.outputBroken();
    router.route(Prompt);
    router.route("display ont version 0 all\r\n  0/ 1/0  0  HWTC\r\n");
    router.outputBroken();
    router.route(Prompt);
    QStringList listings;
    for (const QString &e : std::as_const(rec.events))
        if (e.contains(" list")) listings << e.section(':', 0, 0);
    EXPECT_EQ(listings, (QStringList{"ont list cut", "version list", "version list cut"}));
}
