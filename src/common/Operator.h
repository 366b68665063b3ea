#pragma once
// The modal conversation with the operator. Operations ask through this seam, never through
// widgets, so their flows run in tests with scripted answers.

#include <QString>
#include <QStringList>

#include <optional>

namespace tw {

enum class BoxIcon { None, Information, Question, Warning, Error };
enum class QuestionButtons { YesNo, OkCancel };

// Message boxes without a title of their own show this one.
inline const QString DefaultBoxTitle = QStringLiteral("信息：");

class Operator {
  public:
    virtual ~Operator() = default;
    // Yes/No buttons; true only on Yes.
    virtual bool askYesNo(const QString &text, const QString &title = DefaultBoxTitle,
                          BoxIcon icon = BoxIcon::Question) = 0;
    // OK/Cancel buttons; true only on OK.
    virtual bool askOkCancel(const QString &text, const QString &title = DefaultBoxTitle,
                             BoxIcon icon = BoxIcon::Question) = 0;
    // An input box; nullopt on Cancel, the text (possibly empty) on OK.
    virtual std::optional<QString> askText(const QString &prompt, const QString &title,
                                           const QString &initial = {}) = 0;
    // An OK-only box.
    virtual void notice(const QString &text, const QString &title = DefaultBoxTitle,
                        BoxIcon icon = BoxIcon::None) = 0;
    // The platform's file-open dialog in `directory`, with filters as Qt writes them
    // ("caption (*.ext)"); the chosen path, nullopt on Cancel (and where there is no dialog).
    virtual std::optional<QString> askOpenFile(const QString & /*title*/, const QString & /*directory*/,
                                               const QStringList & /*filters*/) {
        return std::nullopt;
    }
    // A question whose Yes (OK) destroys or cuts off something: a deletion, a power-off, a reset,
    // an erase, a reboot. No (Cancel) is then the default button, so Enter never confirms by accident.
    virtual bool askDestructive(const QString &text, const QString &title = DefaultBoxTitle,
                                BoxIcon icon = BoxIcon::Question,
                                QuestionButtons buttons = QuestionButtons::YesNo) {
        return buttons == QuestionButtons::YesNo ? askYesNo(text, title, icon)
                                                 : askOkCancel(text, title, icon);
    }
    void error(const QString &text, const QString &title) { notice(text, title, BoxIcon::Error); }
};

} // namespace tw
