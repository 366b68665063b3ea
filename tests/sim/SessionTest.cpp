// The CLI session in-process: login, telnet input, modes, language, paging, prompts and errors.
#include "SimDriver.h"

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

const QByteArray kUserName = "\r\n>>User name:";
const QByteArray kPassword = "\r\n>>User password:";
const QByteArray kBanner = "\r\n  Huawei Integrated Access Software.";
const QByteArray kRejected = "\r\n  Username or password invalid.";

bool hasWrite(const std::vector<Write> &writes, const QByteArray &bytes) {
    return std::any_of(writes.begin(), writes.end(), [&](const Write &w) { return w.bytes == bytes; });
}

TEST(SimLogin, PromptsAndBannerArriveAsWritesOfTheirOwn) {
    Cli cli;
    const auto opening = cli.start();
    ASSERT_EQ(opening.size(), 2u);
    EXPECT_TRUE(opening[0].bytes.startsWith("\xff\xfb\x01")); // IAC WILL ECHO first
    EXPECT_EQ(opening[1].bytes, kUserName);
    EXPECT_GT(opening[1].delayMs, 0) << "the prompt must not be glued to the telnet options";

    const auto afterUser = cli.feed("root\r\n");
    EXPECT_TRUE(hasWrite(afterUser, kPassword));

    const auto afterPassword = cli.feed("admin\r\n");
    EXPECT_FALSE(decode(afterPassword).contains("admin")) << "the password is never echoed";
    ASSERT_TRUE(hasWrite(afterPassword, kBanner));
    EXPECT_TRUE(decode(afterPassword).endsWith("MA5680T>"));
    // Whatever follows the banner comes after a pause, so it is not read together with it.
    auto banner =
        std::find_if(afterPassword.begin(), afterPassword.end(), [](auto &w) { return w.bytes == kBanner; });
    ASSERT_NE(banner + 1, afterPassword.end());
    EXPECT_GT((banner + 1)->delayMs, 0);
}

TEST(SimLogin, ConnectionTestScriptTypedAheadLogsInAndOut) {
    // The console's connection test answers the user-name prompt with everything at once.
    Cli cli;
    cli.start();
    const auto writes = cli.feed("root\r\nadmin\r\n\r\n\r\n\r\n");
    EXPECT_TRUE(hasWrite(writes, kBanner));
    EXPECT_EQ(cli.session->prompt(), "MA5680T>");
    cli.feed("quit\r\ny\r\n\r\n\r\n");
    EXPECT_TRUE(cli.session->closing());
}

