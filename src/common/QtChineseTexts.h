#pragma once
// Qt's own texts in Chinese whatever the system's locale, as every text of the console is: the
// buttons of its boxes (是 / 否 / 确定 / 取消) and the file dialog.

#include <QLocale>

#include <memory>

class QTranslator;

namespace tw {

class QtChineseTexts {
  public:
    // Installs Qt's Chinese translation (qtbase_zh_CN from Qt's translations folder, Debian's
    // qt6-translations-l10n), the few texts of the file dialog it lacks, and Chinese as the default
    // locale, by which the file dialog names file types. Needs the application object.
    QtChineseTexts();
    // Takes them back and restores the default locale.
    ~QtChineseTexts();
    QtChineseTexts(const QtChineseTexts &) = delete;
    QtChineseTexts &operator=(const QtChineseTexts &) = delete;

    // Whether Qt's translation was found (without it only the lacking texts are Chinese).
    bool translationLoaded() const { return loaded_; }

  private:
    std::unique_ptr<QTranslator> qt_, lacking_;
    QLocale previous_;
    bool loaded_ = false;
};

} // namespace tw
