#include "ont/OntAttributes.h"

#include "common/InputCheck.h"
#include "common/Operator.h"

namespace tw {

namespace {

struct Change {
    const char16_t *caption;
    const char16_t *prompt;
    const char16_t *title;
    const char16_t *initial;
    const char16_t *keyword; // after "ont modify p N "
    const char16_t *closing; // the lines after the value's line end
    const char16_t *log;     // %V: the new value
    const char16_t *notice;  // before the common "请等待…" ending
    FieldKind kind;          // Text: one CLI word only in double quotes
};

// After an SN, LOID or password change the OLT asks which way to apply it; "1" answers that.
const Change Changes[] = {
    {u"修改ONT线路模板编号", u"ONT线路模板编号 <0,8192> ", u"线路模板编号", u"1", u"ont-lineprofile-id",
     u"\r\nquit\r\n", u"   修改ONT线路模板编号命令已发送，编号：%N 序列号：%S  新线路模板编号：%V",
     u"修改ONT线路模板编号命令已发送，", FieldKind::ProfileId},
    {u"修改ONT业务模板编号", u"ONT业务模板编号 <0,8192> ", u"业务模板编号", u"1", u"ont-srvprofile-id",
     u"\r\nquit\r\n", u"   修改ONT业务模板编号命令已发送，编号：%N 序列号：%S  新业务模板编号：%V",
     u"修改ONT业务模板编号命令已发送，", FieldKind::ProfileId},
    {u"修改ONT序列号(SN)", u"ONT序列号,格式必须为<XXXXXXXXXXXXXX>,<XXXXXXXXXXXXXXXX>或<XXXX-XXXXXXXX>",
     u"ONT序列号", u"", u"sn", u"\r\n1\r\nquit\r\n",
     u"   修改ONT序列号命令已发送，编号：%N 原序列号：%S  新序列号：%V", u"修改ONT序列号命令已发送，", FieldKind::Serial},
    {u"修改ONT逻辑标识(LOID)", u"逻辑标识", u"LOID", u"", u"loid", u"\r\n1\r\nquit\r\n",
     u"   修改ONT逻辑标识命令已发送，编号：%N 原列号：%S  新逻辑标识：%V", u"修改ONT逻辑标识命令已发送，", FieldKind::Loid},
    {u"修改ONT密码(PASSWORD)", u"ONT密码", u"PASSWORD", u"", u"password", u"\r\n1\r\nquit\r\n",
     u"   修改ONT密码命令已发送，编号：%N 原序列号：%S  新密码：%V", u"修改ONT密码命令已发送，", FieldKind::OntPassword},
    {u"修改ONT备注", u"ONT描述信息", u"ONT备注", u"", u"desc", u"\r\nquit\r\n",
     u"   修改ONT备注命令已发送，编号：%N 序列号：%S  新备注：%V", u"修改ONT备注命令已发送，", FieldKind::Text},
};

bool change(const Change &ch, PageContext &c, const OntRef &o) {
    if (!c.op.askYesNo(fillRow(u"确实要修改 框/槽/端口：%P 编号：%N\r\n序列号：%S  的ONT设备？", o)))
        return false;
    const QString title = QString::fromUtf16(ch.title);
    const std::optional<QString> typed =
        c.op.askText(QString::fromUtf16(ch.prompt), title, QString::fromUtf16(ch.initial));
    if (!typed) return false;
    // A description with blanks is one word only in double quotes; the others are sent as typed.
    const std::optional<QString> value = ch.kind == FieldKind::Text            ? quotedWord(c.op, *typed, title)
                                         : acceptField(c.op, *typed, title, ch.kind) ? typed
                                                                                     : std::nullopt;
    if (!value) return false;
    const std::optional<PonKind> kind = askPonKind(c, o.board());
    if (!kind) return false;
    const QString script = QStringLiteral("interface ") + kindWord(*kind) + u' ' + o.board() +
                           QStringLiteral("\r\nont modify ") + o.portNumber() + u' ' + o.id + u' ' +
                           QString::fromUtf16(ch.keyword) + u' ' + *value + QStringLiteral("\r\n") +
                           QString::fromUtf16(ch.closing);
    // The log keeps the value as typed (operators audit LOID and password changes with it).
    return sendLogNotify(c, script, fillRow(ch.log, o, *typed), requeryNotice(QString::fromUtf16(ch.notice)));
}

} // namespace

const QList<OntMenuOperation> &attributeOperations() {
    static const QList<OntMenuOperation> all = [] {
        QList<OntMenuOperation> ops;
        for (const Change &ch : Changes)
            ops.append({ch.caption, [&ch](PageContext &c, const OntRef &o) { return change(ch, c, o); }});
        return ops;
    }();
    return all;
}

} // namespace tw