TEST(SimLogin, BadLoginsAreRejectedAndAskedAgain) {
    struct Case {
        const char *name;
        QByteArray user, password;
        bool rejectAll;
    };
    const Case cases[] = {
        {"wrong password", "root", "nimda", false},
        {"unknown user", "admin", "admin", false},
        {"password of another case", "root", "ADMIN", false},
        {"every login refused", "root", "admin", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Cli cli;
        cli.faults.rejectLogins = c.rejectAll;
        cli.start();
        cli.feed(c.user + "\r\n");
        const auto writes = cli.feed(consoleLogin(c.password));
        ASSERT_GE(writes.size(), 2u);
        EXPECT_EQ(writes[writes.size() - 2].bytes, kRejected);
        EXPECT_EQ(writes.back().bytes, kUserName);
        // The post-login script typed ahead is dropped, not taken as the next user name.
        EXPECT_FALSE(cli.session->loggedIn());
        EXPECT_TRUE(hasWrite(cli.feed("root\r\n"), kPassword));
    }
}

template <size_t N> QByteArray raw(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

TEST(SimTelnet, NegotiationFromTheClientIsStrippedWhereverItFalls) {
    Cli cli;
    cli.start();
    // DO ECHO before the name, WILL NAWS inside it, a NAWS sub-negotiation split across two reads,
    // a NOP inside the password.
    cli.feed(raw("\xff\xfd\x01r\xff\xfb\x1foot\r\n\xff\xfa\x1f\x00\x50\x00"));
    cli.feed(raw("\x18\xff\xf0"
                 "adm\xff\xf1in\r\n"));
    EXPECT_TRUE(cli.session->loggedIn());
    // An escaped 0xFF is one data byte; its echo is escaped again.
    EXPECT_EQ(cli.feed(raw("x\xff\xffy")).front().bytes, raw("x\xff\xffy"));
}

TEST(SimTelnet, EachLineEndCountsOnce) {
    const std::pair<const char *, QByteArray> endings[] = {
        {"CR LF", "\r\n"}, {"CR", "\r"}, {"LF", "\n"}, {"CR NUL", QByteArray("\r\0", 2)}};
    for (const auto &[name, end] : endings) {
        SCOPED_TRACE(name);
        Cli cli;
        cli.login();
        const QString out = cli.send("quit" + end + "" + end.left(end.size()));
        // "quit", then one empty line: the prompt of privileged mode twice, no more.
        EXPECT_EQ(out.count("MA5680T#"), 2) << out.toStdString();
    }
    Cli split;
    split.login();
    split.send("quit\r");
    EXPECT_EQ(split.send("\n").count("MA5680T#"), 0)
        << "a CR LF split across two reads is still one line end";
}

TEST(SimModes, PromptsOfEveryMode) {
    const std::pair<const char *, const char *> cases[] = {
        {"interface gpon 0/1", "MA5680T(config-if-gpon-0/1)#"},
        {"interface epon 0/3", "MA5680T(config-if-epon-0/3)#"},
        {"interface giu 0/19", "MA5680T(config-if-giu-0/19)#"},
        {"interface emu 0", "MA5680T(config-if-emu-0)#"},
        {"interface scu 0/9", "MA5680T(config-if-scu-0/9)#"},
        {"interface meth0", "MA5680T(config-if-meth0)#"},
        {"btv", "MA5680T(config-btv)#"},
        {"diagnose", "MA5680T(diagnose)%%"},
        {"ont-lineprofile gpon profile-id 7 profile-name \"L7\"", "MA5680T(config-gpon-lineprofile-7)#"},
        {"ont-srvprofile epon profile-id 2", "MA5680T(config-epon-srvprofile-2)#"},
        {"multicast-vlan 3444", "MA5680T(config-mvlan3444)#"},
        {"vlan service-profile profile-id 1", "MA5680T(config-vlan-srvprof-1)#"},
        {"interface vlanif 100", "MA5680T(config-if-vlanif100)#"},
    };
    for (const auto &[command, prompt] : cases) {
        SCOPED_TRACE(command);
        Cli cli;
        cli.login();
        EXPECT_TRUE(cli.run(command).endsWith(prompt));
        EXPECT_TRUE(cli.run("quit").endsWith("\r\nMA5680T(config)#"))
            << "quit goes back to configuration mode";
    }
}

TEST(SimModes, QuitFromPrivilegedModeLogsOutOnlyAfterYes) {
    Cli cli;
    cli.login();
    cli.run("quit");
    EXPECT_TRUE(cli.run("quit").endsWith("(y/n)[n]:"));
    EXPECT_TRUE(cli.run("n").endsWith("MA5680T#"));
    EXPECT_FALSE(cli.session->closing());
    cli.send("quit\r\ny\r\n");
    EXPECT_TRUE(cli.session->closing());
    EXPECT_TRUE(cli.send("display board 0\r\n").isEmpty()) << "nothing is read after the logout";
}

TEST(SimModes, EmptyLineReprintsThePromptAndEveryLineIsEchoed) {
    Cli cli;
    cli.login();
    EXPECT_EQ(cli.send("\r\n"), "\r\nMA5680T(config)#");
    EXPECT_TRUE(cli.send("sysname OLT-7\r\n").startsWith("sysname OLT-7\r\n"));
    EXPECT_EQ(cli.session->prompt(), "OLT-7(config)#");
}

TEST(SimLanguage, EnglishUntilSwitchedAndTheSwitchToggles) {
    Cli cli;
    cli.login(false);
    EXPECT_TRUE(cli.reply("display ont info 0 1 0 all").contains("  0/ 1/0    0  485754430A1B2C3D  active "));
    cli.run("switch language-mode");
    EXPECT_TRUE(cli.reply("display ont info 0 1 0 all")
                    .contains(QString::fromUtf8("  0/ 1/0    0  485754430A1B2C3D  激活 ")));
    cli.run("switch language-mode");
    EXPECT_TRUE(cli.reply("display ont info 0 1 0 all").contains("active"));
}

TEST(SimErrors, CaretStandsUnderTheOffendingWord) {
    Cli cli;
    cli.login();
    const int promptWidth = QStringLiteral("MA5680T(config)#").size();
    struct Case {
        const char *line;
        int column;
        const char *message;
    };
    const Case cases[] = {
        {"dispaly board 0", 0, "未知命令"},
        {"display ont infx 0 all", 12, "未知命令"},
        {"display ont info 0 1 x all", 21, "参数错误"},
        {"display ont info 0 1 0", 23, "命令不完整"},
        {"interface gpon 0-1", 15, "参数错误"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const QString out = cli.reply(c.line);
        EXPECT_TRUE(out.startsWith(QString(promptWidth + c.column, ' ') + "^\r\n")) << out.toStdString();
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.message)));
    }
}

