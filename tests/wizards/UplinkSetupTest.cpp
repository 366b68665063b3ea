#include "wizards/UplinkSetup.h"
#include "Flow.h"
#include "common/InputCheck.h"
#include "wizards/FormChecks.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

enum Row { Create, PassThrough, Native, DropVlan, DropPort };

// The row's fields in the order of the form.
bool press(PageContext &c, Row row, const QStringList &f) {
    switch (row) {
    case Create:
        return createVlan(c, {f[0], f[1], f[2], f[3]});
    case PassThrough:
        return addUplinkPort(c, {f[0], f[1], f[2]});
    case Native:
        return setNativeVlan(c, {f[0], f[1], f[2], f[3]});
    case DropVlan:
        return deleteVlan(c, f[0]);
    case DropPort:
        break;
    }
    return removeUplinkPort(c, {f[0], f[1], f[2]});
}

const Setting *const UplinkKeys[] = {&settings::CreateVlan, &settings::PassThroughBoard,
                                     &settings::CreatePort, &settings::UplinkBoard,
                                     &settings::UplinkPort, &settings::NativeVlan};

// "key=value" of every uplink key the store holds.
QStringList stored(const Flow &f) {
    QStringList out;
    for (const Setting *s : UplinkKeys)
        if (const QString v = f.settings.read(s->section, s->key); !v.isEmpty()) out << s->key + u'=' + v;
    return out;
}

// Filled fields of each row, as a first start shows them.
QStringList filled(Row row) {
    switch (row) {
    case Create:
        return {"100", "smart", "Common", ""};
    case PassThrough:
        return {"100", "0/19", "0"};
    case Native:
        return {"0/19", "0", "100", "giu"};
    case DropVlan:
        return {"100"};
    case DropPort:
        break;
    }
    return {"100", "0/19", "0"};
}

} // namespace

TEST(UplinkSetup, EachButtonSendsItsScriptAndStoresItsKeysOnlyWhenSent) {
    const QString question = AdvancedQuestion;
    const struct {
        Row row;
        QStringList fields;
        std::vector<Answer> answers;
        QStringList writes;
        QStringList stored;
        Box::Kind firstBox; // Notice: refused before anything is asked; "删除端口" asks nothing
    } cases[] = {
        {Create,
         {"200", "smart", "QinQ", "东区 宽带"},
         {Y},
         {"vlan 200 smart\r\ny\r\n\r\nvlan attrib 200 q-in-q\r\ny\r\n\r\nvlan desc 200 description \"东区 "
          "宽带\"\r\n"},
         {"创建VLAN=200"},
         Box::OkCancel},
        {Create,
         {"201", "mux", "Stacking", ""},
         {Y},
         {"vlan 201 mux\r\ny\r\n\r\nvlan attrib 201 stacking\r\ny\r\n\r\n"},
         {"创建VLAN=201"},
         Box::OkCancel},
        {Create,
         {"202", "standard", "Common", ""},
         {Y},
         {"vlan 202 standard\r\ny\r\n\r\nvlan attrib 202 common\r\ny\r\n\r\n"},
         {"创建VLAN=202"},
         Box::OkCancel},
        {Create, {"", "smart", "Common", ""}, {}, {}, {}, Box::Notice},
        {Create, {"200", "smart", "Common", "say \"hi\""}, {}, {}, {}, Box::Notice},
        {Create, {"200", "smart", "Common", ""}, {N}, {}, {}, Box::OkCancel},
        {PassThrough,
         {"300", "0/20", "0-1"},
         {Y},
         {"port vlan 300 0/20 0-1\r\ny\r\n\r\n"},
         {"透传=0/20", "创建端口=0-1"},
         Box::OkCancel},
        {PassThrough, {"300", "0/20", "0-3"}, {N}, {}, {}, Box::OkCancel},
        {PassThrough, {"300", "", "0"}, {}, {}, {}, Box::Notice},
        // Only the board is required, but no line goes without its VLAN, nor with a port the
        // board cannot have.
        {PassThrough, {"", "0/19", "0"}, {}, {}, {}, Box::Notice},
        {PassThrough, {"300", "0/19", "16"}, {}, {}, {}, Box::Notice},
        {Native,
         {"0/20", "all", "300", "giu"},
         {Y},
         {"interface giu 0/20\r\nnative-vlan all vlan 300\r\nquit\r\n"},
         {"默认上联板=0/20", "默认端口=all", "默认VLAN=300"},
         Box::OkCancel},
        {Native,
         {"0/9", "1", "301", "scu"},
         {Y},
         {"interface scu 0/9\r\nnative-vlan 1 vlan 301\r\nquit\r\n"},
         {"默认上联板=0/9", "默认端口=1", "默认VLAN=301"},
         Box::OkCancel},
        {Native, {"0/20", "0", "300", "giu"}, {N}, {}, {}, Box::OkCancel},
        {Native, {"0/20", "0", "", "giu"}, {}, {}, {}, Box::Notice},
        {Native, {"", "0", "300", "giu"}, {}, {}, {}, Box::Notice},
        // "interface giu 20" would fail and leave the port line and "quit" to configuration mode.
        {Native, {"20", "0", "300", "giu"}, {}, {}, {}, Box::Notice},
        {DropVlan, {"300"}, {Y}, {"undo vlan 300\r\ny\r\n\r\n"}, {}, Box::YesNo},
        {DropVlan, {"300"}, {N}, {}, {}, Box::YesNo},
        {DropVlan, {""}, {}, {}, {}, Box::Notice},
        {DropPort, {"300", "0/20", "all"}, {}, {"undo port vlan 300 0/20 all\r\ny\r\n\r\n"}, {}, Box::Notice},
        {DropPort, {"", "", ""}, {}, {}, {}, Box::Notice},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.row << " " << c.fields.join(u'|').toStdString() << " answers " << c.answers.size());
        PageFlow f;
        f.op.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(press(f.context, c.row, c.fields), !c.writes.isEmpty());
        EXPECT_TRUE(f.op.answers.empty());
        EXPECT_EQ(f.writes(), c.writes);
        EXPECT_EQ(stored(f), c.stored);
        EXPECT_EQ(f.logText(), QString()) << "no log line";
        if (c.row == DropPort && !c.writes.isEmpty()) {
            EXPECT_TRUE(f.op.boxes.isEmpty()) << "sent without a question";
            continue;
        }
        ASSERT_EQ(f.op.boxes.size(), 1) << "no notice after the script";
        const Box &box = f.op.boxes[0];
        EXPECT_EQ(box.kind, c.firstBox);
        if (c.firstBox == Box::OkCancel) {
            EXPECT_EQ(box.text, question);
            EXPECT_EQ(box.icon, BoxIcon::Question);
            EXPECT_EQ(box.title, QStringLiteral("信息："));
        } else if (c.firstBox == Box::YesNo) {
            EXPECT_EQ(box.text, QStringLiteral("确实要删除 VLAN：300 吗？"));
        } else if (c.fields.contains(QString())) {
            EXPECT_EQ(box.text, RequiredNotice);
            EXPECT_EQ(box.icon, BoxIcon::None);
            EXPECT_EQ(box.title, QStringLiteral("信息："));
        }
    }
}

