#pragma once
// The chassis picture as a list of drawing operations, computed from the reply to
// "display board 0" and the surface size. The chassis page paints the list; tests read it.

#include <QList>
#include <QPoint>
#include <QString>

namespace tw {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

struct DrawOp {
    enum Kind { Clear, PenStyle, PenWidth, PenColor, BrushColor, TextColor, Line, Rect, Text } kind;
    QPoint a, b;   // Line: from a to b; Rect: corners a and b; Text: top-left a
    Rgb color;     // the colour operations
    int value = 0; // PenWidth; PenStyle: 1 solid, 3 dotted (as Qt::PenStyle)
    QString text;  // Text, possibly several lines joined by "\r\n"

    bool operator==(const DrawOp &) const = default;
};

struct BoardLine {
    int slot = 0;
    QString slotText; // the first five characters, trimmed
    QString name;     // the board name split after four characters: "H806\r\nGPBD"
    bool normal = false;
};

// The lines that contain " H", trimmed, read as boards.
QList<BoardLine> boardLines(const QString &text);
QList<DrawOp> chassisDrawing(const QString &text, int width, int height);

} // namespace tw
