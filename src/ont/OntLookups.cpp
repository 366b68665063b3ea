#include "ont/OntLookups.h"

#include "common/InputCheck.h"
#include "common/Operator.h"

namespace tw {

namespace {

enum class Ask { Clear, Kind, Nothing };

using Script = QString (*)(const OntRef &, const QString &kind);

struct View {
    const char16_t *caption;
    Ask ask;
    Script script;
};

QString inInterface(const OntRef &o, const QString &kind, const QString &lines) {
    return QStringLiteral("interface ") + kind + u' ' + o.board() + QStringLiteral("\r\n") + lines +
           QStringLiteral("quit\r\n");
}

} // namespace

QString portOpticalScript(const OntRef &o, const QString &kind) {
    return inInterface(o, kind,
                       QStringLiteral("display ont optical-info ") + o.portNumber() +
                           QStringLiteral(" all\r\ny\r\n"));
}

namespace {

const View Views[] = {
    {u"查看选定ONT状态", Ask::Clear,
     [](const OntRef &o, const QString &) {
         return QStringLiteral("display ont info ") + o.spacedPort() + u' ' + o.id + QStringLiteral("\r\n");
     }},
    {u"查看选定端口所有ONT状态", Ask::Clear,
     [](const OntRef &o, const QString &) {
         return QStringLiteral("display ont info ") + o.spacedPort() + QStringLiteral(" all\r\n");
     }},
    {u"查看该业务板所有ONT状态", Ask::Clear,
     [](const OntRef &o, const QString &) {
         return QStringLiteral("display ont info ") + o.spacedBoard() + QStringLiteral(" all\r\n");
     }},
    {u"查看选定ONT业务索引", Ask::Clear,
     [](const OntRef &o, const QString &) {
         return QStringLiteral("display service-port port ") + o.port + QStringLiteral(" ont ") + o.id +
                QStringLiteral(" sort-by port\r\ny\r\n");
     }},
    {u"查看选定端口所有ONT业务索引", Ask::Clear,
     [](const OntRef &o, const QString &) {
         return QStringLiteral("display service-port port ") + o.port + QStringLiteral(" sort-by port\r\n");
     }},
    {u"查看该业务板所有ONT业务索引", Ask::Clear,
     [](const OntRef &o, const QString &) {
         return QStringLiteral("display service-port board ") + o.board() +
                QStringLiteral(" sort-by port\r\n");
     }},
    {u"查看选定ONT收光功率", Ask::Kind,
     [](const OntRef &o, const QString &k) {
         return inInterface(o, k,
                            QStringLiteral("display ont optical-info ") + o.portNumber() + u' ' + o.id +
                                QStringLiteral("\r\n     \r\n"));
     }},
    {u"查看选中端口所有ONT收光功率", Ask::Kind, portOpticalScript},
    {u"查看ONT实时流量", Ask::Kind,
     [](const OntRef &o, const QString &k) {
         return inInterface(o, k,
                            QStringLiteral("display ont traffic ") + o.portNumber() + u' ' + o.id +
                                QStringLiteral("\r\n\r\n     \r\n"));
     }},
    {u"查看ONT的注册信息", Ask::Kind,
     [](const OntRef &o, const QString &k) {
         return inInterface(o, k,
                            QStringLiteral("display ont register-info ") + o.portNumber() + u' ' + o.id +
                                QStringLiteral("\r\n     \r\n"));
     }},
    {u"查看PON板的端口信息", Ask::Kind,
     [](const OntRef &o, const QString &k) {
         return inInterface(o, k,
                            QStringLiteral("display port info ") + o.portNumber() + QStringLiteral("\r\n"));
     }},
};

const View Version = {u"查看ONT版本信息", Ask::Nothing, [](const OntRef &o, const QString &) {
                          return QStringLiteral("display ont version ") + o.spacedPort() + u' ' + o.id +
                                 QStringLiteral("\r\n\r\n");
                      }};

bool inspect(const View &v, PageContext &c, const OntRef &o) {
    QString kind;
    if (v.ask == Ask::Clear) {
        // Neither answer ends the view; Yes empties the console so only the answer shows there.
        if (c.op.askYesNo(ClearConsoleQuestion) && c.clearConsole) c.clearConsole();
    } else if (v.ask == Ask::Kind) {
        const std::optional<PonKind> chosen = askPonKind(c, o.board());
        if (!chosen) return false;
        kind = kindWord(*chosen);
    }
    if (!sendOrTell(c.sink, c.op, v.script(o, kind))) return false;
    c.op.notice(InspectionNotice);
    return true;
}

} // namespace

const QList<OntMenuOperation> &inspectionOperations() {
    static const QList<OntMenuOperation> all = [] {
        QList<OntMenuOperation> ops;
        for (const View &v : Views)
            ops.append({v.caption, [&v](PageContext &c, const OntRef &o) { return inspect(v, c, o); }});
        return ops;
    }();
    return all;
}

const OntMenuOperation &versionInspection() {
    static const OntMenuOperation op{Version.caption,
                                     [](PageContext &c, const OntRef &o) { return inspect(Version, c, o); }};
    return op;
}

} // namespace tw
