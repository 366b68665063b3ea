#pragma once
// config.ini: a plain GBK INI file that operators edit by hand. Every read goes to the file, so a
// value edited by hand takes effect at the next read; every write rewrites the file atomically and
// keeps all other lines byte for byte.

#include "common/Settings.h"

#include <QString>

#include <functional>

namespace tw {

class SettingsStore {
  public:
    // Reads return at most this many bytes of a value (in GBK).
    static constexpr qsizetype MaxValueBytes = 10239;

    explicit SettingsStore(QString filePath);

    const QString &filePath() const { return path_; }

    QString read(QStringView section, QStringView key, const QString &defaultValue = {}) const;
    QString read(const Setting &setting) const {
        return read(setting.section, setting.key, setting.fallback);
    }
    QString read(const Setting &setting, const QString &readerDefault) const {
        return read(setting.section, setting.key, readerDefault);
    }
    // A switch is on only when its text is exactly "真".
    bool isOn(const Setting &setting) const;

    // Replaces or adds the key, creating the section and the file as needed. Returns false when the
    // file could not be written; the old file is then left untouched. A config.ini that is a
    // symbolic link (it would rewrite whatever it points at) or that its owner made read-only is
    // never written.
    bool write(QStringView section, QStringView key, const QString &value);
    bool write(const Setting &setting, const QString &value) {
        return write(setting.section, setting.key, value);
    }
    bool writeSwitch(const Setting &setting, bool on);

    // Why the last write failed, as a sentence for the operator naming the file; empty after a
    // write that succeeded.
    const QString &lastError() const { return error_; }
    // Told of every failed write, with lastError(): writes the program makes on its own (counters,
    // switches) have no caller that would show it.
    void setFailureListener(std::function<void(const QString &why)> listener) {
        failed_ = std::move(listener);
    }

  private:
    bool fail(const QString &why);
    QString unwritable() const;

    QString path_;
    QString error_;
    std::function<void(const QString &)> failed_;
};

} // namespace tw
