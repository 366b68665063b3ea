#include "wizards/IpSetup.h"
#include "Flow.h"
#include "common/InputCheck.h"
#include "wizards/FormChecks.h"
#include "wizards/UplinkSetup.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

const QString MethQuestion = QStringLiteral("本参数属于高级功能，更改后需重新配置登录参数，确实要更改？");

QStringList keysOf(IpRow row) {
    switch (row) {
    case IpRow::Meth:
        return {"接口索引", "接口IP", "接口子网掩码"};
    case IpRow::ManagementVlan:
        return {"管理VLAN", "管理IP", "管理子网掩码"};
    case IpRow::DefaultRoute:
        break;
    }
    return {"默认IP", "默认子网掩码", "默认网关"};
}

// "key=value" of the row's keys that the store holds.
QStringList stored(const Flow &f, IpRow row) {
    QStringList out;
    for (const QString &key : keysOf(row))
        if (const QString v = f.settings.read(QStringLiteral("配置"), key); !v.isEmpty())
            out << key + u'=' + v;
    return out;
}

} // namespace

TEST(IpSetup, EachRowAsksSendsAndStoresItsKeys) {
    const struct {
        IpRow row;
        IpRowFields fields;
        std::vector<Answer> answers;
        QStringList writes; // empty: nothing sent, nothing stored
        const char *firstBox;
    } cases[] = {
        // The METH interface mode is left like every other.
        {IpRow::Meth,
         {"0", "10.11.104.9", "255.255.0.0"},
         {Y},
         {"interface meth0\r\nip address 10.11.104.9 255.255.0.0 description Telnet\r\nquit\r\n"},
         nullptr},
        {IpRow::ManagementVlan,
         {"50", "192.168.88.201", "255.255.255.0"},
         {Y},
         {"interface vlanif 50\r\nip address 192.168.88.201 255.255.255.0 description "
          "ManageVlan\r\nquit\r\n"},
         nullptr},
        {IpRow::DefaultRoute,
         {"0.0.0.0", "0.0.0.0", "192.168.88.1"},
         {Y},
         {"ip route-static 0.0.0.0 0.0.0.0 192.168.88.1 description DefaultRoute\r\n"},
         nullptr},
        {IpRow::Meth, {"0", "10.11.104.9", "255.255.0.0"}, {N}, {}, nullptr},
        {IpRow::ManagementVlan, {"50", "192.168.88.201", "255.255.255.0"}, {N}, {}, nullptr},
        {IpRow::DefaultRoute, {"0.0.0.0", "0.0.0.0", "192.168.88.1"}, {N}, {}, nullptr},
        // Every field is required.
        {IpRow::Meth, {"", "10.11.104.9", "255.255.0.0"}, {}, {}, "必填项不能为空，请检查！"},
        {IpRow::ManagementVlan, {"50", "", "255.255.255.0"}, {}, {}, "必填项不能为空，请检查！"},
        {IpRow::DefaultRoute, {"0.0.0.0", "0.0.0.0", ""}, {}, {}, "必填项不能为空，请检查！"},
        // The interface line takes a number only; anything else would leave the address line and
        // "quit" to configuration mode.
        {IpRow::Meth,
         {"0 1", "10.11.104.9", "255.255.0.0"},
         {},
         {},
         "“METH接口索引”应为整数，命令没有发送！请检查后重试。"},
        {IpRow::ManagementVlan,
         {"5O", "192.168.88.201", "255.255.255.0"},
         {},
         {},
         "“管理VLAN”应为1到4094之间的整数，命令没有发送！请检查后重试。"},
        {IpRow::ManagementVlan,
         {"50", "192.168.88.201\nquit", "255.255.255.0"},
         {},
         {},
         "“设置IP地址”中含有换行符或控制字符，命令没有发送！请删除后重试。"},
        {IpRow::DefaultRoute,
         {"0.0.0.0", "0.0.0.0", "192.168.88.1\r\nreboot system"},
         {},
         {},
         "“网关地址”中含有换行符或控制字符，命令没有发送！请删除后重试。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.row) << " " << c.fields.first.toStdString() << " "
                     << c.fields.second.toStdString() << " " << c.fields.third.toStdString());
        PageFlow f;
        f.op.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(applyIpRow(f.context, c.row, c.fields), !c.writes.isEmpty());
        EXPECT_TRUE(f.op.answers.empty());
        EXPECT_EQ(f.writes(), c.writes);
        const QStringList keys = keysOf(c.row);
        const QStringList expected = c.writes.isEmpty() ? QStringList()
                                                        : QStringList{keys[0] + u'=' + c.fields.first,
                                                                      keys[1] + u'=' + c.fields.second,
                                                                      keys[2] + u'=' + c.fields.third};
        EXPECT_EQ(stored(f, c.row), expected);
        ASSERT_EQ(f.op.boxes.size(), 1);
        const Box &box = f.op.boxes[0];
        if (c.firstBox) {
            EXPECT_EQ(box.kind, Box::Notice);
            EXPECT_EQ(box.text, QString::fromUtf8(c.firstBox));
        } else {
            EXPECT_EQ(box.kind, Box::OkCancel);
            EXPECT_EQ(box.text, c.row == IpRow::Meth ? MethQuestion : AdvancedQuestion);
            EXPECT_EQ(box.icon, BoxIcon::Question);
            EXPECT_EQ(box.title, QStringLiteral("信息："));
        }
    }
}

TEST(IpSetup, ALostWriteKeepsWhatWasStored) {
    for (IpRow row : {IpRow::Meth, IpRow::ManagementVlan, IpRow::DefaultRoute}) {
        SCOPED_TRACE(int(row));
        PageFlow lost;
        lost.sink.connected = false;
        lost.op.answer(true);
        lost.settings.write(QStringLiteral("配置"), keysOf(row)[0], QStringLiteral("7"));
        const IpRowFields typed = row == IpRow::DefaultRoute ? IpRowFields{"0.0.0.0", "0.0.0.0", "10.0.0.2"}
                                                             : IpRowFields{"9", "10.0.0.2", "255.0.0.0"};
        EXPECT_FALSE(applyIpRow(lost.context, row, typed));
        EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
        EXPECT_EQ(lost.op.boxes.size(), 2);
        EXPECT_EQ(stored(lost, row), QStringList{keysOf(row)[0] + QStringLiteral("=7")});
    }
}
