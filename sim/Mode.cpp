#include "Mode.h"

#include <type_traits>

namespace tw::sim {

namespace {

QString boardTag(const char *type, BoardSlot b) {
    return QStringLiteral("config-if-%1-%2/%3").arg(QLatin1String(type)).arg(b.frame).arg(b.slot);
}

QString profileTag(PonKind pon, const char *which, int id) {
    return QStringLiteral("config-%1-%2profile-%3")
        .arg(QLatin1String(pon == PonKind::Gpon ? "gpon" : "epon"), QLatin1String(which))
        .arg(id);
}

} // namespace

namespace mode {

QString PonInterface::tag() const {
    return boardTag(pon == PonKind::Gpon ? "gpon" : "epon", board);
}

QString UplinkInterface::tag() const {
    return boardTag("giu", board);
}

QString BoardInterface::tag() const {
    return boardTag(boardType.toLatin1().constData(), board);
}

QString LineProfile::tag() const {
    return profileTag(pon, "line", id);
}

QString SrvProfile::tag() const {
    return profileTag(pon, "srv", id);
}

} // namespace mode

QString promptOf(const Mode &m, const QString &sysname) {
    return std::visit(
        [&](const auto &x) -> QString {
            using M = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<M, mode::User>)
                return sysname + ">";
            else if constexpr (std::is_same_v<M, mode::Privileged>)
                return sysname + "#";
            else if constexpr (std::is_same_v<M, mode::Diagnose>)
                return sysname + "(diagnose)%%";
            else
                return sysname + "(" + x.tag() + ")#";
        },
        m);
}

std::optional<BoardSlot> boardOf(const Mode &m) {
    return std::visit(
        [](const auto &x) -> std::optional<BoardSlot> {
            if constexpr (requires { x.board; })
                return x.board;
            else
                return std::nullopt;
        },
        m);
}

} // namespace tw::sim
