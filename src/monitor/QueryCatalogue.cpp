#include "monitor/QueryCatalogue.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "ont/OntRef.h"

namespace tw {

namespace {

constexpr QueryEntry Separator{u"", QueryInput::None, nullptr, nullptr, nullptr, nullptr};

QueryEntry fixed(const char16_t *caption, const char16_t *script, bool notice = false) {
    return {caption, QueryInput::None, nullptr, nullptr, script, u"", notice};
}

QueryEntry typed(const char16_t *caption, const char16_t *prompt, const char16_t *initial,
                 const char16_t *before, const char16_t *after) {
    return {caption, QueryInput::Text, prompt, initial, before, after};
}

const char16_t *const BoardPrompt = u"请输入机框及单板卡槽号";

} // namespace

const QList<QueryEntry> &queryCatalogue() {
    static const QList<QueryEntry> all = {
        fixed(u"查询所有DBA模板", u"display DBA-profile all\r\n"),
        {u"查询PON线路模板", QueryInput::Kind, nullptr, nullptr, u"display ont-lineprofile ", u" all\r\n"},
        {u"查询PON业务模板", QueryInput::Kind, nullptr, nullptr, u"display ont-srvprofile ", u" all\r\n"},
        typed(u"查询单板信息", BoardPrompt, u"0/8", u"display board ", u"\r\n"),
        Separator,
        fixed(u"查询系统VLAN信息", u"display vlan all\r\n\r\n"),
        fixed(u"查询系统VLAN环回", u"display vlan loop\r\n"),
        fixed(u"查询所有类型VLAN数量", u"display vlan number\r\n"),
        Separator,
        fixed(u"查询IP路由表信息", u"display ip routing-table\r\n\r\n"),
        fixed(u"查询IP接口基本配置", u"display ip interface brief\r\n\r\n"),
        fixed(u"查询IP报文统计信息", u"display ip statistics\r\n"),
        Separator,
        typed(u"查询系统背板温度", u"请输入机框号", u"0", u"display temperature ", u"\r\n"),
        typed(u"查询设备用电功率", u"请输入机框及单板卡槽号，填0为总功率", u"0/8", u"display power ",
              u"\r\n"),
        Separator,
        fixed(u"查询系统资源信息", u"display runstat callinfo\r\n"),
        fixed(u"查询系统运行时间", u"display version\r\n\r\n"),
        fixed(u"查询系统当前配置", u"display current-configuration\r\n\r\n"),
        fixed(u"查询系统板卡驱动", u"display io-packetfile information\r\n\r\n"),
        fixed(u"查询加载的进度", u"display progress load\r\n\r\n"),
        fixed(u"查询软件升级状态", u"display progress upgrade\r\n\r\n"),
        Separator,
        typed(u"查询上行光衰", BoardPrompt, u"0/19", u"interface giu ",
              u"\r\ndisplay port ddm-info 0\r\nquit\r\n"),
    };
    return all;
}

const QList<QueryEntry> &fixedQueries() {
    static const QList<QueryEntry> all = {
        fixed(u"查询单板IO", u"display io-packetfile information\r\n\r\n"),
        fixed(u"查询主备同步", u"display data sync state\r\n\r\n"),
        fixed(u"查询全局信息", u"display  statistics  global\r\n"),
        fixed(u"查询所有单板", u"display board 0\r\n"),
        fixed(u"查询所有ARP", u"display arp all\r\n\r\n"),
        typed(u"查询端口状态", u"请输入机框及上行板卡槽号", u"0/19", u"interface giu ",
              u"\r\ndisplay port state 0\r\ndisplay port state 1\r\nquit\r\n"),
        fixed(u"查询流氓ONT", u"display rogueont 0 all\r\n"),
        fixed(u"查询设备版本", u"display version\r\n\r\n"),
    };
    return all;
}

const QList<QueryEntry> &uplinkDisplays() {
    static const QList<QueryEntry> all = {
        typed(u"显示端口流量抑制", BoardPrompt, u"0/19", u"interface giu ",
              u"\r\ndisplay traffic-suppress all\r\n     \r\nquit\r\n"),
        typed(u"显示端口VLAN信息", BoardPrompt, u"0/19/0", u"display port  vlan ", u"\r\n"),
        typed(u"显示端口状态", BoardPrompt, u"0/19", u"interface giu ",
              u"\r\ndisplay port state  all\r\nquit\r\n"),
        fixed(u"显示所有VLAN", u"display vlan all\r\n\r\n", true),
        fixed(u"显示所有类型VLAN数量", u"display vlan number\r\n", true),
        typed(u"显示光模块诊断信息", BoardPrompt, u"0/19", u"interface giu ",
              u"\r\ndisplay port ddm-info 0\r\ndisplay port ddm-info 1\r\nquit\r\n"),
        typed(u"显示光模块信息", BoardPrompt, u"0/19", u"interface giu ",
              u"\r\ndisplay  port  opticstate all\r\nquit\r\n"),
        typed(u"查询上行流量", BoardPrompt, u"0/19", u"interface giu ",
              u"\r\ndisplay port traffic 0\r\ndisplay port traffic 1\r\nquit\r\n"),
    };
    return all;
}

bool runQuery(PageContext &c, const QueryEntry &entry) {
    if (!entry.before) return false; // a separator
    QString middle;
    if (entry.input == QueryInput::Kind) {
        const std::optional<PonKind> kind = askPonKind(c.op);
        if (!kind) return false;
        middle = kindWord(*kind);
    } else if (entry.input == QueryInput::Text) {
        const QString prompt = QString::fromUtf16(entry.prompt);
        const std::optional<QString> typed =
            c.op.askText(prompt, DefaultBoxTitle, QString::fromUtf16(entry.initial));
        // "interface giu" with a board it cannot take would leave the display lines to the wrong
        // mode and its "quit" would leave configuration mode; the other displays take one word.
        const bool board = QString::fromUtf16(entry.before).startsWith(u"interface ");
        if (!typed || !acceptField(c.op, *typed, prompt, board ? FieldKind::Board : FieldKind::Word)) return false;
        middle = *typed;
    }
    const QString script = QString::fromUtf16(entry.before) + middle + QString::fromUtf16(entry.after);
    return sendLogNotify(c, script, {}, entry.notice ? ExecutedNotice : QString());
}

bool runCatalogue(PageContext &c, int index, const std::function<void()> &clearPane) {
    if (clearPane) clearPane();
    const QList<QueryEntry> &all = queryCatalogue();
    if (index < 0 || index >= all.size()) return false;
    return runQuery(c, all[index]);
}

} // namespace tw
