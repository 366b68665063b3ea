#include "common/SettingsStore.h"

#include "common/Gbk.h"
#include "common/IniText.h"

#include <QFile>
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
    const QByteArray current = readForUpdate(path_);
    if (current.isNull()) return false;
    const QByteArray updated = ini::withValue(current, section, key, oneLine(value));
    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly)) return false;
    // The file holds the encoded OLT password: owner only.
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (out.write(updated) != updated.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool SettingsStore::writeSwitch(const Setting &setting, bool on) {
    return write(setting, on ? SwitchOn : SwitchOff);
}

} // namespace tw
