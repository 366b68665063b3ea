#pragma once
// The names boards, board states and registrations have in scenario files and in the dump.

#include "Model.h"

namespace tw::sim::scenario {

// The first line of a database file.
inline constexpr char kDatabaseHeader[] = "#OLT-SIM-DATABASE 1";

inline const char *kindName(BoardKind k) {
    switch (k) {
    case BoardKind::Gpon:
        return "gpon";
    case BoardKind::Epon:
        return "epon";
    case BoardKind::Control:
        return "control";
    case BoardKind::Uplink:
        return "uplink";
    case BoardKind::Power:
        return "power";
    case BoardKind::Other:
        return "other";
    }
    return "other";
}

inline const char *stateName(BoardState s) {
    switch (s) {
    case BoardState::Normal:
        return "normal";
    case BoardState::ActiveNormal:
        return "active_normal";
    case BoardState::StandbyNormal:
        return "standby_normal";
    case BoardState::StandbyFailed:
        return "standby_failed";
    case BoardState::Failed:
        return "failed";
    case BoardState::AutoFind:
        return "auto_find";
    case BoardState::PowerOff:
        return "power_off";
    }
    return "normal";
}

inline const char *authName(AuthMode a) {
    switch (a) {
    case AuthMode::Sn:
        return "sn";
    case AuthMode::Mac:
        return "mac";
    case AuthMode::Loid:
        return "loid";
    case AuthMode::Password:
        return "password";
    }
    return "sn";
}

} // namespace tw::sim::scenario
