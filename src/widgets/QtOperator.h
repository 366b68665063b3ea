#pragma once

#include "common/Operator.h"

class QWidget;

namespace tw {

// Message boxes and input boxes, parented to the window that asks.
class QtOperator : public Operator {
  public:
    explicit QtOperator(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    bool askYesNo(const QString &text, const QString &title, BoxIcon icon) override;
    std::optional<bool> askYesNoOrEscape(const QString &text, const QString &title, BoxIcon icon,
                                         bool yesByDefault) override;
    bool askOkCancel(const QString &text, const QString &title, BoxIcon icon) override;
    bool askDestructive(const QString &text, const QString &title, BoxIcon icon,
                        QuestionButtons buttons) override;
    std::optional<QString> askText(const QString &prompt, const QString &title,
                                   const QString &initial) override;
    void notice(const QString &text, const QString &title, BoxIcon icon) override;
    std::optional<QString> askOpenFile(const QString &title, const QString &directory,
                                       const QStringList &filters) override;

  private:
    QWidget *parent_;
};

} // namespace tw
