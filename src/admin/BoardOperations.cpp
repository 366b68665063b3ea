#include "admin/BoardOperations.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "ont/OntRef.h"

namespace tw {

namespace {

struct Command {
    const char16_t *question;
    const char16_t *prefix;
    const char16_t *ending;   // the destructive ones answer the OLT's own confirmation with "y"
    const char16_t *log;      // the board follows
    bool destructive = false; // the board's service stops or its data goes
};

Command commandOf(BoardAction action) {
    switch (action) {
    case BoardAction::Confirm:
        return {u"确实要确认该单板？", u"board confirm ", u"\r\n", u"   业务板确认"};
    case BoardAction::PowerOff:
        return {u"该单板有业务正在运行, 关断电源会导致单板业务中断,确定要关断单板吗？", u"board power-off ",
                u"\r\ny\r\n", u"   业务板断电", true};
    case BoardAction::Delete:
        return {u"确实要删除该单板？", u"board delete ", u"\r\ny\r\n", u"   业务板删除", true};
    case BoardAction::PowerOn:
        return {u"确实要将该单板上电？", u"board power-on ", u"\r\n", u"   业务板上电"};
    case BoardAction::Reset:
        return {u"确实要复位单板？", u"board reset ", u"\r\ny\r\n", u"   业务板复位", true};
    case BoardAction::AutoFind:
        break;
    }
    return {};
}

bool autoFindOnAllPorts(PageContext &c, const QString &board) {
    if (!c.op.askYesNo(QStringLiteral("确实要开启业务板所有端口发现吗？"))) return false;
    const std::optional<PonKind> kind = askPonKind(c, board);
    if (!kind) return false;
    QString script = QStringLiteral("interface ") + kindWord(*kind) + u' ' + board + QStringLiteral("\r\n");
    for (int n = 0; n <= 15; ++n)
        script += QStringLiteral("port %1 ont-auto-find enable\r\n").arg(n);
    script += QStringLiteral("\r\nquit\r\n");
    return sendLogNotify(c, script,
                         QStringLiteral("   开启") + board + QStringLiteral("业务板所有端口发现！"));
}

} // namespace

bool runBoardAction(PageContext &c, BoardAction action, const QString &board) {
    // A board the interface line cannot take would leave the port lines to configuration mode
    // and the closing "quit" would leave that mode; the board commands take the same frame/slot.
    if (!acceptField(c.op, board, QStringLiteral("业务板"), FieldKind::Board)) return false;
    if (action == BoardAction::AutoFind) return autoFindOnAllPorts(c, board);
    const Command command = commandOf(action);
    const QString question = QString::fromUtf16(command.question);
    if (!(command.destructive ? c.op.askDestructive(question) : c.op.askYesNo(question))) return false;
    return sendLogNotify(c, QString::fromUtf16(command.prefix) + board + QString::fromUtf16(command.ending),
                         QString::fromUtf16(command.log) + board);
}

bool confirmAllBoards(PageContext &c) {
    return sendOrTell(c.sink, c.op, QStringLiteral("board confirm 0\r\n"));
}

} // namespace tw
