#pragma once
// Where the connection to the OLT stands, as the status bar names it.

#include <QString>

namespace tw {

enum class LinkState {
    Disconnected, // "未连接": never dialled, closed, or the dial failed
    Connecting,   // "连接中": dialling (or 自动重连 dialling in the background)
    LoggingIn,    // "登录中": the link is up, the login is under way
    Connected,    // "已连接": the CLI answered after the login
    LoginFailed,  // "登录失败": the OLT refused the account or its password (or an SSH host key
                  // was refused); nothing dials again until the operator does
};

inline QString linkStateText(LinkState state) {
    switch (state) {
    case LinkState::Connecting:
        return QStringLiteral("连接中");
    case LinkState::LoggingIn:
        return QStringLiteral("登录中");
    case LinkState::Connected:
        return QStringLiteral("已连接");
    case LinkState::LoginFailed:
        return QStringLiteral("登录失败");
    case LinkState::Disconnected:
        break;
    }
    return QStringLiteral("未连接");
}

} // namespace tw
