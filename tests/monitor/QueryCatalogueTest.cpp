#include "monitor/QueryCatalogue.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

struct Row {
    const char *caption; // "" for a separator
    std::vector<Answer> answers;
    const char *prompt; // the input box, nullptr when none
    const char *initial;
    const char *script; // nullptr: nothing sent
};

void expectRows(const QList<QueryEntry> &entries, const std::vector<Row> &rows, bool catalogue) {
    ASSERT_EQ(entries.size(), qsizetype(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &r = rows[i];
        SCOPED_TRACE(testing::Message() << i << " " << r.caption);
        EXPECT_EQ(QString::fromUtf16(entries[i].caption), QString::fromUtf8(r.caption));
        PageFlow f;
        f.op.answers.assign(r.answers.begin(), r.answers.end());
        int cleared = 0;
        const bool sent =
            catalogue ? runCatalogue(f.context, int(i), [&] { ++cleared; }) : runQuery(f.context, entries[i]);
        EXPECT_EQ(sent, r.script != nullptr);
        EXPECT_TRUE(f.op.answers.empty());
        EXPECT_EQ(f.writes(), r.script ? QStringList{QString::fromUtf8(r.script)} : QStringList());
        if (catalogue) {
            EXPECT_EQ(cleared, 1) << "the query pane is emptied first, whatever follows";
        }
        if (r.prompt) {
            ASSERT_FALSE(f.op.boxes.isEmpty());
            EXPECT_EQ(f.op.boxes[0].kind, Box::Input);
            EXPECT_EQ(f.op.boxes[0].text, QString::fromUtf8(r.prompt));
            EXPECT_EQ(f.op.boxes[0].initial, QString::fromUtf8(r.initial));
        }
    }
}

} // namespace

TEST(QueryCatalogue, EveryRowAsksAndSendsItsScript) {
    const char *board = "请输入机框及单板卡槽号";
    expectRows(queryCatalogue(),
               {
                   {"查询所有DBA模板", {}, nullptr, nullptr, "display DBA-profile all\r\n"},
                   {"查询PON线路模板", {N}, nullptr, nullptr, "display ont-lineprofile epon all\r\n"},
                   {"查询PON业务模板", {Y}, nullptr, nullptr, "display ont-srvprofile gpon all\r\n"},
                   {"查询单板信息", {T("0/8")}, board, "0/8", "display board 0/8\r\n"},
                   {"", {}, nullptr, nullptr, nullptr},
                   {"查询系统VLAN信息", {}, nullptr, nullptr, "display vlan all\r\n\r\n"},
                   {"查询系统VLAN环回", {}, nullptr, nullptr, "display vlan loop\r\n"},
                   {"查询所有类型VLAN数量", {}, nullptr, nullptr, "display vlan number\r\n"},
                   {"", {}, nullptr, nullptr, nullptr},
                   {"查询IP路由表信息", {}, nullptr, nullptr, "display ip routing-table\r\n\r\n"},
                   {"查询IP接口基本配置", {}, nullptr, nullptr, "display ip interface brief\r\n\r\n"},
                   {"查询IP报文统计信息", {}, nullptr, nullptr, "display ip statistics\r\n"},
                   {"", {}, nullptr, nullptr, nullptr},
                   {"查询系统背板温度", {T("0")}, "请输入机框号", "0", "display temperature 0\r\n"},
                   {"查询设备用电功率",
                    {T("0")},
                    "请输入机框及单板卡槽号，填0为总功率",
                    "0/8",
                    "display power 0\r\n"},
                   {"", {}, nullptr, nullptr, nullptr},
                   {"查询系统资源信息", {}, nullptr, nullptr, "display runstat callinfo\r\n"},
                   {"查询系统运行时间", {}, nullptr, nullptr, "display version\r\n\r\n"},
                   {"查询系统当前配置", {}, nullptr, nullptr, "display current-configuration\r\n\r\n"},
                   {"查询系统板卡驱动", {}, nullptr, nullptr, "display io-packetfile information\r\n\r\n"},
                   {"查询加载的进度", {}, nullptr, nullptr, "display progress load\r\n\r\n"},
                   {"查询软件升级状态", {}, nullptr, nullptr, "display progress upgrade\r\n\r\n"},
                   {"", {}, nullptr, nullptr, nullptr},
                   {"查询上行光衰",
                    {T("0/19")},
                    board,
                    "0/19",
                    "interface giu 0/19\r\ndisplay port ddm-info 0\r\nquit\r\n"},
               },
               true);
}

