#include "admin/FirmwareOperations.h"

#include "common/CommandSink.h"

#include "common/InputCheck.h"
#include "common/Operator.h"

#include <algorithm>

namespace tw {

namespace {

bool fits(const QString &text, FieldKind kind) {
    return fieldProblem(text, {}, kind).isEmpty();
}

bool hasBlank(const QString &text) {
    return text.contains(u' ') || text.contains(QChar(0x3000));
}

bool refuse(Operator &op, const QString &why) {
    op.notice(why + QStringLiteral("，命令没有发送！"), ErrorBoxTitle, BoxIcon::Warning);
    return false;
}

// Board, port and ONT as "ont-load select" takes them: the separators are always sent.
QString targets(const FirmwareFields &f) {
    return f.board + u' ' + f.port + u' ' + f.ont;
}

bool acceptFields(Operator &op, const FirmwareFields &f) {
    return acceptTyped(op, f.file, QStringLiteral("固件/配置 文件")) &&
           acceptTyped(op, f.address, QStringLiteral("TFTP地址")) &&
           acceptTyped(op, f.board, QStringLiteral("ONT所在板卡")) &&
           acceptTyped(op, f.port, QStringLiteral("端口(为空则所有端口)")) &&
           acceptTyped(op, f.ont, QStringLiteral("ONT(为空则所有ONT)"));
}

// A line of the load script that the OLT rejects does not stop the lines after it: a failed
// "ont-load info" or "ont-load select" would leave "ont-load start" to load what an earlier load
// declared into the ONTs it selected. So each of them must be one the OLT takes.
bool loadable(Operator &op, const FirmwareFields &f) {
    if (f.file.isEmpty() || hasBlank(f.file))
        return refuse(op, QStringLiteral("“固件/配置 文件”应为TFTP服务器上的文件名，不能为空或含有空格"));
    if (f.address.isEmpty() || hasBlank(f.address))
        return refuse(op, QStringLiteral("“TFTP地址”不能为空或含有空格"));
    if (!fits(f.board, FieldKind::Board)) return refuse(op, QStringLiteral("“ONT所在板卡”应为“框/槽”，例如 0/1"));
    if (!f.port.isEmpty() && !fits(f.port, FieldKind::Port))
        return refuse(op, QStringLiteral("“端口”应为端口号，为空则所有端口"));
    if (!f.ont.isEmpty() && !fits(f.ont, FieldKind::OntId))
        return refuse(op, QStringLiteral("“ONT”应为ONT编号，为空则所有ONT"));
    // Without the port the OLT would read the ONT id as a port and load every ONT of that port.
    if (f.port.isEmpty() && !f.ont.isEmpty()) return refuse(op, QStringLiteral("填写ONT时请同时填写端口"));
    return true;
}

bool load(PageContext &c, const FirmwareFields &f, bool program) {
    if (!acceptFields(c.op, f) || !loadable(c.op, f)) return false;
    // A whole board's ONTs load and restart at once.
    if (f.port.isEmpty() &&
        !c.op.askDestructive(QStringLiteral("确实要向 框/槽：") + f.board + QStringLiteral(" 业务板下的所有ONT加载") +
                             (program ? QStringLiteral("固件 ") : QStringLiteral("配置文件 ")) + f.file +
                             QStringLiteral("？")))
        return false;
    const QString script =
        QStringLiteral("diagnose\r\nont-load info ") +
        (program ? QStringLiteral("program ") : QStringLiteral("configuration ")) + f.file +
        QStringLiteral(" tftp ") + f.address + QStringLiteral("\r\n\r\nont-load select ") + targets(f) +
        QStringLiteral("\r\n\r\nont-load start ") + activeModeText(f.mode) + QStringLiteral("\r\n\r\n");
    // Each step needs the one before: after a failed "ont-load info" a "start" would load whatever
    // package an earlier selection left.
    const std::function<void(const QString &)> report = c.report;
    if (c.sink.run(script,
                   [report](const ScriptOutcome &o) {
                       if (!o.ok() && report) report(QStringLiteral("ONT加载未开始：") + o.summary());
                   },
                   RunOptions{true, true}))
        return true;
    c.op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
    return false;
}

} // namespace

QString activeModeText(ActiveMode mode) {
    switch (mode) {
    case ActiveMode::Immediate:
        return QStringLiteral("activemode immediate");
    case ActiveMode::NextStartup:
        return QStringLiteral("activemode next-startup");
    case ActiveMode::Default:
        break;
    }
    return {};
}

bool runFirmwareAction(PageContext &c, FirmwareAction action, const FirmwareFields &fields) {
    switch (action) {
    case FirmwareAction::EnterDiagnose:
        return sendOrTell(c.sink, c.op, QStringLiteral("diagnose\r\n\r\n"));
    case FirmwareAction::LoadProgram:
        return load(c, fields, true);
    case FirmwareAction::LoadConfiguration:
        return load(c, fields, false);
    case FirmwareAction::ShowLoadInfo:
        return sendOrTell(c.sink, c.op, QStringLiteral("display ont-load info\r\n\r\n\r\n"));
    case FirmwareAction::ShowProgress:
        if (!acceptTyped(c.op, fields.board, QStringLiteral("ONT所在板卡")) ||
            !acceptTyped(c.op, fields.port, QStringLiteral("端口(为空则所有端口)")) ||
            !acceptTyped(c.op, fields.ont, QStringLiteral("ONT(为空则所有ONT)")))
            return false;
        return sendOrTell(c.sink, c.op,
                          QStringLiteral("display ont-load select ") + targets(fields) +
                              QStringLiteral("\r\n\r\n\r\n"));
    case FirmwareAction::StopLoad:
        return sendOrTell(c.sink, c.op, QStringLiteral("ont-load stop\r\n\r\n"));
    case FirmwareAction::LeaveDiagnose:
        return sendOrTell(c.sink, c.op, QStringLiteral("quit\r\nconfig\r\n\r\n"));
    }
    return false;
}

QString bareFileName(const QString &path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

QStringList firmwareFileFilters() {
    // The captions are what the dialog shows; the patterns after them take either case.
    return {QStringLiteral("固件文件（*.bin） (*.bin *.BIN)"),
            QStringLiteral("配置文件（*.XML） (*.XML *.xml)")};
}

std::optional<QString> browseFirmwareFile(Operator &op, const QString &runDir) {
    const std::optional<QString> chosen =
        op.askOpenFile(QStringLiteral("浏览文件"), runDir, firmwareFileFilters());
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    return bareFileName(*chosen);
}

} // namespace tw
