#include "provision/ManualRegistration.h"
#include "Flow.h"
#include "common/GridModel.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
struct Flow : test::Flow {
    RegistrationContext ctx{op, sink, log, settings, shared};

    // A discovery row with these cells; what it shows goes to `shown`, with the number of boxes
    // asked by then.
    QString shown;
    DiscoveredRow row(const QString &port, const QString &key) {
        return {[=](int column) { return column == 1   ? port
                                         : column == 2 ? key
                                                       : QString(); },
                [this](const QString &frame, const QString &slot, const QString &p) {
                    shown = frame + slot + p + QStringLiteral(" after %1 box").arg(op.boxes.size());
                },
                {}};
    }
};
} // namespace

TEST(ManualRegistration, SerialFromCell) {
    EXPECT_EQ(serialFromCell(QStringLiteral("4857544300000001 (HWTC-00000001)")),
              QStringLiteral("4857544300000001"));
    EXPECT_EQ(serialFromCell(QStringLiteral("00E0-FC00-0001")), QStringLiteral("00E0-FC00-0001"));
}

TEST(ManualRegistration, FromTheDiscoveryMenu) {
    struct Case {
        Management how;
        bool gpon;
        const char *script;
        const char *log;
    } cases[] = {
        {Management::Omci, true,
         "interface gpon 0/1\r\nont add 3 sn-auth 4857544300000001 omci ont-lineprofile-id 1 "
         "ont-srvprofile-id 1 "
         "desc d1\r\n\r\nquit\r\n",
         "09:00:00   手动注册ONT，注册到0/1/3 注册序列号：4857544300000001\r\n"},
        {Management::Omci, false,
         "interface epon 0/1\r\nont add 3 mac-auth 4857544300000001 oam ont-lineprofile-id 2 "
         "ont-srvprofile-id 2 "
         "desc d1\r\n\r\nquit\r\n",
         "09:00:00   手动注册ONT，注册到0/1/3 注册序列号：4857544300000001\r\n"},
        {Management::Snmp, true,
         "interface gpon 0/1\r\nont add 3 sn-auth 4857544300000001 snmp ont-lineprofile-id 1 desc "
         "d1\r\n\r\nquit\r\n",
         "09:00:00   手动注册ONU，注册到0/1/3 注册序列号：4857544300000001\r\n"},
    };
    for (const Case &c : cases) {
        Flow f;
        f.op.answerText(QStringLiteral("d1"));
        f.op.answer(c.gpon);
        f.op.answer(true);
        EXPECT_TRUE(registerDiscovered(
            f.ctx, c.how,
            f.row(QStringLiteral("0/1/3"), QStringLiteral("4857544300000001 (HWTC-00000001)"))));
        EXPECT_EQ(f.sink.all(), QByteArray(c.script));
        EXPECT_EQ(f.logText(), QString::fromUtf8(c.log));
        EXPECT_EQ(f.shared.ponKindFlag, c.gpon ? 1 : 0);
        EXPECT_EQ(f.op.boxes[0].initial, QStringLiteral("2024-05-06"));
        EXPECT_EQ(f.op.boxes[2].title, QStringLiteral("是否要执行以下脚本"));
        EXPECT_EQ(f.shown, QStringLiteral("013 after 1 box"))
            << "the tab shows the port before the questions";
    }
}

