#include "common/SettingsStore.h"

#include "common/Gbk.h"
#include "common/IniText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tw {

namespace {

QByteArray readFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Null when the file exists but cannot be read: writing then would lose every other setting.
QByteArray readForUpdate(const QString &path) {
    QFile f(path);
    if (!f.exists()) return QByteArray("");
    if (!f.open(QIODevice::ReadOnly)) return {};
    QByteArray all = f.readAll();
    return all.isNull() ? QByteArray("") : all;
}

// A value is one line of the file: line breaks typed into a multi-line box become blanks instead
// of breaking the file apart.
QByteArray oneLine(const QString &value) {
    QString v = value;
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return toGbk(v);
}

} // namespace

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) {}

QString SettingsStore::read(QStringView section, QStringView key, const QString &defaultValue) const {
    const QByteArray value = ini::findValue(readFile(path_), section, key);
    if (value.isNull()) return defaultValue;
    const QByteArrayView capped = QByteArrayView(value).first(qMin(value.size(), MaxValueBytes));
    return fromGbk(capped.first(completeGbkPrefix(capped)));
}

bool SettingsStore::isOn(const Setting &setting) const {
    return read(setting) == SwitchOn;
}

bool SettingsStore::write(QStringView section, QStringView key, const QString &value) {
    const QFileInfo info(path_);
    // The atomic replace would write through a link to its target, which as root may be any file.
    if (info.isSymLink())
        return fail(QStringLiteral("配置文件是符号链接，程序不会经由它改写其他文件，设置未保存：") + path_);
    // Root may write any file: the owner's write bit is the operator's word that it stays as it is.
    if (info.exists() && !info.permission(QFileDevice::WriteOwner))
        return fail(QStringLiteral("配置文件已设为只读，设置未保存：") + path_);
    const QByteArray current = readForUpdate(path_);
    if (current.isNull())
        return fail(QStringLiteral("配置文件无法读取，为免丢失其他设置，本次未保存：") + path_);
    const QByteArray updated = ini::withValue(current, section, key, oneLine(value));
    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly)) return fail(unwritable());
    // The file holds the encoded OLT password: owner only.
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (out.write(updated) != updated.size()) {
        out.cancelWriting();
        return fail(unwritable());
    }
    if (!out.commit()) return fail(unwritable());
    error_.clear();
    return true;
}

QString SettingsStore::unwritable() const {
    return QStringLiteral("配置文件无法写入，请检查运行目录是否可写：") + path_;
}

bool SettingsStore::fail(const QString &why) {
    error_ = why;
    if (failed_) failed_(why);
    return false;
}

bool SettingsStore::writeSwitch(const Setting &setting, bool on) {
    return write(setting, on ? SwitchOn : SwitchOff);
}

} // namespace tw
