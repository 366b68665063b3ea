#pragma once
// Fixed texts of the OLT's CLI that the connection looks for, and the fixed answers it sends.

#include <QByteArray>
#include <QString>

namespace tw::olt {

// Byte patterns of the received stream.
inline const QByteArray CursorBack = QByteArrayLiteral(" \x1b[1D");
inline const QByteArray EscapeStart = QByteArrayLiteral("\x1b[");
inline const QByteArray BellSpace = QByteArrayLiteral("\x07 ");
inline const QByteArray Banner = QByteArrayLiteral("\r\n  Huawei Integrated Access Software.");
inline const QByteArray LoginRejected = QByteArrayLiteral("\r\n  Username or password invalid.");
inline const QByteArray TestUserPrompt = QByteArrayLiteral("\r\n>>User name:");
inline const QByteArray EndOfOutput = QByteArrayLiteral("(config)#");
// The diagnose view (ONT loading) ends its outputs with its own prompt.
inline const QByteArray DiagnoseEndOfOutput = QByteArrayLiteral("(diagnose)%%");
// The paging prompt is built from its text: its bytes are GBK.
QByteArray pagingPrompt();

// Texts searched in a chunk's text.
inline const QString UserNamePrompt = QStringLiteral("User name");
inline const QString PasswordPrompt = QStringLiteral("User password");
inline const QString IdleNotice = QStringLiteral("请重建连接后登录");
inline const QString WrongBoardType = QStringLiteral("单板类型错误");
inline const QString NoSuchBoard = QStringLiteral("该板不存在");

// Answers.
// After the password's line: paced like any script, so none of it is typed ahead into the banner.
inline const QString PostLogin = QStringLiteral("\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n");
inline const QString BackToConfig = QStringLiteral("config\r\n\r\n");
inline const QString LineEnd = QStringLiteral("\r\n");
inline const QString Logout = QStringLiteral("quit\r\nquit\r\ny\r\n");
// Back to configuration mode from the privileged prompt, and what the console says about it.
inline const QString RestoreConfiguration = QStringLiteral("config\r\n");
inline const QString RestoreConfigurationNote =
    QStringLiteral("\r\n[控制台] 命令行停在了特权模式，已自动发送 config 回到配置模式。\r\n");
inline const QString TestLogout = QStringLiteral("quit\r\ny\r\n\r\n\r\n");

// Boxes and log lines.
inline const QString ErrorTitle = QStringLiteral("错误");
inline const QString LoginRejectedBox = QStringLiteral("用户名或密码不正确，或该用户已在其他地方登录！");
inline const QString DisconnectRefused =
    QStringLiteral("您已开启超时自动重连功能，此功能无效，请关闭后再试！");
inline const QString DisconnectLogLine = QStringLiteral("   手动与OLT断开连接！");
inline const QString TestBadAddress = QStringLiteral("IP地址或端口不正确！");
inline const QString TestSucceeded = QStringLiteral("测试连接成功！");
inline const QString TestRejected = QStringLiteral("用户名或密码不正确！");

} // namespace tw::olt
