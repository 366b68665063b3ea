#include "common/QtChineseTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tw {

namespace {

// Texts the file dialog shows that Qt's Chinese translation lacks: the icon provider that names a
// folder's type moved to a class of its own in Qt 6, and its texts were not translated with it.
class LackingTexts : public QTranslator {
  public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char * /*disambiguation*/,
                      int /*n*/) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        static const struct {
            const char *source;
            const char16_t *text;
        } texts[] = {{"Folder", u"文件夹"},
                     {"File Folder", u"文件夹"},
                     {"Drive", u"驱动器"},
                     {"Shortcut", u"快捷方式"}};
        for (const auto &t : texts)
            if (qstrcmp(source, t.source) == 0) return QString::fromUtf16(t.text);
        return {};
    }
};

} // namespace

QtChineseTexts::QtChineseTexts()
    : qt_(std::make_unique<QTranslator>()), lacking_(std::make_unique<LackingTexts>()), previous_(QLocale()) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    loaded_ = qt_->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded_) QCoreApplication::installTranslator(qt_.get());
    QCoreApplication::installTranslator(lacking_.get());
    QLocale::setDefault(chinese);
}

QtChineseTexts::~QtChineseTexts() {
    QCoreApplication::removeTranslator(lacking_.get());
    if (loaded_) QCoreApplication::removeTranslator(qt_.get());
    QLocale::setDefault(previous_);
}

} // namespace tw
