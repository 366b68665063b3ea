#include "ont/OntQueries.h"

#include "common/CommandSink.h"
#include "common/GridModel.h"
#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "ont/OntRef.h"

namespace tw {

namespace {
const QString Sp = QStringLiteral(" ");
const QString Slash = QStringLiteral("/");

// Typed fields never add CLI lines; an interface line needs a frame/slot it can take.
bool typedOk(Operator &op, const QStringList &values) {
    for (const QString &v : values)
        if (!acceptTyped(op, v, QStringLiteral("查询参数"))) return false;
    return true;
}

bool boardOk(Operator &op, const PortFields &f) {
    if (!typedOk(op, {f.frame, f.slot, f.port})) return false;
    if (isBoardRef(f.frame + Slash + f.slot)) return true;
    op.notice(QStringLiteral("机框和业务板应为数字，命令没有发送！"), ErrorBoxTitle, BoxIcon::Warning);
    return false;
}

QString interfaceOf(Operator &op, const PortFields &f) {
    return QStringLiteral("interface ") + kindWord(askPonKind(op)) + Sp + f.frame + Slash + f.slot +
           QStringLiteral("\r\n");
}
} // namespace

bool OntQueries::tell(const QString &script) {
    return sendOrTell(sink_, op_, script);
}

const QStringList &searchTypes() {
    static const QStringList types = {
        QStringLiteral("根据IP地址查找ONT"),  QStringLiteral("根据LOID查找ONT"),
        QStringLiteral("根据MAC地址查找ONT"), QStringLiteral("根据密码查找ONT"),
        QStringLiteral("根据SN查找ONT"),      QStringLiteral("根据DESC查找ONT")};
    return types;
}

QString searchPrefix(int type) {
    static const QStringList prefixes = {
        QStringLiteral("display ont info by-ip "),  QStringLiteral("display ont info by-loid "),
        QStringLiteral("display ont info by-mac "), QStringLiteral("display ont info by-password "),
        QStringLiteral("display ont info by-sn "),  QStringLiteral("display ont info by-desc ")};
    return prefixes.value(type);
}

void OntQueries::listPort(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!typedOk(op_, {f.frame, f.slot, f.port})) return;
    tell(QStringLiteral("display ont info ") + f.frame + Sp + f.slot + Sp + f.port +
         QStringLiteral(" all\r\n\r\n"));
    settings_.write(settings::Frame, f.frame);
    settings_.write(settings::Slot, f.slot);
    settings_.write(settings::Port, f.port);
}

void OntQueries::listBoard(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!typedOk(op_, {f.frame, f.slot, f.port})) return;
    tell(QStringLiteral("display ont info ") + f.frame + Sp + f.slot + QStringLiteral(" all\r\n\r\n"));
}

void OntQueries::listFrame(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!typedOk(op_, {f.frame, f.slot, f.port})) return;
    tell(QStringLiteral("display ont info ") + f.frame + QStringLiteral(" all\r\n\r\n"));
}

void OntQueries::detail(const DetailFields &f) {
    if (!typedOk(op_, {f.frame, f.slot, f.port, f.ont, f.index})) return;
    tell(QStringLiteral("display ont info ") + f.frame + Sp + f.slot + Sp + f.port + Sp + f.ont +
         QStringLiteral("\r\n\r\n"));
}

void OntQueries::registration(const DetailFields &f) {
    if (!typedOk(op_, {f.frame, f.slot, f.port, f.ont, f.index})) return;
    tell(QStringLiteral("display current-configuration ont ") + f.frame + Slash + f.slot + Slash + f.port +
         Sp + f.ont + QStringLiteral("\r\n\r\n"));
}

void OntQueries::serviceIndex(const DetailFields &f) {
    if (!typedOk(op_, {f.frame, f.slot, f.port, f.ont, f.index})) return;
    tell(QStringLiteral("display service-port port ") + f.frame + Slash + f.slot + Slash + f.port +
         QStringLiteral(" ont ") + f.ont + QStringLiteral(" sort-by port\r\ny\r\n\r\n"));
}

void OntQueries::serviceFlow(const DetailFields &f) {
    if (!typedOk(op_, {f.frame, f.slot, f.port, f.ont, f.index})) return;
    tell(QStringLiteral("display current-configuration service-port ") + f.index + QStringLiteral("\r\n"));
}

void OntQueries::discoverPort(const PortFields &f) {
    if (!boardOk(op_, f)) return;
    tell(interfaceOf(op_, f) + QStringLiteral("display ont autofind ") + f.port +
         QStringLiteral("\r\n   \r\nquit\r\n"));
}

void OntQueries::portState(const PortFields &f) {
    if (!boardOk(op_, f)) return;
    tell(interfaceOf(op_, f) + QStringLiteral("display port state ") + f.port +
         QStringLiteral("\r\n     \r\nquit\r\n"));
}

void OntQueries::allPortStates(const PortFields &f) {
    if (!boardOk(op_, f)) return;
    tell(interfaceOf(op_, f) + QStringLiteral("display port state all\r\n     \r\nquit\r\n"));
}

void OntQueries::discoverAll() {
    tell(QStringLiteral("display ont autofind all\r\n"));
}

void OntQueries::search(int type, const QString &parameter) {
    if (type < 0 || type >= searchTypes().size()) {
        op_.notice(QStringLiteral("请选择查询类型后再试！"), DefaultBoxTitle, BoxIcon::Information);
        return;
    }
    if (parameter.isEmpty()) {
        op_.notice(QStringLiteral("查询参数不能为空！"), DefaultBoxTitle, BoxIcon::Information);
        return;
    }
    if (!acceptTyped(op_, parameter, QStringLiteral("查询参数"))) return;
    tell(searchPrefix(type) + parameter + QStringLiteral("\r\n"));
}

void OntQueries::versionPort(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!typedOk(op_, {f.frame, f.slot, f.port})) return;
    tell(QStringLiteral("display ont version ") + f.frame + Sp + f.slot + Sp + f.port +
         QStringLiteral(" all\r\n\r\n\r\n"));
}

void OntQueries::versionBoard(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!typedOk(op_, {f.frame, f.slot, f.port})) return;
    tell(QStringLiteral("display ont version ") + f.frame + Sp + f.slot + QStringLiteral(" all\r\n"));
}

void OntQueries::versionFrame(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!typedOk(op_, {f.frame, f.slot, f.port})) return;
    tell(QStringLiteral("display ont version ") + f.frame + QStringLiteral(" all\r\n"));
}

} // namespace tw
