#include "response/ReplyHandlers.h"
#include "common/Gbk.h"
#include "common/GridModel.h"
#include "olt/SharedValues.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
struct Handlers {
    GridModel list{ontListColumns()}, discovery{ontDiscoveryColumns()}, versions{ontVersionColumns()};
    SharedValues shared;
    ReplyHandlers h{list, discovery, versions, shared};
    QString key = QStringLiteral("untouched");
    QStringList registered;
    bool autoOn = true;
    Handlers() {
        h.discoveredKey = [this](const QString &k) { key = k; };
        h.autoRegisterOn = [this] { return autoOn; };
        h.autoRegister = [this](const QString &t) { registered << t; };
    }
};
const QString Found =
    QStringLiteral("   序列号 : 1\r\n   框/槽/端口 : 0/1/0\r\n   ONT SN : 4857544300000001 "
                   "(HWTC-00000001)\r\n   ---\r\n   序列号 : 2\r\n   ONT SN : 4857544300000002\r\n");
} // namespace

TEST(ReplyHandlers, DiscoveryFillsGridBoxesAndStartsRegistrationOnlyWhenOn) {
    Handlers t;
    t.shared.ponKindFlag = 1;
    t.discovery.appendRow({QStringLiteral("stale")});
    t.h.discovery(Found);
    EXPECT_EQ(t.discovery.count(), 2);
    EXPECT_EQ(t.discovery.cell(0, 2), QStringLiteral("4857544300000001(HWTC-00000001)"));
    EXPECT_EQ(t.key, QStringLiteral("4857544300000001"));
    EXPECT_EQ(t.registered, QStringList{Found});

    t.h.discovery(QStringLiteral("  失败：不存在自动发现的ONT\r\n"));
    EXPECT_EQ(t.discovery.count(), 0);
    EXPECT_EQ(t.key, QString());
    EXPECT_EQ(t.registered.size(), 1) << "nothing to register";

    t.autoOn = false;
    t.h.discovery(Found);
    EXPECT_EQ(t.registered.size(), 1);
}

TEST(ReplyHandlers, OntListIsCutBeforeParsing) {
    Handlers t;
    t.list.appendRow({QStringLiteral("old")});
    t.h.ontList(toGbk(u"  0/ 1/0    3  SN  激活  在线\r\n"));
    ASSERT_EQ(t.list.count(), 1);
    EXPECT_EQ(t.list.cell(0, 0), QStringLiteral("0/1/0"));
}

TEST(ReplyHandlers, VersionListOverwritesFromTheTopWithoutEmptyRows) {
    Handlers t;
    t.h.versionList(toGbk(u"  0/ 1/0 0 HWTC A V1 x\r\n  0/ 1/0 1 HWTC B V2 y\r\n  0/ 1/1 2 HWTC C V3 z\r\n"));
    t.h.versionList(toGbk(u"  0/ 2/0 5 ZTEG D V9\r\n"));
    ASSERT_EQ(t.versions.count(), 3);
    EXPECT_EQ(t.versions.row(0), (QStringList{"0/2/0", "5", "ZTEG", "D", "V9", ""}));
    EXPECT_EQ(t.versions.cell(2, 1), QStringLiteral("2"));
}

// An empty grid is never a mystery: every listing tells the status bar what it came back with.
TEST(ReplyHandlers, ListingsReportWhatTheyFound) {
    Handlers t;
    QStringList told;
    t.h.report = [&](const QString &m) { told << m; };
    t.h.ontList(
        toGbk(u"display ont info 0 1 0 all\r\n  0/ 1/0    0  4857544300000001  激活  在线  正常  匹配  否\r\n"
              u"MA5680T(config)#"));
    t.h.ontList(toGbk(u"display ont info 0 3 all\r\n  失败：该板不存在\r\n\r\nMA5680T(config)#"));
    t.h.ontList(toGbk(u"display ont info 0 1 5 all\r\n\r\nMA5680T(config)#"));
    t.shared.ponKindFlag = 1;
    t.h.discovery(Found);
    t.autoOn = false;
    t.h.discovery(QStringLiteral("display ont autofind all\r\n   不存在自动发现的ONT\r\n"));
    t.h.versionList(toGbk(u"display ont version 0 all\r\n  % 参数错误\r\nMA5680T(config)#"));
    EXPECT_EQ(told, (QStringList{"查询完成：共 1 个ONT", "查询失败：失败：该板不存在",
                                 "查询完成：没有找到ONT", "发现 2 个等待注册的ONT",
                                 "没有等待注册的ONT（自动发现列表为空）", "查询失败：% 参数错误"}));

    // A listing broken off by "中断命令" keeps its rows and never says it is complete.
    told.clear();
    t.h.ontListCut(
        toGbk(u"display ont info 0 all\r\n  0/ 1/0    0  4857544300000001  激活  在线  正常  匹配  否\r\n"
              u"  0/ 1/0    1  4857544300000002  激活  在线  正常  匹配  否\r\n  \r\nMA5680T(config)#"));
    EXPECT_EQ(t.list.count(), 2);
    t.h.ontListCut(toGbk(u"display ont info 0 all\r\n\r\nMA5680T(config)#"));
    t.h.versionListCut(toGbk(u"display ont version 0 all\r\n  0/ 2/0 5 ZTEG D V9\r\nMA5680T(config)#"));
    EXPECT_EQ(told, (QStringList{"已中断：已收到 2 个ONT", "已中断：已收到 0 个ONT",
                                 "已中断：已收到 1 个ONT的版本"}));
}
