#include "response/ChassisDrawing.h"

#include "common/Text.h"

namespace tw {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb BoardFill{128, 160, 128};
constexpr int SolidPen = 1, DottedPen = 3;

QPoint at(double x, double y) {
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

DrawOp colour(DrawOp::Kind kind, const Rgb &c) {
    DrawOp op{kind, {}, {}, c, 0, {}};
    return op;
}
DrawOp setting(DrawOp::Kind kind, int value) {
    return DrawOp{kind, {}, {}, {}, value, {}};
}
DrawOp line(double x1, double y1, double x2, double y2) {
    return DrawOp{DrawOp::Line, at(x1, y1), at(x2, y2), {}, 0, {}};
}
DrawOp rect(double x1, double y1, double x2, double y2) {
    return DrawOp{DrawOp::Rect, at(x1, y1), at(x2, y2), {}, 0, {}};
}
DrawOp text(double x, double y, const QString &t) {
    return DrawOp{DrawOp::Text, at(x, y), {}, {}, 0, t};
}

} // namespace

QList<BoardLine> boardLines(const QString &reply) {
    QList<BoardLine> boards;
    for (const QString &raw : reply.split(QStringLiteral("\r\n"))) {
        if (!raw.contains(QStringLiteral(" H"))) continue;
        const QString line = trimBlanks(raw);
        BoardLine b;
        b.slotText = trimBlanks(line.left(5));
        b.slot = leadingInt(b.slotText);
        const QString name = QStringLiteral("H") + textBetween(line, u" H", u" ");
        b.name = name.left(4) + QStringLiteral("\r\n") + name.mid(4);
        b.normal = line.contains(QStringLiteral("正常"));
        boards.append(b);
    }
    return boards;
}

QList<DrawOp> chassisDrawing(const QString &reply, int width, int height) {
    const double w = width, h = height, u = w / 24;
    QList<DrawOp> ops;
    ops << DrawOp{DrawOp::Clear, {}, {}, {}, 0, {}} << setting(DrawOp::PenStyle, SolidPen)
        << setting(DrawOp::PenWidth, 1) << colour(DrawOp::TextColor, Black) << colour(DrawOp::PenColor, Black)
        << colour(DrawOp::BrushColor, Black) << setting(DrawOp::PenStyle, DottedPen)
        << setting(DrawOp::PenWidth, 1);
    for (int i = 1; i <= 23; ++i) {
        ops << line(u * i, 10, u * i, h - 25);
        if (i <= 22) ops << text(u * i + 15, h - 25, QString::number(i - 1));
    }
    ops << line(u, 8, 23 * u, 8) << line(u, h / 2, 23 * u, h / 2) << line(u, h - 25, 23 * u, h - 25);
    ops << colour(DrawOp::PenColor, Red) << colour(DrawOp::BrushColor, BoardFill);

    bool slotZero = false;
    for (const BoardLine &b : boardLines(reply)) {
        const QString label =
            b.name + (b.normal ? QStringLiteral("\r\n\r\n正常") : QStringLiteral("\r\n\r\n异常"));
        ops << colour(DrawOp::TextColor, b.normal ? Black : Red);
        ops << rect(u * (b.slot + 1) + 1, 10, u * (b.slot + 2), h - 26);
        ops << text(u * (b.slot + 1) + 10, h / 2 - 12, label);
        slotZero = slotZero || b.slotText == QLatin1String("0");
    }
    if (!slotZero) {
        ops << colour(DrawOp::TextColor, Black) << rect(u + 1, 10, 2 * u, h - 26);
        ops << text(u + 10, h / 8 - 5, QStringLiteral("PRTE"))
            << text(u + 10, 3 * h / 8 - 5, QStringLiteral("PRTE"))
            << text(u + 10, 5 * h / 8, QStringLiteral("GPIO"));
    }
    return ops;
}

} // namespace tw