TEST(QueryCatalogue, FixedAndUplinkButtons) {
    expectRows(fixedQueries(),
               {
                   {"查询单板IO", {}, nullptr, nullptr, "display io-packetfile information\r\n\r\n"},
                   {"查询主备同步", {}, nullptr, nullptr, "display data sync state\r\n\r\n"},
                   {"查询全局信息", {}, nullptr, nullptr, "display  statistics  global\r\n"},
                   {"查询所有单板", {}, nullptr, nullptr, "display board 0\r\n"},
                   {"查询所有ARP", {}, nullptr, nullptr, "display arp all\r\n\r\n"},
                   {"查询端口状态",
                    {T("0/19")},
                    "请输入机框及上行板卡槽号",
                    "0/19",
                    "interface giu 0/19\r\ndisplay port state 0\r\ndisplay port state 1\r\nquit\r\n"},
                   {"查询流氓ONT", {}, nullptr, nullptr, "display rogueont 0 all\r\n"},
                   {"查询设备版本", {}, nullptr, nullptr, "display version\r\n\r\n"},
               },
               false);
    const char *board = "请输入机框及单板卡槽号";
    expectRows(uplinkDisplays(),
               {
                   {"显示端口流量抑制",
                    {T("0/19")},
                    board,
                    "0/19",
                    "interface giu 0/19\r\ndisplay traffic-suppress all\r\n     \r\nquit\r\n"},
                   {"显示端口VLAN信息", {T("0/19/0")}, board, "0/19/0", "display port  vlan 0/19/0\r\n"},
                   {"显示端口状态",
                    {T("0/19")},
                    board,
                    "0/19",
                    "interface giu 0/19\r\ndisplay port state  all\r\nquit\r\n"},
                   {"显示所有VLAN", {}, nullptr, nullptr, "display vlan all\r\n\r\n"},
                   {"显示所有类型VLAN数量", {}, nullptr, nullptr, "display vlan number\r\n"},
                   {"显示光模块诊断信息",
                    {T("0/19")},
                    board,
                    "0/19",
                    "interface giu 0/19\r\ndisplay port ddm-info 0\r\ndisplay port ddm-info 1\r\nquit\r\n"},
                   {"显示光模块信息",
                    {T("0/19")},
                    board,
                    "0/19",
                    "interface giu 0/19\r\ndisplay  port  opticstate all\r\nquit\r\n"},
                   {"查询上行流量",
                    {T("0/19")},
                    board,
                    "0/19",
                    "interface giu 0/19\r\ndisplay port traffic 0\r\ndisplay port traffic 1\r\nquit\r\n"},
               },
               false);
}

TEST(QueryCatalogue, NothingChosenCancelRefusalsAndNotices) {
    PageFlow f;
    int cleared = 0;
    EXPECT_FALSE(runCatalogue(f.context, -1, [&] { ++cleared; }));
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(f.sink.writes.isEmpty());

    // Cancel, a pasted line break, a board "interface giu" cannot take: nothing goes out.
    for (const Answer &a : {Cancel, T("0/19\r\nquit"), T("19"), T("")}) {
        PageFlow g;
        g.op.answers.push_back(a);
        EXPECT_FALSE(runQuery(g.context, queryCatalogue()[23]));
        EXPECT_TRUE(g.sink.writes.isEmpty());
    }

    // The two VLAN displays tell the operator to look at the console once the command went out.
    PageFlow vlan;
    EXPECT_TRUE(runQuery(vlan.context, uplinkDisplays()[3]));
    EXPECT_EQ(vlan.lastBox(), ExecutedNotice);
    PageFlow lost;
    lost.sink.connected = false;
    EXPECT_FALSE(runQuery(lost.context, uplinkDisplays()[3]));
    EXPECT_EQ(lost.op.boxes.size(), 1);
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
}
