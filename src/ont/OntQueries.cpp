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

// The fields a query uses, each a number the CLI takes: the frame, then the board, the port and
// the ONT as far as `depth` goes.
bool placeOk(Operator &op, const DetailFields &f, int depth) {
    return checkFields(op, {{f.frame, u"机框", FieldKind::Frame}}) &&
           (depth < 2 || checkFields(op, {{f.slot, u"业务板", FieldKind::Slot}})) &&
           (depth < 3 || checkFields(op, {{f.port, u"端口", FieldKind::Port}})) &&
           (depth < 4 || checkFields(op, {{f.ont, u"ONT编号", FieldKind::OntId}}));
}

bool placeOk(Operator &op, const PortFields &f, int depth) {
    return placeOk(op, DetailFields{f.frame, f.slot, f.port, {}, {}}, depth);
}

std::optional<QString> interfaceOf(Operator &op, const PortFields &f) {
    const std::optional<PonKind> kind = askPonKind(op);
    if (!kind) return std::nullopt;
    return QStringLiteral("interface ") + kindWord(*kind) + Sp + f.frame + Slash + f.slot + QStringLiteral("\r\n");
}

// What each search type takes, in the order of searchTypes().
const FieldKind SearchKinds[] = {FieldKind::Ipv4, FieldKind::Loid,   FieldKind::Mac,
                                 FieldKind::OntPassword, FieldKind::Serial, FieldKind::Word};

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
    if (!placeOk(op_, f, 3) || !tell(QStringLiteral("display ont info ") + f.frame + Sp + f.slot + Sp + f.port +
                                    QStringLiteral(" all\r\n\r\n")))
        return;
    // The port is remembered only once it was asked for.
    settings_.write(settings::Frame, f.frame);
    settings_.write(settings::Slot, f.slot);
    settings_.write(settings::Port, f.port);
}

void OntQueries::listBoard(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!placeOk(op_, f, 2)) return;
    tell(QStringLiteral("display ont info ") + f.frame + Sp + f.slot + QStringLiteral(" all\r\n\r\n"));
}

void OntQueries::listFrame(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!placeOk(op_, f, 1)) return;
    tell(QStringLiteral("display ont info ") + f.frame + QStringLiteral(" all\r\n\r\n"));
}

void OntQueries::detail(const DetailFields &f) {
    if (!placeOk(op_, f, 4)) return;
    tell(QStringLiteral("display ont info ") + f.frame + Sp + f.slot + Sp + f.port + Sp + f.ont +
         QStringLiteral("\r\n\r\n"));
}

void OntQueries::registration(const DetailFields &f) {
    if (!placeOk(op_, f, 4)) return;
    tell(QStringLiteral("display current-configuration ont ") + f.frame + Slash + f.slot + Slash + f.port +
         Sp + f.ont + QStringLiteral("\r\n\r\n"));
}

void OntQueries::serviceIndex(const DetailFields &f) {
    if (!placeOk(op_, f, 4)) return;
    tell(QStringLiteral("display service-port port ") + f.frame + Slash + f.slot + Slash + f.port +
         QStringLiteral(" ont ") + f.ont + QStringLiteral(" sort-by port\r\ny\r\n\r\n"));
}

void OntQueries::serviceFlow(const DetailFields &f) {
    if (!acceptField(op_, f.index, QStringLiteral("索引"), FieldKind::ServicePort)) return;
    tell(QStringLiteral("display current-configuration service-port ") + f.index + QStringLiteral("\r\n"));
}

void OntQueries::discoverPort(const PortFields &f) {
    if (!placeOk(op_, f, 3)) return;
    if (const std::optional<QString> head = interfaceOf(op_, f))
        tell(*head + QStringLiteral("display ont autofind ") + f.port + QStringLiteral("\r\n   \r\nquit\r\n"));
}

void OntQueries::portState(const PortFields &f) {
    if (!placeOk(op_, f, 3)) return;
    if (const std::optional<QString> head = interfaceOf(op_, f))
        tell(*head + QStringLiteral("display port state ") + f.port + QStringLiteral("\r\n     \r\nquit\r\n"));
}

void OntQueries::allPortStates(const PortFields &f) {
    if (!placeOk(op_, f, 2)) return;
    if (const std::optional<QString> head = interfaceOf(op_, f))
        tell(*head + QStringLiteral("display port state all\r\n     \r\nquit\r\n"));
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
    if (!acceptField(op_, parameter, QStringLiteral("查询参数"), SearchKinds[type])) return;
    tell(searchPrefix(type) + parameter + QStringLiteral("\r\n"));
}

void OntQueries::versionPort(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!placeOk(op_, f, 3)) return;
    tell(QStringLiteral("display ont version ") + f.frame + Sp + f.slot + Sp + f.port +
         QStringLiteral(" all\r\n\r\n\r\n"));
}

void OntQueries::versionBoard(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!placeOk(op_, f, 2)) return;
    tell(QStringLiteral("display ont version ") + f.frame + Sp + f.slot + QStringLiteral(" all\r\n"));
}

void OntQueries::versionFrame(const PortFields &f, GridModel &grid) {
    grid.clearRows();
    if (!placeOk(op_, f, 1)) return;
    tell(QStringLiteral("display ont version ") + f.frame + QStringLiteral(" all\r\n"));
}

} // namespace tw
