#include "provision/BatchRegistration.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tw;
using namespace tw::test;

namespace {

BatchFields loidBatch(const char *count = "3") {
    BatchFields f;
    f.frame = QStringLiteral("0");
    f.slot = QStringLiteral("1");
    f.port = QStringLiteral("3");
    f.serviceVlan = QStringLiteral("41");
    f.mode = QStringLiteral("LOID");
    f.start = QStringLiteral("7");
    f.count = QString::fromUtf8(count);
    f.rule = QStringLiteral("G-(B)-(P)-(O)");
    return f;
}

QStringList codes(const char *rule, qint64 start, int count, bool padding, int shown) {
    QStringList out;
    for (int k = 1; k <= shown; ++k)
        out << batchCode(QString::fromUtf8(rule), QStringLiteral("1"), QStringLiteral("3"),
                         {start, count, padding}, k);
    return out;
}

QStringList numbered(const char *prefix, QStringList numbers) {
    for (QString &n : numbers)
        n.prepend(QString::fromUtf8(prefix));
    return numbers;
}

} // namespace

TEST(BatchRegistration, CodesPadToTheWidthOfTheLargestNumber) {
    const struct {
        const char *rule;
        qint64 start;
        int count;
        bool padding;
        QStringList expected; // codes 1 … count
    } cases[] = {
        {"G-(B)-(P)-(O)", 7, 12, true,
         numbered("G-1-3-", {"07", "08", "09", "10", "11", "12", "13", "14", "15", "16", "17", "18"})},
        {"G-(B)-(P)-(O)", 7, 12, false,
         numbered("G-1-3-", {"7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18"})},
        // The count's own width (one digit) would have wrapped these to 9, 0, 1, 2, 3.
        {"G-(B)-(P)-(O)", 9, 5, true, numbered("G-1-3-", {"09", "10", "11", "12", "13"})},
        {"(O)", 95, 10, true, {"095", "096", "097", "098", "099", "100", "101", "102", "103", "104"}},
        {"(O)", 7, 3, true, {"7", "8", "9"}},
        {"(O)", 0, 1, true, {"0"}},
        {"(O)", 1, 100, true, {"001", "002"}}, // only the first two checked
        // Every marker, as often as it appears; everything else literally.
        {"(O)/(B)(P)-(O) (X)", 4, 1, false, {"4/13-4 (X)"}},
        {"loid", 1, 2, true, {"loid", "loid"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.rule << " start " << c.start << " count " << c.count);
        EXPECT_EQ(codes(c.rule, c.start, c.count, c.padding, int(c.expected.size())), c.expected);
    }
}

TEST(BatchRegistration, StartAndCountMustBeSensibleNumbers) {
    const QString startNotice = QStringLiteral("起始编号应为0或正整数，请检查后重试！");
    const QString countNotice =
        QStringLiteral("生成数量应为1到128之间的整数（每个PON端口最多128个ONT），请检查后重试！");
    const struct {
        const char *start, *count;
        qint64 expectedStart; // -1: refused
        const QString *notice;
    } cases[] = {
        {"7", "128", 7, nullptr},       {"007", "1", 7, nullptr},       {"0", "012", 0, nullptr},
        {"", "3", -1, &startNotice},    {"abc", "3", -1, &startNotice}, {"-1", "3", -1, &startNotice},
        {"1.5", "3", -1, &startNotice}, {" 1", "3", -1, &startNotice},  {"1000000000", "3", -1, &startNotice},
        {"1", "0", -1, &countNotice},   {"1", "129", -1, &countNotice}, {"1", "100000", -1, &countNotice},
        {"1", "-3", -1, &countNotice},  {"1", "2.5", -1, &countNotice}, {"1", "", -1, &countNotice},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "start '" << c.start << "' count '" << c.count << "'");
        PageFlow f;
        BatchFields fields = loidBatch(c.count);
        fields.start = QString::fromUtf8(c.start);
        const std::optional<BatchNumbering> n = batchNumbering(f.op, fields);
        EXPECT_EQ(n ? n->start : -1, c.expectedStart);
        EXPECT_EQ(f.lastBox(), c.notice ? *c.notice : QString());
    }
}

