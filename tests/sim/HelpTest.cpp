// "?" anywhere on the input line, and the line editing around it: the list the device prints, the
// partial line it shows again and keeps, and backspace and DEL taking characters back.
#include "SimDriver.h"

#include "Commands.h"
#include "Help.h"

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

TEST(SimHelp, DisplayOntListsTheKeywordsThatCompleteIt) {
    const std::pair<bool, const char *> cases[] = {
        {false, "display ont?\r\n"
                "  ont                     Display ONT information\r\n"
                "  ont-lineprofile         Display ONT line profiles\r\n"
                "  ont-load                Display the ONT loading state\r\n"
                "  ont-srvprofile          Display ONT service profiles\r\n"
                "\r\n"
                "MA5680T(config)#display ont"},
        {true, "display ont?\r\n"
               "  ont                     显示ONT信息\r\n"
               "  ont-lineprofile         显示ONT线路模板\r\n"
               "  ont-load                显示ONT加载状态\r\n"
               "  ont-srvprofile          显示ONT业务模板\r\n"
               "\r\n"
               "MA5680T(config)#display ont"},
    };
    for (const auto &[chinese, expected] : cases) {
        Cli cli;
        cli.login(chinese);
        EXPECT_EQ(cli.send("display ont?"), QString::fromUtf8(expected));
    }
}

TEST(SimHelp, ListsWhatMayFollowInEachMode) {
    struct Case {
        const char *mode; // entered first, or empty
        const char *typed;
        QStringList lines;  // in this order
        const char *absent; // a keyword that must not be listed, or nullptr
    };
    const Case cases[] = {
        {"",
         "display ont ?",
         {"  autofind                Display the automatically found ONTs",
          "  info                    Display the information of ONTs",
          "  version                 Display the versions of ONTs"},
         "optical-info"}, // a display of the PON interface modes
        {"interface gpon 0/1",
         "display ont ?",
         {"  optical-info            Display the optical parameters of ONTs"},
         nullptr},
        {"", "disp ont i?", {"  info                    Display the information of ONTs"}, "autofind"},
        {"",
         "vlan ?",
         {"  attrib                  Set the attribute of a VLAN", "  bind", "  desc", "  service-profile",
          "  INTEGER<2-4093>         VLAN ID"},
         nullptr},
        {"",
         "display board ?",
         {"  INTEGER<0-7>            Frame ID", "  STRING<3-5>             Frame ID/slot ID, such as 0/19"},
         nullptr},
        {"", "display ont info by-sn ?", {"  STRING<16>              SN, such as 485754430A1B2C3D"}, nullptr},
        {"", "display ont info 0 1 0 all ?", {"  <cr>"}, "INTEGER<0-127>"},
        {"interface gpon 0/1",
         "ont add 0 sn-auth 485754430A1B2C3D omci ont-lineprofile-id 1 ont-srvprofile-id 1 ?",
         {"  desc                    ONT description", "  <cr>"},
         nullptr},
        {"", "ip route-static 0.0.0.0 0.0.0.0 10.11.104.1 ?", {"  description", "  <cr>"}, nullptr},
        {"ont-srvprofile gpon profile-id 1",
         "port vlan eth 1 ?",
         {"  translation             VLAN translation", "  INTEGER<1-4095>         VLAN ID"},
         nullptr},
        {"multicast-vlan 3444", "igmp ?", {"  match", "  mode", "  uplink-port", "  version"}, nullptr},
        {"", "?", {"  display", "  interface", "  vlan"}, "tcont"},
        {"ont-lineprofile gpon profile-id 1", "?", {"  commit", "  gem", "  tcont"}, "vlan"},
        {"return", "?", {"  config", "  display"}, "vlan"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " / " + c.typed);
        Cli cli;
        cli.login(false);
        if (*c.mode) cli.run(c.mode);
        const QString out = cli.send(c.typed);
        EXPECT_TRUE(out.startsWith(QString(c.typed) + "\r\n")) << out.toStdString();
        const QString again = QString(c.typed).chopped(1);
        EXPECT_TRUE(out.endsWith("\r\n\r\n" + cli.session->prompt() + again)) << out.toStdString();
        const QStringList lines = out.split("\r\n");
        qsizetype from = 0;
        for (const QString &want : c.lines) {
            const auto it = std::find_if(lines.begin() + from, lines.end(), [&](const QString &l) {
                return l == want || l.startsWith(want + ' ');
            });
            EXPECT_NE(it, lines.end()) << want.toStdString() << " missing or out of order\n"
                                       << out.toStdString();
            if (it != lines.end()) from = it - lines.begin() + 1;
        }
        if (c.absent) {
            EXPECT_FALSE(out.contains("\r\n  " + QString(c.absent) + ' ')) << out.toStdString();
        }
    }
}

