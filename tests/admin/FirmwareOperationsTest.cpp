#include "admin/FirmwareOperations.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {
const char *const WholeBoardProgram = "确实要向 框/槽：0/1 业务板下的所有ONT加载固件 ont.bin？";

FirmwareFields withTargets(const char *port, const char *ont) {
    FirmwareFields f;
    f.port = QString::fromUtf8(port);
    f.ont = QString::fromUtf8(ont);
    return f;
}
} // namespace

TEST(FirmwareOperations, EveryButtonSendsItsScript) {
    const FirmwareFields initial;
    FirmwareFields immediate = withTargets("3", "");
    immediate.mode = ActiveMode::Immediate;
    FirmwareFields plain = withTargets("3", "12");
    plain.mode = ActiveMode::Default;
    plain.file = QStringLiteral("ont.xml");
    const struct {
        FirmwareAction action;
        FirmwareFields fields;
        std::vector<Answer> answers;
        const char *question; // nullptr: none asked
        const char *script;
    } cases[] = {
        {FirmwareAction::EnterDiagnose, initial, {}, nullptr, "diagnose\r\n\r\n"},
        // The initial fields name a board and no port: every ONT of the board, asked first.
        {FirmwareAction::LoadProgram,
         initial,
         {Y},
         WholeBoardProgram,
         "diagnose\r\nont-load info program ont.bin tftp 10.11.104.1\r\n\r\nont-load select 0/1  \r\n\r\n"
         "ont-load start activemode next-startup\r\n\r\n"},
        {FirmwareAction::LoadConfiguration,
         initial,
         {Y},
         "确实要向 框/槽：0/1 业务板下的所有ONT加载配置文件 ont.bin？",
         "diagnose\r\nont-load info configuration ont.bin tftp 10.11.104.1\r\n\r\nont-load select 0/1  "
         "\r\n\r\n"
         "ont-load start activemode next-startup\r\n\r\n"},
        {FirmwareAction::LoadProgram,
         immediate,
         {},
         nullptr,
         "diagnose\r\nont-load info program ont.bin tftp 10.11.104.1\r\n\r\nont-load select 0/1 3 \r\n\r\n"
         "ont-load start activemode immediate\r\n\r\n"},
        {FirmwareAction::LoadConfiguration,
         plain,
         {},
         nullptr,
         "diagnose\r\nont-load info configuration ont.xml tftp 10.11.104.1\r\n\r\nont-load select 0/1 3 "
         "12\r\n\r\n"
         "ont-load start \r\n\r\n"},
        {FirmwareAction::ShowLoadInfo, initial, {}, nullptr, "display ont-load info\r\n\r\n\r\n"},
        {FirmwareAction::ShowProgress, initial, {}, nullptr, "display ont-load select 0/1  \r\n\r\n\r\n"},
        {FirmwareAction::ShowProgress, plain, {}, nullptr, "display ont-load select 0/1 3 12\r\n\r\n\r\n"},
        {FirmwareAction::StopLoad, initial, {}, nullptr, "ont-load stop\r\n\r\n"},
        {FirmwareAction::LeaveDiagnose, initial, {}, nullptr, "quit\r\nconfig\r\n\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        PageFlow f;
        for (const Answer &a : c.answers)
            f.op.answers.push_back(a);
        EXPECT_TRUE(runFirmwareAction(f.context, c.action, c.fields));
        EXPECT_EQ(f.writes(), QStringList{QString::fromUtf8(c.script)});
        if (c.question) {
            ASSERT_EQ(f.op.boxes.size(), 1);
            EXPECT_EQ(f.op.boxes[0].kind, Box::YesNo);
            EXPECT_EQ(f.op.boxes[0].text, QString::fromUtf8(c.question));
        } else {
            EXPECT_TRUE(f.op.boxes.isEmpty());
        }
        EXPECT_EQ(f.logText(), QString()) << "nothing is logged";
    }
}

TEST(FirmwareOperations, WholeBoardLoadAnsweredNoSendsNothing) {
    PageFlow f;
    f.op.answer(false);
    EXPECT_FALSE(runFirmwareAction(f.context, FirmwareAction::LoadProgram, FirmwareFields()));
    EXPECT_EQ(f.lastBox(), QString::fromUtf8(WholeBoardProgram));
    EXPECT_TRUE(f.sink.writes.isEmpty());
}

// A line the OLT rejects does not stop the script: "ont-load start" would then load what an
// earlier load declared into the ONTs an earlier load selected.
TEST(FirmwareOperations, LoadsThatWouldFailALineAreRefusedBeforeSending) {
    const struct {
        const char *what;
        FirmwareFields fields;
        const char *notice; // a piece of it
    } cases[] = {
        {"no file",
         [] {
             FirmwareFields f = withTargets("0", "");
             f.file.clear();
             return f;
         }(),
         "固件/配置 文件"},
        {"file with a blank",
         [] {
             FirmwareFields f = withTargets("0", "");
             f.file = QStringLiteral("my fw.bin");
             return f;
         }(),
         "固件/配置 文件"},
        {"no address",
         [] {
             FirmwareFields f = withTargets("0", "");
             f.address.clear();
             return f;
         }(),
         "TFTP地址"},
        {"no board",
         [] {
             FirmwareFields f = withTargets("0", "");
             f.board.clear();
             return f;
         }(),
         "ONT所在板卡"},
        {"board without a frame",
         [] {
             FirmwareFields f = withTargets("0", "");
             f.board = QStringLiteral("1");
             return f;
         }(),
         "ONT所在板卡"},
        {"port not a number", withTargets("x", ""), "端口"},
        {"ONT not a number", withTargets("0", "1-2"), "ONT"},
        {"ONT without its port", withTargets("", "5"), "端口"},
        {"line break in the port", withTargets("0\r\nont-load stop", ""), "端口"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (const FirmwareAction action : {FirmwareAction::LoadProgram, FirmwareAction::LoadConfiguration}) {
            PageFlow f;
            EXPECT_FALSE(runFirmwareAction(f.context, action, c.fields));
            ASSERT_EQ(f.op.boxes.size(), 1) << "refused before any question";
            EXPECT_EQ(f.op.boxes[0].kind, Box::Notice);
            EXPECT_TRUE(f.lastBox().contains(QString::fromUtf8(c.notice))) << f.lastBox().toStdString();
            EXPECT_TRUE(f.sink.writes.isEmpty());
        }
    }
    // The progress query reads only; it is refused only for what would add a line.
    PageFlow f;
    EXPECT_TRUE(runFirmwareAction(f.context, FirmwareAction::ShowProgress, withTargets("", "5")));
    EXPECT_FALSE(runFirmwareAction(f.context, FirmwareAction::ShowProgress, withTargets("1\n", "")));
    EXPECT_EQ(f.writes(), QStringList{"display ont-load select 0/1  5\r\n\r\n\r\n"});
}

TEST(FirmwareOperations, LostWriteIsToldOnce) {
    for (const FirmwareAction action : {FirmwareAction::EnterDiagnose, FirmwareAction::LoadProgram,
                                        FirmwareAction::ShowProgress, FirmwareAction::LeaveDiagnose}) {
        PageFlow f;
        f.sink.connected = false;
        f.op.agreeWith = QString();
        EXPECT_FALSE(runFirmwareAction(f.context, action, FirmwareFields()));
        EXPECT_EQ(f.lastBox(), NotConnectedNotice);
        EXPECT_EQ(f.op.boxes.count(), action == FirmwareAction::LoadProgram ? 2 : 1);
    }
}

TEST(FirmwareOperations, BrowseKeepsTheBareFileName) {
    const struct {
        const char *path, *name;
    } names[] = {
        {"/srv/tarnwick/sub/HG8245_V3.bin", "HG8245_V3.bin"},
        {"C:\\OLT\\固件\\ont.bin", "ont.bin"},
        {"mixed/dir\\cfg.XML", "cfg.XML"},
        {"ont.bin", "ont.bin"},
    };
    for (const auto &n : names)
        EXPECT_EQ(bareFileName(QString::fromUtf8(n.path)), QString::fromUtf8(n.name)) << n.path;

    PageFlow f;
    f.op.answers.push_back(T("/run/dir/sub/fw.bin"));
    EXPECT_EQ(browseFirmwareFile(f.op, QStringLiteral("/run/dir")), QStringLiteral("fw.bin"));
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_EQ(f.op.boxes[0].kind, Box::OpenFile);
    EXPECT_EQ(f.op.boxes[0].initial, QStringLiteral("/run/dir")) << "opens in the run directory";
    EXPECT_TRUE(f.op.boxes[0].text.contains(QStringLiteral("固件文件（*.bin）")));
    EXPECT_TRUE(f.op.boxes[0].text.contains(QStringLiteral("配置文件（*.XML）")));
    f.op.answers.push_back(Cancel);
    EXPECT_EQ(browseFirmwareFile(f.op, QStringLiteral("/run/dir")), std::nullopt);
}
