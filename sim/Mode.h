#pragma once
// The CLI modes of a session. Each mode is a small struct holding what its commands act on (the
// board of an interface, the profile being edited, ...); the prompt is made from it, so nothing is
// read back out of the prompt text.

#include "ModelConfig.h"

#include <QString>

#include <optional>
#include <variant>

namespace tw::sim {

// Which mode, without its payload: picks the command tables and the help texts.
enum class ModeKind {
    User,
    Privileged,
    Config,
    InterfacePon,
    InterfaceGiu,
    InterfaceEmu,
    InterfaceOther,
    InterfaceIp, // meth0 and the vlanifs
    Btv,
    Diagnose,
    LineProfile,
    SrvProfile,
    VlanSrvProfile,
    MulticastVlan,
};

// A slot of the chassis, as an interface mode names it.
struct BoardSlot {
    int frame = 0;
    int slot = 0;
};

namespace mode {

struct User {
    static constexpr ModeKind kind = ModeKind::User;
};
struct Privileged {
    static constexpr ModeKind kind = ModeKind::Privileged;
};
struct Config {
    static constexpr ModeKind kind = ModeKind::Config;
    QString tag() const { return QStringLiteral("config"); }
};
// interface gpon|epon <f/s>
struct PonInterface {
    static constexpr ModeKind kind = ModeKind::InterfacePon;
    PonKind pon = PonKind::Gpon;
    BoardSlot board;
    QString tag() const;
};
// interface giu <f/s>: an uplink board.
struct UplinkInterface {
    static constexpr ModeKind kind = ModeKind::InterfaceGiu;
    BoardSlot board;
    QString tag() const;
};
// interface emu 0
struct EmuInterface {
    static constexpr ModeKind kind = ModeKind::InterfaceEmu;
    QString tag() const { return QStringLiteral("config-if-emu-0"); }
};
// interface scu|mcu|eth|mpu <f/s>: boards whose mode knows little more than native VLANs.
struct BoardInterface {
    static constexpr ModeKind kind = ModeKind::InterfaceOther;
    QString boardType; // the keyword it was entered with, as the prompt shows it
    BoardSlot board;
    QString tag() const;
};
// interface meth0 | vlanif<V>
struct IpInterface {
    static constexpr ModeKind kind = ModeKind::InterfaceIp;
    QString name; // "meth0", "vlanif100"
    QString tag() const { return "config-if-" + name; }
};
struct Btv {
    static constexpr ModeKind kind = ModeKind::Btv;
    QString tag() const { return QStringLiteral("config-btv"); }
};
struct Diagnose {
    static constexpr ModeKind kind = ModeKind::Diagnose;
};
// gpon|epon line profile and service profile.
struct LineProfile {
    static constexpr ModeKind kind = ModeKind::LineProfile;
    PonKind pon = PonKind::Gpon;
    int id = 0;
    QString tag() const;
};
struct SrvProfile {
    static constexpr ModeKind kind = ModeKind::SrvProfile;
    PonKind pon = PonKind::Gpon;
    int id = 0;
    QString tag() const;
};
struct VlanSrvProfile {
    static constexpr ModeKind kind = ModeKind::VlanSrvProfile;
    int id = 0;
    QString tag() const { return "config-vlan-srvprof-" + QString::number(id); }
};
struct MulticastVlan {
    static constexpr ModeKind kind = ModeKind::MulticastVlan;
    int id = 0;
    QString tag() const { return "config-mvlan" + QString::number(id); }
};

} // namespace mode

using Mode =
    std::variant<mode::User, mode::Privileged, mode::Config, mode::PonInterface, mode::UplinkInterface,
                 mode::EmuInterface, mode::BoardInterface, mode::IpInterface, mode::Btv, mode::Diagnose,
                 mode::LineProfile, mode::SrvProfile, mode::VlanSrvProfile, mode::MulticastVlan>;

inline ModeKind kindOf(const Mode &m) {
    return std::visit([](const auto &x) { return x.kind; }, m);
}

// The prompt of the mode on a device of that name: "MA5680T>", "MA5680T(config-if-gpon-0/1)#".
QString promptOf(const Mode &m, const QString &sysname);

// The board of an interface mode that has one (GPON, EPON, uplink and other boards).
std::optional<BoardSlot> boardOf(const Mode &m);

} // namespace tw::sim
