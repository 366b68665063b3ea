// Typed values across the flows: a refused value sends and stores nothing, a query stores its
// fields only once it went out, and Esc on the PON-kind question cancels.
#include "OntMenuFlows.h"
#include "admin/BoardOperations.h"
#include "admin/SystemOperations.h"
#include "common/GridModel.h"
#include "common/InputCheck.h"
#include "ont/FlowDeletion.h"
#include "ont/OntAttributes.h"
#include "ont/OntLifecycle.h"
#include "ont/OntQueries.h"
#include "provision/BatchRegistration.h"
#include "provision/ManualRegistration.h"
#include "response/ReplyHandlers.h"
#include "wizards/UplinkSetup.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tw;
using namespace tw::test;

namespace {

RegisterFields manualFields() {
    return {QStringLiteral("0"),  QStringLiteral("2"), QStringLiteral("5"),
            QStringLiteral("100"), QStringLiteral("42"), QStringLiteral("7"),
            QStringLiteral("8"),   QStringLiteral("4857544300000001"), QStringLiteral("lobby")};
}

BatchFields loidBatch() {
    BatchFields f;
    f.frame = QStringLiteral("0");
    f.slot = QStringLiteral("1");
    f.port = QStringLiteral("3");
    f.serviceVlan = QStringLiteral("42");
    f.mode = QStringLiteral("LOID");
    f.start = QStringLiteral("7");
    f.count = QStringLiteral("2");
    f.rule = QStringLiteral("G-(B)-(P)-(O)");
    return f;
}

using Step = std::function<bool(MenuFlow &)>;

// MenuFlow's run() hides the run directory of Flow.
QByteArray configOf(const Flow &f) {
    return f.run.readFile(QStringLiteral("config.ini"));
}

Step menu(const QList<OntMenuOperation> &(*operations)(), const char *caption, std::vector<Answer> answers) {
    return [=](MenuFlow &f) { return f.run(operations(), caption, answers); };
}

} // namespace

