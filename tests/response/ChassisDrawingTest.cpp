#include "response/ChassisDrawing.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
QList<DrawOp> ofKind(const QList<DrawOp> &ops, DrawOp::Kind kind) {
    QList<DrawOp> out;
    for (const DrawOp &op : ops)
        if (op.kind == kind) out.append(op);
    return out;
}
} // namespace

TEST(ChassisDrawing, EmptyReplyDrawsGridAndPlaceholder) {
    const auto ops = chassisDrawing(QStringLiteral("该板不存在\r\n"), 960, 400);
    EXPECT_EQ(ops.first().kind, DrawOp::Clear) << "a redraw starts from a clean surface";
    EXPECT_EQ(ofKind(ops, DrawOp::Line).size(), 23 + 3);
    const auto texts = ofKind(ops, DrawOp::Text);
    ASSERT_EQ(texts.size(), 22 + 3);
    EXPECT_EQ(texts[0].text, QStringLiteral("0"));
    EXPECT_EQ(texts[0].a, QPoint(40 + 15, 375));
    EXPECT_EQ(texts[21].text, QStringLiteral("21"));
    EXPECT_EQ(texts[22].text, QStringLiteral("PRTE"));
    EXPECT_EQ(texts[24].text, QStringLiteral("GPIO"));
    EXPECT_EQ(texts[24].a, QPoint(50, 250));
    EXPECT_EQ(ofKind(ops, DrawOp::Rect), (QList<DrawOp>{{DrawOp::Rect, {41, 10}, {80, 374}, {}, 0, {}}}));
}

TEST(ChassisDrawing, BoardsByStateAndSlot) {
    const QString reply = QStringLiteral("  SlotID  BoardName  Status\r\n"
                                         "  0       H806GPBD   正常\r\n"
                                         "  11      H801SCUN   主用正常\r\n"
                                         "  12      H802EPBD   故障\r\n"
                                         "  13      H\r\n");
    const auto ops = chassisDrawing(reply, 960, 400); // u = 40
    const auto rects = ofKind(ops, DrawOp::Rect);
    ASSERT_EQ(rects.size(), 4) << "slot 0 holds a board: no placeholder";
    EXPECT_EQ(rects[1].a, QPoint(12 * 40 + 1, 10));
    EXPECT_EQ(rects[1].b, QPoint(13 * 40, 374));
    const auto texts = ofKind(ops, DrawOp::Text);
    EXPECT_EQ(texts[22].text, QStringLiteral("H806\r\nGPBD\r\n\r\n正常"));
    EXPECT_EQ(texts[23].text, QStringLiteral("H801\r\nSCUN\r\n\r\n正常"));
    EXPECT_EQ(texts[24].text, QStringLiteral("H802\r\nEPBD\r\n\r\n异常"));
    EXPECT_EQ(texts[25].text, QStringLiteral("H\r\n\r\n\r\n异常")) << "a name with nothing after it";
    const auto colours = ofKind(ops, DrawOp::TextColor);
    EXPECT_EQ(colours[colours.size() - 2].color, (Rgb{255, 0, 0}));
    EXPECT_EQ(colours[1].color, (Rgb{0, 0, 0}));
}