TEST(SimErrors, BoardErrorsTheConsoleAnswers) {
    Cli cli;
    cli.login();
    const std::pair<const char *, const char *> cases[] = {
        {"interface epon 0/1", "单板类型错误"},       {"interface gpon 0/3", "单板类型错误"},
        {"interface gpon 0/7", "该板不存在"},         {"display ont info 0 7 all", "该板不存在"},
        {"display ont info 0 9 all", "单板类型错误"},
    };
    for (const auto &[line, phrase] : cases) {
        SCOPED_TRACE(line);
        const QString out = cli.run(line);
        EXPECT_TRUE(out.contains(QString::fromUtf8(phrase)));
        EXPECT_TRUE(out.endsWith("MA5680T(config)#")) << "a bad board leaves the CLI in configuration mode";
    }
}

TEST(SimErrors, GarbageNeverBreaksTheSession) {
    Cli cli;
    cli.login();
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 37 + 11) % 256);
    cli.feed(junk);
    cli.feed(QByteArray(10000, 'x') + "\r\n"); // an overlong line
    cli.feed("\xff\xfa\x18\xff\xf0\r\n");
    while (cli.session->paging())
        cli.feed("q");
    const QString out = cli.send("\r\n\r\n");
    EXPECT_TRUE(out.endsWith("#") || out.endsWith("%%") || out.endsWith(":")) << out.toStdString();
}

TEST(SimPaging, PagesWithTheChinesePromptAndErasesItInTheSameWriteAsTheNextLines) {
    Cli cli;
    cli.login();
    cli.run("scroll 10");
    const auto first = cli.feed("display current-configuration\r\n\r\n");
    const QString firstText = decode(first);
    ASSERT_TRUE(firstText.endsWith("  " + kChinesePaging));
    // Ten lines of output after the line end of the answered "{ ... }:" prompt.
    EXPECT_EQ(firstText.mid(firstText.indexOf("}:") + 4).count("\r\n"), 10);

    const auto next = cli.feed(" ");
    ASSERT_EQ(next.size(), 1u) << "erase and the next lines go out in one write";
    const QByteArray erase = "\x1b[39D" + QByteArray(39, ' ') + "\x1b[39D";
    EXPECT_TRUE(next[0].bytes.startsWith(erase));
    EXPECT_GT(next[0].bytes.size(), erase.size() + 20);
    EXPECT_TRUE(cli.session->paging());

    const QString stopped = cli.send("Q");
    EXPECT_TRUE(stopped.endsWith("\r\nMA5680T(config)#"));
    EXPECT_FALSE(cli.session->paging());
}

TEST(SimPaging, EnglishPromptIsErasedWith37Columns) {
    Cli cli;
    cli.login(false);
    cli.run("scroll 5");
    EXPECT_TRUE(cli.send("display board 0\r\n").endsWith("  " + kEnglishPaging));
    EXPECT_TRUE(cli.feed("x")[0].bytes.startsWith("\x1b[37D" + QByteArray(37, ' ') + "\x1b[37D"));
}

TEST(SimPaging, EraseApartOptionSendsTheEraseAlone) {
    Cli cli(smallDevice(), SessionOptions{.eraseApart = true});
    cli.login();
    cli.run("scroll 5");
    cli.feed("display board 0\r\n");
    const auto next = cli.feed(" ");
    ASSERT_GE(next.size(), 2u);
    EXPECT_EQ(next[0].bytes, "\x1b[39D" + QByteArray(39, ' ') + "\x1b[39D");
}