TEST(CheckedFlows, ARefusedValueSendsNothingAndStoresNothing) {
    const struct {
        const char *what;
        Step run;
        const char *notice; // the start of the refusal: it names the field
    } cases[] = {
        {"VLAN abc on the register tab",
         [](MenuFlow &f) {
             RegisterFields r = manualFields();
             r.serviceVlan = QStringLiteral("abc");
             return registerManually(f.context, r);
         },
         "“业务VLAN”应为1到4094"},
        {"an SN with a blank",
         [](MenuFlow &f) {
             RegisterFields r = manualFields();
             r.serial = QStringLiteral("HWTC 1234");
             f.op.answer(true); // GPON
             return registerManually(f.context, r);
         },
         "“序列号”应为16位十六进制数字"},
        {"a line profile of two words",
         [](MenuFlow &f) {
             RegisterFields r = manualFields();
             r.lineProfile = QStringLiteral("1 2");
             return registerManually(f.context, r);
         },
         "“线路模版”应为0到8192"},
        {"batch codes with a blank",
         [](MenuFlow &f) {
             BatchFields b = loidBatch();
             b.rule = QStringLiteral("a b(O)");
             return registerBatch(f.context, b);
         },
         "“注册码规则”应为1到24个字符"},
        {"an ONT LOID of two words", menu(attributeOperations, "修改ONT逻辑标识(LOID)", {Y, T("a b")}),
         "“LOID”应为1到24个字符"},
        {"a new SN of two words", menu(attributeOperations, "修改ONT序列号(SN)", {Y, T("HWTC 1234")}),
         "“ONT序列号”应为16位"},
        {"an empty profile id", menu(attributeOperations, "修改ONT线路模板编号", {Y, T("")}),
         "“线路模板编号”应为0到8192"},
        {"two service-port indexes in one piece", menu(flowDeletionOperations, "按索引删除业务流", {T("111 112")}),
         "“索引ID”应为0到65535"},
        {"a VLAN that is no number", menu(flowDeletionOperations, "按VLAN删除业务流", {T("abc")}),
         "“业务VLAN”应为1到4094"},
        {"a GEM port list with a word", menu(lifecycleOperations, "删除选定ONT", {Y, Y, T("0,x")}),
         "“GemPort”应为0到1023"},
        {"a system name GBK cannot carry",
         [](MenuFlow &f) { return renameSystem(f.context, QStringLiteral("OLT😀")); },
         "“系统更名”中含有OLT不能接收的字符“😀”"},
        {"a VLAN of 4095",
         [](MenuFlow &f) { return createVlan(f.context, {QStringLiteral("4095"), QStringLiteral("smart"), {}, {}}); },
         "“创建VLAN”应为1到4094"},
        {"a period of seconds",
         [](MenuFlow &f) { return setIntervalSave(f.context, true, QStringLiteral("abc")); },
         "“间隔时间”应为10到10080"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MenuFlow f;
        const QByteArray before = configOf(f);
        EXPECT_FALSE(c.run(f));
        EXPECT_TRUE(f.sink.writes.isEmpty());
        EXPECT_EQ(configOf(f), before);
        EXPECT_TRUE(f.logText().isEmpty());
        EXPECT_EQ(f.shared.ponKindFlag, 0);
        ASSERT_FALSE(f.op.boxes.isEmpty());
        EXPECT_TRUE(f.lastBox().startsWith(QString::fromUtf8(c.notice))) << f.lastBox().toStdString();
        EXPECT_EQ(f.op.boxes.last().kind, Box::Notice);
    }
}

// 业务内层 feeds every later automatic flow, and 框/板/端口 the next start: they are what was sent.
TEST(CheckedFlows, FieldsAreStoredOnlyOnceTheyWentOut) {
    for (const bool connected : {false, true}) {
        SCOPED_TRACE(connected);
        PageFlow manual;
        manual.sink.connected = connected;
        manual.op.answers = {Y, Y};
        EXPECT_EQ(registerManually(manual.context, manualFields()), connected);
        EXPECT_EQ(manual.settings.read(settings::ServiceInnerVlan), connected ? "42" : "41");

        PageFlow batch;
        batch.sink.connected = connected;
        batch.op.answers = {Y, Y};
        EXPECT_EQ(registerBatch(batch.context, loidBatch()), connected);
        EXPECT_EQ(batch.settings.read(settings::ServiceInnerVlan), connected ? "42" : "41");

        TempRunDir run;
        SettingsStore settings{run.config()};
        ScriptedOperator op;
        RecordingSink sink;
        sink.connected = connected;
        OntQueries queries{sink, op, settings};
        GridModel grid{ontListColumns()};
        queries.listPort({QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5")}, grid);
        EXPECT_EQ(settings.read(settings::Slot), connected ? "2" : "1");
        EXPECT_EQ(settings.read(settings::Port), connected ? "5" : "0");
        queries.listPort({QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("x")}, grid);
        EXPECT_EQ(settings.read(settings::Slot), connected ? "2" : "1") << "a refused port stores nothing";
        EXPECT_EQ(sink.writes.size(), connected ? 1 : 0);
    }
}

// Esc or closing "GPON选是，EPON选否" is no answer: nothing goes, not even a first part.
TEST(CheckedFlows, EscOnThePonKindQuestionSendsNothing) {
    const struct {
        const char *what;
        bool iptv;
        Step run;
    } cases[] = {
        {"activate", false, menu(lifecycleOperations, "激活当前选定ONT", {Y, Esc})},
        {"delete a port's ONTs with IPTV", true, menu(lifecycleOperations, "删除选定端口所有ONT", {Y, Y, Esc})},
        {"delete one ONT", false, menu(lifecycleOperations, "删除选定ONT", {Y, Esc})},
        {"change a LOID", false, menu(attributeOperations, "修改ONT逻辑标识(LOID)", {Y, T("loid1"), Esc})},
        {"register by hand",
         false,
         [](MenuFlow &f) {
             f.op.answerEscape();
             return registerManually(f.context, manualFields());
         }},
        {"register a batch",
         false,
         [](MenuFlow &f) {
             f.op.answerEscape();
             return registerBatch(f.context, loidBatch());
         }},
        {"fetch a serial",
         false,
         [](MenuFlow &f) {
             f.op.answerEscape();
             return fetchSerial(f.context, manualFields()).has_value();
         }},
        {"auto-find on a board",
         false,
         [](MenuFlow &f) {
             f.op.answers = {Y, Esc};
             return runBoardAction(f.context, BoardAction::AutoFind, QStringLiteral("0/2"));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MenuFlow f(c.iptv);
        EXPECT_FALSE(c.run(f));
        EXPECT_TRUE(f.sink.writes.isEmpty());
        EXPECT_TRUE(f.logText().isEmpty());
        EXPECT_EQ(f.shared.ponKindFlag, 0);
        EXPECT_TRUE(f.op.answers.empty());
        ASSERT_FALSE(f.op.boxes.isEmpty());
        EXPECT_TRUE(f.lastBox().endsWith(QStringLiteral("GPON选是，EPON选否"))) << "nothing after the question";
    }
}

// After "display board 0" the question says which kind the board is and offers it as the default;
// a board the listing does not name is asked as before.
TEST(CheckedFlows, TheChassisListingGivesTheKindQuestionItsDefault) {
    PageFlow f;
    GridModel list{ontListColumns()}, discovery{ontListColumns()}, versions{ontListColumns()};
    ReplyHandlers handlers{list, discovery, versions, f.shared};
    handlers.redrawChassis(toGbk(QStringLiteral("  SlotID  BoardName  Status\r\n"
                                                "  1       H806GPBD   正常\r\n"
                                                "  3       H803EPBD   正常\r\n"
                                                "  9       H801SCUN   主用正常\r\n")));
    const struct {
        const char *board;
        const char *question;
        bool yesByDefault;
    } cases[] = {
        {"0/1", "该板为GPON板。GPON选是，EPON选否", true},
        {"0/3", "该板为EPON板。GPON选是，EPON选否", false},
        {"0/9", "GPON选是，EPON选否", true},
        {"0/5", "GPON选是，EPON选否", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.board);
        f.op.answers = {N};
        EXPECT_EQ(askPonKind(f.context, QString::fromUtf8(c.board)), PonKind::Epon);
        EXPECT_EQ(f.lastBox(), QString::fromUtf8(c.question));
        EXPECT_EQ(f.op.boxes.last().yesByDefault, c.yesByDefault);
    }

    // The operation on an ONT of the EPON board asks with that default.
    MenuFlow m;
    m.shared.boardNames = f.shared.boardNames;
    m.row.port = QStringLiteral("0/3/2");
    EXPECT_TRUE(m.run(lifecycleOperations(), "激活当前选定ONT", {Y, N}));
    EXPECT_EQ(m.op.boxes[1].text, QStringLiteral("该板为EPON板。GPON选是，EPON选否"));
    EXPECT_EQ(m.sent(), QStringLiteral("interface epon 0/3\r\nont activate 2 5\r\nquit\r\n"));
}
