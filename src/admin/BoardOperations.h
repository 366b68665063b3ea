#pragma once
// The "板卡管理" page's operations on one service board (as typed: frame/slot), and the
// confirmation of every board of frame 0.

#include "common/PageContext.h"

#include <QString>

namespace tw {

enum class BoardAction { Confirm, PowerOff, Delete, PowerOn, Reset, AutoFind };

struct BoardGroup {
    BoardAction action;
    const char16_t *title;  // the group box
    const char16_t *button; // its button
};

// The six groups in the page's order.
inline constexpr BoardGroup BoardGroups[] = {
    {BoardAction::Confirm, u"确认业务板", u"确认"}, {BoardAction::PowerOff, u"远程业务板断电", u"断电"},
    {BoardAction::Delete, u"删除业务板", u"删除"},  {BoardAction::PowerOn, u"远程业务板上电", u"上电"},
    {BoardAction::Reset, u"业务板复位", u"复位"},   {BoardAction::AutoFind, u"业务板自动发现", u"全开"},
};

// Asks, sends and logs. A board holding a line break is refused; "全开" enters the board's
// interface and so also needs a board of the form frame/slot. True when the script was sent.
bool runBoardAction(PageContext &c, BoardAction action, const QString &board);

// "确认所有板卡(&A)": no question, no log line.
bool confirmAllBoards(PageContext &c);

} // namespace tw
