#include "admin/BackupOperations.h"

#include "common/InputCheck.h"
#include "common/Operator.h"

#include <optional>

namespace tw {

namespace {

struct Transfer {
    const char16_t *backupPrefix;
    const char16_t *restorePrefix;
    const char16_t *file; // the name on the TFTP server, after the address
    const char16_t *backupLog;
    const char16_t *restoreQuestion;
};

std::optional<Transfer> transferOf(int typeIndex) {
    switch (typeIndex) {
    case int(BackupType::Configuration):
        return Transfer{u"backup configuration tftp ", u"load configuration tftp ", u" MA5680T.cfg",
                        u"   备份OLT配置文件 MA5680T.cfg 成功",
                        u"加载新的配置文件将覆盖原有的配置文件确实需要加载配置文件？"};
    case int(BackupType::Database):
        return Transfer{u"backup data tftp ", u"load data tftp ", u" MA5680T.dat",
                        u"   备份OLT数据文件 MA5680T.dat 成功",
                        u"加载用户配置数据将覆盖原有的用户配置数据回滚功能将被取消, "
                        u"请确认系统已经不需要回滚该操作不可恢复, 确实需要加载数据？"};
    }
    return std::nullopt;
}

QString text(const char16_t *s) {
    return QString::fromUtf16(s);
}

// The address is needed and must not add CLI lines; nothing selected ends the operation silently.
std::optional<Transfer> checked(PageContext &c, const BackupFields &fields) {
    if (fields.address.isEmpty()) {
        c.op.notice(QStringLiteral("请填写一个与OLT在同网段内可以匿名读写的FTP地址！"));
        return std::nullopt;
    }
    if (!acceptField(c.op, fields.address, QStringLiteral("TFTP地址"), FieldKind::Ipv4)) return std::nullopt;
    return transferOf(fields.typeIndex);
}

} // namespace

bool backupToTftp(PageContext &c, const BackupFields &fields) {
    const std::optional<Transfer> t = checked(c, fields);
    if (!t) return false;
    return sendLogNotify(c,
                         text(t->backupPrefix) + fields.address + text(t->file) + QStringLiteral("\r\ny\r\n"),
                         text(t->backupLog));
}

bool restoreFromTftp(PageContext &c, const BackupFields &fields) {
    const std::optional<Transfer> t = checked(c, fields);
    if (!t) return false;
    // The OLT's configuration is replaced by the file's.
    if (!c.op.askDestructive(text(t->restoreQuestion), DefaultBoxTitle, BoxIcon::Question,
                             QuestionButtons::OkCancel))
        return false;
    return sendOrTell(c.sink, c.op,
                      text(t->restorePrefix) + fields.address + text(t->file) +
                          QStringLiteral(" all\r\ny\r\n"));
}

bool activateConfiguration(PageContext &c) {
    return sendOrTell(c.sink, c.op, QStringLiteral("active  configuration  system\r\ny\r\n"));
}

} // namespace tw