TEST(BatchRegistration, PreviewShowsFiveCodesWhateverTheCount) {
    PageFlow f;
    BatchFields fields = loidBatch("2");
    fields.start = QStringLiteral("9");
    fields.padding = true;
    EXPECT_TRUE(previewBatch(f.context, fields));
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_EQ(f.op.boxes[0].kind, Box::Notice);
    EXPECT_EQ(f.op.boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(f.op.boxes[0].text,
              QStringLiteral("注册码：G-1-3-09\r\n注册码：G-1-3-10\r\n注册码：G-1-3-11\r\n"
                             "注册码：G-1-3-12\r\n注册码：G-1-3-13\r\n"));
    EXPECT_TRUE(f.sink.writes.isEmpty());
    EXPECT_TRUE(f.logText().isEmpty());

    PageFlow g;
    fields.count = QStringLiteral("0");
    EXPECT_FALSE(previewBatch(g.context, fields)) << "no preview of a batch that would be refused";
}

TEST(BatchRegistration, SendsOneScriptThenLogsEachOntAndStoresThePresets) {
    const struct {
        const char *mode;
        bool gpon;
        const char *count;
        const char *script;
        QStringList logs;
    } cases[] = {
        {"LOID",
         true,
         "3",
         "interface gpon 0/1\r\n"
         "ont add 3 loid-auth G-1-3-7 always-on omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc "
         "\"2024-05-06_lobby\"\r\n\r\n"
         "ont add 3 loid-auth G-1-3-8 always-on omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc "
         "\"2024-05-06_lobby\"\r\n\r\n"
         "ont add 3 loid-auth G-1-3-9 always-on omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc "
         "\"2024-05-06_lobby\"\r\n\r\n"
         "quit\r\n",
         {"09:00:00   批量注册GPON_ONT，注册到0框1板3端口 注册方式：LOID 参数：G-1-3-7 ONT 业务内层VLAN：41",
          "09:00:00   批量注册GPON_ONT，注册到0框1板3端口 注册方式：LOID 参数：G-1-3-8 ONT 业务内层VLAN：41",
          "09:00:00   批量注册GPON_ONT，注册到0框1板3端口 注册方式：LOID 参数：G-1-3-9 ONT "
          "业务内层VLAN：41"}},
        {"密码",
         false,
         "1",
         "interface epon 0/1\r\n"
         "ont add 3 password-auth G-1-3-7 always-on oam ont-lineprofile-id 2 ont-srvprofile-id 2 desc "
         "\"2024-05-06_lobby\"\r\n\r\n"
         "quit\r\n",
         {"09:00:00   批量注册EPON_ONT，注册到0框1板3端口 注册方式：密码 参数：G-1-3-7 ONT "
          "业务内层VLAN：41"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        PageFlow f;
        f.settings.write(settings::DefaultDescription, QStringLiteral("lobby"));
        BatchFields fields = loidBatch(c.count);
        fields.mode = QString::fromUtf8(c.mode);
        f.op.answer(c.gpon);
        f.op.answer(true);
        EXPECT_TRUE(registerBatch(f.context, fields));
        EXPECT_EQ(f.writes(), QStringList{QString::fromUtf8(c.script)});
        EXPECT_EQ(f.logText(), c.logs.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        EXPECT_EQ(f.shared.ponKindFlag, c.gpon ? 1 : 0);
        ASSERT_EQ(f.op.boxes.size(), 2);
        EXPECT_EQ(f.op.boxes[0].text, QStringLiteral("GPON选是，EPON选否"));
        EXPECT_EQ(f.op.boxes[1].text, QStringLiteral("本次注册方式：") + fields.mode +
                                          QStringLiteral("，注册数量：") + fields.count +
                                          QStringLiteral("，确实要批量注册？"));
        EXPECT_EQ(f.op.boxes[1].icon, BoxIcon::Question);
        EXPECT_EQ(f.settings.read(settings::NamingRule), QStringLiteral("G-(B)-(P)-(O)"));
        EXPECT_EQ(f.settings.read(settings::FirstOntNumber), QStringLiteral("7"));
        EXPECT_EQ(f.settings.read(settings::Frame) + f.settings.read(settings::Slot) +
                      f.settings.read(settings::Port),
                  QStringLiteral("013"));
        EXPECT_EQ(f.settings.read(settings::ServiceInnerVlan), QStringLiteral("41"));
    }
}

TEST(BatchRegistration, DeclinedOrLostBatchLogsAndStoresNothing) {
    for (const bool connected : {true, false}) {
        SCOPED_TRACE(connected ? "declined" : "not connected");
        PageFlow f;
        f.sink.connected = connected;
        BatchFields fields = loidBatch();
        fields.rule = QStringLiteral("X-(O)");
        f.op.answer(true);
        f.op.answer(!connected); // a lost write is the one that was confirmed
        EXPECT_FALSE(registerBatch(f.context, fields));
        EXPECT_TRUE(f.sink.writes.isEmpty());
        EXPECT_TRUE(f.logText().isEmpty());
        EXPECT_EQ(f.settings.read(settings::NamingRule), QStringLiteral("0-(B)-(P)-(O)")) << "not stored";
        EXPECT_EQ(f.settings.read(settings::FirstOntNumber), QStringLiteral("0"));
        EXPECT_EQ(f.shared.ponKindFlag, 1) << "the kind was chosen";
        if (connected)
            EXPECT_EQ(f.op.boxes.last().kind, Box::YesNo);
        else
            EXPECT_EQ(f.lastBox(), NotConnectedNotice);
    }
}

TEST(BatchRegistration, RefusesBeforeAskingAnything) {
    const QString required = QStringLiteral("必填项不能为空，请检查后重试！");
    const QString badVlan = QStringLiteral("“业务VLAN”应为1到4094之间的整数，命令没有发送！请检查后重试。");
    const QString badFrame = QStringLiteral("“机框”应为0到7之间的整数，命令没有发送！请检查后重试。");
    const QString badBoard = QStringLiteral("“业务板”应为0到22之间的整数，命令没有发送！请检查后重试。");
    const QString count =
        QStringLiteral("生成数量应为1到128之间的整数（每个PON端口最多128个ONT），请检查后重试！");
    const QString ruleBreak =
        QStringLiteral("“注册码规则”中含有换行符或控制字符，命令没有发送！请删除后重试。");
    const QString ruleQuote =
        QStringLiteral("“注册码规则”应为1到24个字符，不含空格和双引号，命令没有发送！请检查后重试。");
    const QString vlanBreak =
        QStringLiteral("“业务VLAN”中含有换行符或控制字符，命令没有发送！请删除后重试。");
    const QString descriptionQuote = QStringLiteral("“默认备注”中不能含有双引号（\"），命令没有发送！");
    const struct {
        const char *what;
        std::function<void(BatchFields &, SettingsStore &)> change;
        const QString &notice;
    } cases[] = {
        {"empty start", [](BatchFields &b, SettingsStore &) { b.start.clear(); }, required},
        {"empty rule", [](BatchFields &b, SettingsStore &) { b.rule.clear(); }, required},
        {"empty frame", [](BatchFields &b, SettingsStore &) { b.frame.clear(); }, required},
        {"VLAN 0", [](BatchFields &b, SettingsStore &) { b.serviceVlan = QStringLiteral("0"); }, badVlan},
        {"frame not a number", [](BatchFields &b, SettingsStore &) { b.frame = QStringLiteral("0 "); },
         badFrame},
        {"board not a number", [](BatchFields &b, SettingsStore &) { b.slot = QStringLiteral("1/2"); },
         badBoard},
        {"thousands of ONTs", [](BatchFields &b, SettingsStore &) { b.count = QStringLiteral("5000"); },
         count},
        {"count not a number", [](BatchFields &b, SettingsStore &) { b.count = QStringLiteral("x"); }, count},
        {"rule with a line break",
         [](BatchFields &b, SettingsStore &) { b.rule = QStringLiteral("G-(O)\nont delete 3 all"); },
         ruleBreak},
        {"rule with a quote", [](BatchFields &b, SettingsStore &) { b.rule = QStringLiteral("G\"(O)"); },
         ruleQuote},
        {"VLAN with a line break",
         [](BatchFields &b, SettingsStore &) { b.serviceVlan = QStringLiteral("41\r\n"); }, vlanBreak},
        {"description with a quote",
         [](BatchFields &, SettingsStore &s) {
             s.write(settings::DefaultDescription, QStringLiteral("a\"b"));
         },
         descriptionQuote},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        PageFlow f;
        BatchFields fields = loidBatch();
        c.change(fields, f.settings);
        EXPECT_FALSE(registerBatch(f.context, fields));
        ASSERT_EQ(f.op.boxes.size(), 1);
        EXPECT_EQ(f.op.boxes[0].text, c.notice);
        EXPECT_TRUE(f.sink.writes.isEmpty());
        EXPECT_TRUE(f.logText().isEmpty());
    }
    PageFlow f;
    BatchFields fields = loidBatch();
    fields.serviceVlan = QStringLiteral("41\n");
    registerBatch(f.context, fields);
    EXPECT_EQ(f.settings.read(settings::ServiceInnerVlan), QStringLiteral("41"))
        << "a VLAN with a line break never reaches config.ini";
}

// A LOID is one word of up to 24 characters and a password one of up to 10: a rule that makes any
// code of the batch otherwise is refused before the kind is asked.
TEST(BatchRegistration, CodesAreOneWordOfTheLengthTheOltTakes) {
    const struct {
        const char *mode, *rule, *count;
        bool accepted;
    } cases[] = {
        {"LOID", "G (O)", "1", false},
        {"LOID", "G\u3000(O)", "1", false},
        {"LOID", "ABCDEFGHIJKLMNOPQRSTUV(O)", "4", true},   // codes 7 … 10: 23 and 24 characters
        {"LOID", "ABCDEFGHIJKLMNOPQRSTUVW(O)", "4", false}, // the last code has 25
        {"密码", "P-(B)-(O)", "3", true},
        {"密码", "PASSW-(B)-(P)-(O)", "3", false}, // 11 characters
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rule);
        PageFlow f;
        BatchFields fields = loidBatch(c.count);
        fields.mode = QString::fromUtf8(c.mode);
        fields.rule = QString::fromUtf8(c.rule);
        if (c.accepted) f.op.answers = {Y, Y};
        EXPECT_EQ(registerBatch(f.context, fields), c.accepted);
        EXPECT_EQ(f.sink.writes.isEmpty(), !c.accepted);
        if (!c.accepted) {
            ASSERT_EQ(f.op.boxes.size(), 1);
            EXPECT_TRUE(f.lastBox().startsWith(QStringLiteral("“注册码规则”应为"))) << f.lastBox().toStdString();
        }
    }
}

TEST(BatchRegistration, ConfirmAllOnThePort) {
    const ConfirmAllFields fields{QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"),
                                  QStringLiteral("10"), QStringLiteral("11")};
    for (const bool gpon : {true, false}) {
        PageFlow f;
        f.op.answer(gpon);
        EXPECT_TRUE(confirmAllOnPort(f.context, fields));
        EXPECT_EQ(f.sent(),
                  gpon ? QStringLiteral("interface gpon 0/2\r\nont confirm 5 all sn-auth omci "
                                        "ont-lineprofile-id 10 ont-srvprofile-id 11\r\n\r\nquit\r\n")
                       : QStringLiteral("interface epon 0/2\r\nont confirm 5 all mac-auth oam "
                                        "ont-lineprofile-id 10 ont-srvprofile-id 11\r\n\r\nquit\r\n"));
        EXPECT_TRUE(f.logText().isEmpty());
        EXPECT_EQ(f.op.boxes.size(), 1) << "the kind is the only question";
    }

    PageFlow lost;
    lost.sink.connected = false;
    lost.op.answer(true);
    EXPECT_FALSE(confirmAllOnPort(lost.context, fields));
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);

    for (const ConfirmAllFields &bad :
         {ConfirmAllFields{"", "2", "5", "10", "11"}, ConfirmAllFields{"0", "x", "5", "10", "11"},
          ConfirmAllFields{"0", "2", "5", "10\r\nont delete 5 all", "11"}}) {
        PageFlow f;
        EXPECT_FALSE(confirmAllOnPort(f.context, bad));
        EXPECT_TRUE(f.sink.writes.isEmpty());
        EXPECT_EQ(f.op.boxes.size(), 1);
    }
}