TEST(SimHelp, UnknownWordsGetTheCaretAndStayOnTheLine) {
    const std::pair<const char *, int> cases[] = {
        {"dispx?", 0}, {"display xyz ?", 8}, {"display ont xyz?", 12}};
    for (bool chinese : {false, true})
        for (const auto &[typed, column] : cases) {
            SCOPED_TRACE(typed);
            Cli cli;
            cli.login(chinese);
            const QString partial = QString(typed).chopped(1);
            EXPECT_EQ(cli.send(typed),
                      QString(typed) + "\r\n" + QString(16 + column, ' ') + "^\r\n" +
                          (chinese ? QString::fromUtf8("  % 未知命令，错误定位在'^'所指的位置")
                                   : "  % Unknown command, the error locates at '^'") +
                          "\r\n\r\nMA5680T(config)#" + partial);
        }
}

TEST(SimHelp, TheHeldLineIsContinuedOrErased) {
    Cli cli;
    cli.login(false);
    cli.send("display ont?");
    const QString continued = cli.send(" info 0 1 0 all\r\n");
    EXPECT_TRUE(continued.startsWith(" info 0 1 0 all\r\n"));
    EXPECT_TRUE(continued.contains("  0/ 1/0    0  485754430A1B2C3D")) << continued.toStdString();
    EXPECT_TRUE(continued.endsWith("\r\nMA5680T(config)#"));

    cli.send("display ?");
    EXPECT_TRUE(cli.send("ont ?").endsWith("MA5680T(config)#display ont ")) << "asked again further on";
    const QByteArray erase(QByteArray("display ont ").size(), '\b');
    const QString other = cli.send(erase + "display board 0\r\n");
    EXPECT_TRUE(other.startsWith(QString(erase.size(), '\b').replace("\b", "\b \b") + "display board 0\r\n"));
    EXPECT_TRUE(other.contains("H801GICF")) << other.toStdString();
    EXPECT_FALSE(other.contains("^\r\n")) << other.toStdString();
}

TEST(SimHelp, ALongListIsPagedAndTheLineComesBackAfterIt) {
    Cli cli;
    cli.login(false);
    cli.run("scroll 5");
    EXPECT_TRUE(cli.send("display ?").endsWith(kEnglishPaging));
    EXPECT_TRUE(cli.send(" ").endsWith(kEnglishPaging));
    EXPECT_TRUE(cli.send("Q").endsWith("\r\nMA5680T(config)#display "));
    QString board = cli.send("board 0\r\n");
    while (cli.session->paging())
        board += cli.send(" ");
    EXPECT_TRUE(board.contains("H801GICF")) << "the line went on where it was";
}

TEST(SimHelp, QuestionMarksThatAreText) {
    Cli cli;
    cli.login(false);
    cli.send("vlan desc 100 description \"why?\"\r\n");
    EXPECT_EQ(cli.device.vlan(100)->desc, "why?") << "inside quotes it is part of the word";
    cli.run("vlan 41 smart");
    EXPECT_EQ(cli.send("?"), "?") << "an answer is typed, not helped";
    cli.send("\r\n");
    EXPECT_EQ(cli.device.vlan(41), nullptr);
    EXPECT_EQ(cli.session->prompt(), "MA5680T(config)#");
}

TEST(SimLineEditing, BackspaceAndDeleteTakeBackTheLastCharacter) {
    struct Case {
        const char *name;
        QString typed;
        QString echo; // what the terminal shows of it
        QString desc; // VLAN 100's description afterwards
    };
    const Case cases[] = {
        {"backspace", "vlan desc 100 description ab\bc\r\n", "b\b \bc", "ac"},
        {"DEL",
         "vlan desc 100 description ab\x7f"
         "c\r\n",
         "b\b \bc", "ac"},
        {"a double-byte character", QString::fromUtf8("vlan desc 100 description 中文X\b\b\r\n"),
         QString::fromUtf8("X\b \b\b\b  \b\b"), QString::fromUtf8("中")},
        {"more than was typed", "x\b\b\bvlan desc 100 description d\r\n", "x\b \bv", "d"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Cli cli;
        cli.login(false);
        const QString out = cli.send(tw::toGbk(c.typed));
        EXPECT_TRUE(out.contains(c.echo)) << out.toStdString();
        EXPECT_EQ(cli.device.vlan(100)->desc, c.desc);
    }
    Cli empty;
    empty.login(false);
    EXPECT_EQ(empty.send("\b\x7f\r\n"), "\r\nMA5680T(config)#") << "nothing to take back, nothing echoed";
}

// Help texts are data: every keyword of every mode needs one, and every parameter form a command.
TEST(SimHelp, EveryKeywordHasADescriptionAndEveryFormACommand) {
    QStringList commands;
    for (const ModeTables &mode : modeTables())
        for (const CommandTable *table : mode.tables)
            for (const CommandDef &def : *table) {
                QStringList path;
                for (const QString &word : def.words) {
                    path << word;
                    EXPECT_NE(help::keywordText(mode.scope, path.join(' ')), nullptr)
                        << path.join(' ').toStdString();
                }
                commands << path.join(' ');
            }
    for (const auto &[key, positions] : help::parameters()) {
        const QString form = key.section(':', -1);
        EXPECT_TRUE(std::any_of(commands.begin(), commands.end(), [&](const QString &c) {
            return form == c || form.startsWith(c + ' ');
        })) << key.toStdString();
    }
}

} // namespace
