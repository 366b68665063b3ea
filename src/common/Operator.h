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
    // An SSH server shows a host key not seen before: `host` is "host:port", `fingerprint` the key's
    // "SHA256:…" fingerprint, to compare with the one the OLT's own console shows. True trusts it
    // (it is then kept); false refuses the connection.
    virtual bool trustHostKey(const QString &host, const QString &fingerprint) {
        return askYesNo(hostKeyQuestion(host, fingerprint), HostKeyTitle, BoxIcon::Warning);
    }
    // Yes/No buttons where Esc and closing the box answer neither: true on Yes, false on No,
    // nullopt on Esc or close. `yesByDefault` chooses the button Enter presses. An operator that
    // cannot tell Esc apart answers as askYesNo does.
    virtual std::optional<bool> askYesNoOrEscape(const QString &text, const QString &title = DefaultBoxTitle,
                                                 BoxIcon icon = BoxIcon::Question, bool yesByDefault = true) {
        (void)yesByDefault;
        return askYesNo(text, title, icon);
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

    static inline const QString HostKeyTitle = QStringLiteral("SSH主机密钥");
    static QString hostKeyQuestion(const QString &host, const QString &fingerprint) {
        return QStringLiteral("首次通过SSH连接 %1，无法确认这台OLT的身份。\n"
                              "它的主机密钥指纹是：\n%2\n\n"
                              "请与OLT上显示的指纹核对。是否信任该密钥并继续连接？")
            .arg(host, fingerprint);
    }
};

// Nobody at the screen (the replay tool, the benchmarks): every question is refused, every input
// box cancelled, every notice dropped.
class NoOperator : public Operator {
  public:
    bool askYesNo(const QString &, const QString &, BoxIcon) override { return false; }
    bool askOkCancel(const QString &, const QString &, BoxIcon) override { return false; }
    std::optional<QString> askText(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    void notice(const QString &, const QString &, BoxIcon) override {}
};

} // namespace tw
