#pragma once
// "ONT 刷机": the OLT loads a firmware package or a configuration file from a TFTP server into one
// ONT, the ONTs of a port or those of a whole board, in its diagnose mode.

#include "common/PageContext.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tw {

class Operator;

// "ONT生效模式：".
enum class ActiveMode { Default, Immediate, NextStartup };
QString activeModeText(ActiveMode mode);

// The tab's fields as typed; the initial texts of the form.
struct FirmwareFields {
    QString file = QStringLiteral("ont.bin");        // "固件/配置 文件："
    QString address = QStringLiteral("10.11.104.1"); // "TFTP地址："
    QString board = QStringLiteral("0/1");           // "ONT所在板卡："
    QString port;                                    // "端口(为空则所有端口)："
    QString ont;                                     // "ONT(为空则所有ONT)："
    ActiveMode mode = ActiveMode::NextStartup;
};

// The seven buttons, in the page's order.
enum class FirmwareAction {
    EnterDiagnose,     // "调试模式"
    LoadProgram,       // "固件升级"
    LoadConfiguration, // "配置升级"
    ShowLoadInfo,      // "查看加载信息"
    ShowProgress,      // "查看升级进度"
    StopLoad,          // "停止升级"
    LeaveDiagnose,     // "退出调试"
};

inline const QString FirmwareNote = QStringLiteral(
    "升级结束后请停止升级并退出升级\r\n\r\n文件包和TFTP程序建议放在本程序运行目录\r\n\r\n"
    "可通过 ONT列表 重启ONT使刷机包/配置文件生效\r\n\r\n通过 ONT版本 查看是否升级成功！下发配置文件方法雷同");

// Sends the button's script in one write; nothing is logged. A load is refused before sending when
// a field would make one of its lines fail (the OLT would then start loading with what an earlier
// load declared or selected), and a load into every ONT of a board asks first. True when sent.
bool runFirmwareAction(PageContext &c, FirmwareAction action, const FirmwareFields &fields);

// "浏览文件": the file-open dialog in the run directory; the bare name of the chosen file (the
// OLT asks the TFTP server for a name, not a path), nullopt on Cancel.
std::optional<QString> browseFirmwareFile(Operator &op, const QString &runDir);
// What follows the last "/" or "\".
QString bareFileName(const QString &path);
// The dialog's two filters: firmware files (*.bin) and configuration files (*.XML).
QStringList firmwareFileFilters();

} // namespace tw