TEST(UplinkSetup, ALineBreakInAnyFieldIsRefusedNamingIt) {
    const struct {
        Row row;
        QStringList names; // per field; empty for a list the operator cannot type into
    } rows[] = {
        {Create, {"创建VLAN", "", "", "备注"}},
        {PassThrough, {"创建VLAN", "端口（上行板号）", "端口（端口号）"}},
        {Native, {"NativeVLAN上行板号", "端口", "VLAN", ""}},
        {DropVlan, {"删除VLAN"}},
        {DropPort, {"删除VLAN", "删除上行板号", "端口号"}},
    };
    for (const auto &r : rows) {
        for (int i = 0; i < r.names.size(); ++i) {
            if (r.names[i].isEmpty()) continue;
            SCOPED_TRACE(r.names[i].toStdString());
            QStringList fields = filled(r.row);
            fields[i] += QStringLiteral("\r\nundo vlan 1");
            PageFlow f;
            f.op.agreeWith = QString();
            EXPECT_FALSE(press(f.context, r.row, fields));
            ASSERT_EQ(f.op.boxes.size(), 1);
            EXPECT_EQ(f.op.boxes[0].kind, Box::Notice);
            EXPECT_TRUE(f.op.boxes[0].text.contains(u'“' + r.names[i] + u'”'))
                << f.op.boxes[0].text.toStdString();
            EXPECT_TRUE(f.sink.writes.isEmpty());
            EXPECT_EQ(stored(f), QStringList());
        }
    }
}

TEST(UplinkSetup, ALostWriteIsToldOnceAndStoresNothing) {
    for (Row row : {Create, PassThrough, Native, DropVlan, DropPort}) {
        SCOPED_TRACE(row);
        PageFlow lost;
        lost.sink.connected = false;
        lost.op.agreeWith = QString();
        EXPECT_FALSE(press(lost.context, row, filled(row)));
        EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
        EXPECT_EQ(lost.op.boxes.count(), row == DropPort ? 1 : 2);
        EXPECT_EQ(stored(lost), QStringList());
    }
}