TEST(SimPaging, TheConsolesAnswerIsConsumedByPagesThenAsEmptyCommandLines) {
    Cli cli;
    cli.login();
    cli.run("scroll 0");
    const QString whole = cli.reply("display current-configuration");
    cli.run("scroll 7");
    // The console answers every paging prompt it sees with four blanks and two line ends.
    QString seen = cli.send("display current-configuration\r\n\r\n");
    int answers = 0;
    while (cli.session->paging() && answers < 1000) {
        seen += cli.send("    \r\n\r\n");
        ++answers;
    }
    EXPECT_FALSE(seen.contains("% ")) << "no key typed ahead may turn into a bad command";
    const QByteArray erase = "\x1b[39D" + QByteArray(39, ' ') + "\x1b[39D";
    seen.remove(tw::fromGbk(erase));
    seen.remove("  " + kChinesePaging);
    // Every line arrives once, in order, and the output ends with prompts for the spare line ends.
    EXPECT_TRUE(seen.contains(whole)) << "lines lost or repeated while paging";
    EXPECT_TRUE(seen.endsWith("MA5680T(config)#"));
}

TEST(SimPrompts, OptionalKeywordPromptIsAnsweredByEnterAndRepeatsTheCommand) {
    Cli cli;
    cli.login();
    const QString asked = cli.run("display ont version 0 1 0 0");
    EXPECT_TRUE(asked.endsWith("\r\n{ <cr>||<K> }:"));
    const QString answered = cli.run("");
    EXPECT_TRUE(answered.startsWith("\r\n\r\n  Command:\r\n          display ont version 0 1 0 0\r\n"));
    EXPECT_TRUE(answered.contains(QString::fromUtf8("主用软件版本")));
    EXPECT_TRUE(answered.endsWith("MA5680T(config)#"));
}

TEST(SimPrompts, ConfirmationRunsTheCommandOnlyOnY) {
    Cli cli;
    cli.login();
    cli.run("interface gpon 0/1");
    EXPECT_TRUE(cli.run("ont reset 0 1").endsWith("(y/n)[n]:"));
    cli.run("n");
    EXPECT_TRUE(cli.run("ont delete 0 all").endsWith("(y/n)[n]:"));
    cli.run("n");
    EXPECT_EQ(cli.device.ontsOn({0, 1, 0}).size(), 3u);
}

TEST(SimIdle, NoticeInTheSessionsLanguageThenClose) {
    Cli english;
    english.login(false);
    EXPECT_TRUE(decode(english.session->idleExpired()).contains("please retry to log on"));
    EXPECT_TRUE(english.session->closing());
    Cli chinese;
    chinese.login();
    EXPECT_TRUE(decode(chinese.session->idleExpired()).contains(QString::fromUtf8("请重建连接后登录")));
}

TEST(SimPhrases, WhatTheConsoleRecognisesHoldsByteForByte) {
    // Each phrase is looked for as GBK bytes in whole or in part of a chunk.
    Cli cli;
    const QByteArray opening = cli.start().back().bytes;
    EXPECT_EQ(opening, kUserName);
    EXPECT_TRUE(hasWrite(cli.feed("root\r\n"), kPassword));
    EXPECT_TRUE(hasWrite(cli.feed(consoleLogin()), kBanner));

    Cli bad;
    bad.start();
    bad.feed("root\r\n");
    EXPECT_TRUE(hasWrite(bad.feed("x\r\n"), kRejected));

    Cli zh;
    zh.login();
    EXPECT_TRUE(zh.run("display ont info 0 1 0 all").endsWith("(config)#"));
    zh.run("scroll 3");
    EXPECT_TRUE(zh.feed("display board 0\r\n").back().bytes.endsWith(tw::toGbk(kChinesePaging)));
    EXPECT_EQ(tw::toGbk(kChinesePaging).size(), 39);
    zh.feed("Q");
    zh.run("scroll");
    EXPECT_TRUE(zh.run("display ont version 0 1 0 0").contains("{ <cr>||<K> }"));
    zh.run("");
    EXPECT_TRUE(zh.run("interface epon 0/1").contains(QString::fromUtf8("单板类型错误")));
    EXPECT_TRUE(zh.run("interface gpon 0/2").contains(QString::fromUtf8("该板不存在")));
    EXPECT_TRUE(decode(zh.session->idleExpired()).contains(QString::fromUtf8("请重建连接后登录")));
}

} // namespace
