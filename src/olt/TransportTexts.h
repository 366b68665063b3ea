#pragma once
// What the transports tell the operator when a link cannot be made.

#include <QString>

namespace tw::transport {

inline QString target(const QString &host, quint16 port) {
    return host.contains(':') ? QStringLiteral("[%1]:%2").arg(host).arg(port)
                              : QStringLiteral("%1:%2").arg(host).arg(port);
}

inline QString cannotConnect(const QString &target, const QString &why) {
    return QStringLiteral("无法连接到 %1：%2").arg(target, why);
}

inline QString timedOut(const QString &target) {
    return QStringLiteral("连接 %1 超时！").arg(target);
}

inline QString sshFailed(const QString &target, const QString &why) {
    return QStringLiteral("与 %1 的SSH连接失败：%2").arg(target, why);
}

inline QString hostKeyRefused(const QString &target, const QString &offered) {
    return QStringLiteral("未信任 %1 的SSH主机密钥（指纹 %2），已取消连接。").arg(target, offered);
}

inline QString hostKeyChanged(const QString &target, const QString &stored, const QString &offered) {
    return QStringLiteral("警告：%1 的SSH主机密钥已改变，已拒绝连接！\n"
                          "已保存的指纹：%2\n对方提供的指纹：%3\n"
                          "可能有人冒充该OLT。如确认OLT更换了密钥，请从运行目录的 known_hosts 中删除它的旧记录后再连接。")
        .arg(target, stored, offered);
}

inline QString knownHostsUnreadable(const QString &file, const QString &why) {
    return QStringLiteral("无法读取主机密钥文件 %1：%2").arg(file, why);
}

inline QString sshLoginRejected(const QString &target) {
    return QStringLiteral("SSH登录 %1 失败：用户名或密码不正确！").arg(target);
}

inline QString sshNoPasswordLogin(const QString &target) {
    return QStringLiteral("SSH登录 %1 失败：OLT不接受密码登录。").arg(target);
}

inline QString sshNoShell(const QString &target, const QString &why) {
    return QStringLiteral("%1 没有打开SSH命令行：%2").arg(target, why);
}

} // namespace tw::transport
