#include "admin/SystemOperations.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"

namespace tw {

namespace {

struct Command {
    const char16_t *question;
    BoxIcon icon;
    bool destructive; // the OLT goes down, or loses its data or its sessions
    const char16_t *script;
    const char16_t *log;
    const char16_t *notice;
};

Command commandOf(SystemAction action) {
    switch (action) {
    case SystemAction::EraseDatabase:
        return {u"该命令将清除主板已经加载或保存的数据, 请注意备份系统配置数据\r\n确实要擦除主板数据库？",
                BoxIcon::Information,
                true,
                u"erase flash data active\r\ny\r\n",
                u"   手动复位OLT系统！",
                u"复位成功，请等待重启OLT系统！"};
    case SystemAction::Reboot:
        return {u"请检查数据是否完全保存, 复位系统可能导致未保存数据丢失, 确实要复位系统？",
                BoxIcon::Information,
                true,
                u"reboot system\r\ny\r\n",
                u"   手动重启OLT系统！",
                u"重启成功，请等待系统启动！"};
    case SystemAction::SwitchOver:
        return {u"确实要将主控倒换？",          BoxIcon::Question,   true,
                u"system switch-over\r\ny\r\n", u"   OLT主备倒换！", u"命令已发送，主备倒换成功！"};
    case SystemAction::Save:
        break;
    }
    return {u"确实要将配置文件及数据库文件写入OLT？", BoxIcon::Question, false, u"save\r\n\r\n", u"", u""};
}

QString text(const char16_t *s) {
    return QString::fromUtf16(s);
}

// The switch goes to config.ini once the OLT has the script.
bool sendAndStore(PageContext &c, const QString &script, const Setting &setting, bool on) {
    if (!sendOrTell(c.sink, c.op, script)) return false;
    c.settings.writeSwitch(setting, on);
    return true;
}

} // namespace

bool runSystemAction(PageContext &c, SystemAction action) {
    const Command command = commandOf(action);
    const bool yes = command.destructive
                         ? c.op.askDestructive(text(command.question), DefaultBoxTitle, command.icon,
                                               QuestionButtons::OkCancel)
                         : c.op.askOkCancel(text(command.question), DefaultBoxTitle, command.icon);
    if (!yes) return false;
    return sendLogNotify(c, text(command.script), text(command.log), text(command.notice));
}

bool renameSystem(PageContext &c, const QString &name) {
    // The prompt is the name: a blank or quote would split the word or stand in the prompt.
    if (!acceptField(c.op, name, QStringLiteral("系统更名"), FieldKind::Word)) return false;
    if (!c.op.askOkCancel(QStringLiteral("确实要将系统更名为：") + name)) return false;
    return sendLogNotify(c, QStringLiteral("sysname ") + name + QStringLiteral("\r\n\r\n"),
                         QStringLiteral("   系统更名为：") + name);
}

bool setIdleTimeout(PageContext &c, const QString &minutes) {
    if (!acceptField(c.op, minutes, QStringLiteral("超时时间"), FieldKind::IdleMinutes)) return false;
    return sendOrTell(c.sink, c.op, QStringLiteral("idle-timeout ") + minutes + QStringLiteral("\r\n"));
}

bool setTimedSave(PageContext &c, bool on, const QString &time) {
    if (on && !acceptField(c.op, time, QStringLiteral("保存时间"), FieldKind::ClockTime)) return false;
    const QString script = on ? QStringLiteral("autosave type all\r\nautosave  time ") + time +
                                    QStringLiteral("\r\nautosave time on\r\n\r\n")
                              : QStringLiteral("autosave time off\r\n\r\n");
    return sendAndStore(c, script, settings::TimedSave, on);
}

bool setIntervalSave(PageContext &c, bool on, const QString &minutes) {
    if (on && !acceptField(c.op, minutes, QStringLiteral("间隔时间"), FieldKind::SaveInterval)) return false;
    const QString script = on ? QStringLiteral("autosave type all\r\nautosave  interval ") + minutes +
                                    QStringLiteral("\r\nautosave  interval configuration ") + minutes +
                                    QStringLiteral("\r\nautosave interval on\r\n\r\n")
                              : QStringLiteral("autosave interval off\r\n\r\n");
    return sendAndStore(c, script, settings::IntervalSave, on);
}

} // namespace tw