// The discovery row a registration was started from tells what became of it: the ONT id the OLT
// gave, the OLT's words of a failure, or why it was cut short. The row is found by its port and key,
// so a grid listed again meanwhile still shows it, and no other row changes.
TEST(ManualRegistration, TheDiscoveryRowTellsTheOutcome) {
    const QString key = QStringLiteral("4857544300000001");
    const struct {
        const char *name;
        QList<std::pair<QString, QString>> answers;
        ScriptOutcome::Status status;
        const char *shown;
    } cases[] = {
        {"registered",
         {{"ont add", "  Number of ONTs that can be added: 1, success: 1\r\n  PortID :3, ONTID :7\r\n"}},
         ScriptOutcome::Done,
         "已注册，ONT编号：7"},
        {"registered, Chinese CLI",
         {{"ont add", "  端口号 :3, ONT号 :12\r\n"}},
         ScriptOutcome::Done,
         "已注册，ONT编号：12"},
        {"refused",
         {{"ont add", "  Failure: SN already exists\r\n"}},
         ScriptOutcome::Done,
         "注册失败：Failure: SN already exists"},
        {"connection lost", {}, ScriptOutcome::Interrupted, "已中断：与OLT的连接已断开"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        GridModel grid(ontDiscoveryColumns());
        grid.appendRows({{"1", "0/1/3", key + " (HWTC-00000001)"}, {"2", "0/1/4", key}});
        Flow f;
        f.sink.holdRuns = true;
        f.op.answerText(QStringLiteral("d1"));
        f.op.answer(true);
        f.op.answer(true);
        DiscoveredRow row = f.row(QStringLiteral("0/1/3"), grid.cell(0, 2));
        row.showStatus = [&grid](const QString &port, const QString &k, const QString &status) {
            showDiscoveryStatus(grid, port, k, status);
        };
        ASSERT_TRUE(registerDiscovered(f.ctx, Management::Omci, row));
        EXPECT_EQ(grid.cell(0, DiscoveryStatusColumn), QStringLiteral("注册中…"));
        grid.replaceRows({GridRow(grid.row(1)), GridRow(grid.row(0))}); // listed again meanwhile
        f.sink.answer(c.answers, c.status);
        EXPECT_EQ(grid.cell(1, DiscoveryStatusColumn), QString::fromUtf8(c.shown));
        EXPECT_EQ(grid.cell(0, DiscoveryStatusColumn), QString()) << "another port's row";
    }
    // Not connected: the row is as it was.
    GridModel grid(ontDiscoveryColumns());
    grid.appendRow({"1", "0/1/3", key});
    Flow f;
    f.sink.connected = false;
    f.op.answerText(QStringLiteral("d1"));
    f.op.answer(true);
    f.op.answer(true);
    DiscoveredRow row = f.row(QStringLiteral("0/1/3"), key);
    row.showStatus = [&grid](const QString &port, const QString &k, const QString &status) {
        showDiscoveryStatus(grid, port, k, status);
    };
    EXPECT_FALSE(registerDiscovered(f.ctx, Management::Omci, row));
    EXPECT_EQ(grid.cell(0, DiscoveryStatusColumn), QString());
}

TEST(ManualRegistration, CancelAndNoSendNothing) {
    Flow f;
    f.op.answerText(std::nullopt);
    EXPECT_FALSE(
        registerDiscovered(f.ctx, Management::Omci, f.row(QStringLiteral("0/1/3"), QStringLiteral("X"))));
    EXPECT_TRUE(f.shown.isEmpty()) << "the tab stays unchanged";
    f.op.answerText(QStringLiteral("d"));
    f.op.answer(true);
    f.op.answer(false); // the script is not run
    EXPECT_FALSE(
        registerDiscovered(f.ctx, Management::Omci, f.row(QStringLiteral("0/1/3"), QStringLiteral("X"))));
    EXPECT_TRUE(f.shown.startsWith(QStringLiteral("013"))) << "the tab keeps the row's port";
    EXPECT_EQ(f.shared.ponKindFlag, 1);
    EXPECT_TRUE(f.sink.writes.isEmpty());
}

TEST(ManualRegistration, FromTheTabWithValidation) {
    Flow f;
    RegisterFields fields{QStringLiteral("0"),   QStringLiteral("2"),   QStringLiteral("5"),
                          QStringLiteral("100"), QStringLiteral("0"),   QStringLiteral("7"),
                          QStringLiteral("8"),   QStringLiteral("4857544300000009"), QStringLiteral("lobby")};
    EXPECT_FALSE(registerManually(f.ctx, fields));
    EXPECT_EQ(f.op.boxes.last().text,
              QStringLiteral("“业务VLAN”应为1到4094之间的整数，命令没有发送！请检查后重试。"));
    EXPECT_EQ(f.settings.read(settings::ServiceInnerVlan), QStringLiteral("41")) << "a refused VLAN is not stored";
    fields.serial.clear();
    fields.serviceVlan = QStringLiteral("41");
    EXPECT_FALSE(registerManually(f.ctx, fields));
    EXPECT_EQ(f.op.boxes.last().text, QStringLiteral("必填项不能为空，请检查后重试！"));
    fields.serial = QStringLiteral("4857544300000009");
    f.op.answer(true);
    f.op.answer(true);
    EXPECT_TRUE(registerManually(f.ctx, fields));
    EXPECT_EQ(f.sink.all(),
              QByteArray("interface gpon 0/2\r\nont add 5 sn-auth 4857544300000009 omci ont-lineprofile-id 7 "
                         "ont-srvprofile-id 8 desc \"lobby\"\r\n\r\nquit\r\n"));
    EXPECT_EQ(
        f.logText(),
        QStringLiteral(
            "09:00:00   手动注册ONT，注册到0框2板5 注册序列号：4857544300000009 ONT 业务内层VLAN：41 ONT备注：lobby\r\n"));
}

TEST(ManualRegistration, FetchSerialSetsTheKindAndReturnsTheDate) {
    Flow f;
    f.op.answer(false);
    RegisterFields fields;
    fields.frame = QStringLiteral("0");
    fields.slot = QStringLiteral("1");
    fields.port = QStringLiteral("2");
    EXPECT_EQ(fetchSerial(f.ctx, fields), QStringLiteral("2024-05-06"));
    EXPECT_EQ(f.sink.all(), QByteArray("interface epon 0/1\r\ndisplay ont autofind 2\r\n     \r\nquit\r\n"));
    EXPECT_EQ(f.shared.ponKindFlag, 0);
}

TEST(ManualRegistration, LostWritesAndBadFieldsAreNotRegistrations) {
    RegisterFields fields{QStringLiteral("0"),   QStringLiteral("2"),   QStringLiteral("5"),
                          QStringLiteral("100"), QStringLiteral("41"),  QStringLiteral("7"),
                          QStringLiteral("8"),   QStringLiteral("4857544300000009"), QStringLiteral("lobby")};
    Flow lost;
    lost.sink.connected = false;
    lost.op.answer(true);
    lost.op.answer(true);
    EXPECT_FALSE(registerManually(lost.ctx, fields));
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
    EXPECT_TRUE(lost.logText().isEmpty());
    lost.op.answer(true);
    EXPECT_EQ(fetchSerial(lost.ctx, fields), std::nullopt) << "the description box keeps its text";

    // A frame the interface line cannot take would leave "ont add" and "quit" to configuration mode.
    Flow f;
    fields.frame = QStringLiteral("0a");
    EXPECT_FALSE(registerManually(f.ctx, fields));
    EXPECT_EQ(fetchSerial(f.ctx, fields), std::nullopt);
    fields.frame = QStringLiteral("0");
    fields.description = QStringLiteral("a\"b");
    EXPECT_FALSE(registerManually(f.ctx, fields));
    EXPECT_TRUE(f.sink.writes.isEmpty());
    ASSERT_EQ(f.op.boxes.size(), 3) << "three notices, no question";

    // A description with blanks stays one word.
    Flow g;
    g.op.answerText(QStringLiteral("room 1"));
    g.op.answer(true);
    g.op.answer(true);
    EXPECT_TRUE(
        registerDiscovered(g.ctx, Management::Snmp, g.row(QStringLiteral("0/1/3"), QStringLiteral("X"))));
    EXPECT_TRUE(g.sent().endsWith(QStringLiteral(" desc \"room 1\"\r\n\r\nquit\r\n")));
}
