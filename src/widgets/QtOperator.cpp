#include "widgets/QtOperator.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tw {

namespace {

QMessageBox::Icon toQt(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// `safe`: the default button (Enter), when not the first of `buttons`.
int runBox(QWidget *parent, const QString &text, const QString &title, BoxIcon icon,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton safe = QMessageBox::NoButton) {
    QMessageBox box(toQt(icon), title, text, buttons, parent);
    if (safe != QMessageBox::NoButton) box.setDefaultButton(safe);
    return box.exec();
}

} // namespace

bool QtOperator::askYesNo(const QString &text, const QString &title, BoxIcon icon) {
    return runBox(parent_, text, title, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<bool> QtOperator::askYesNoOrEscape(const QString &text, const QString &title, BoxIcon icon,
                                                 bool yesByDefault) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(yesByDefault ? QMessageBox::Yes : QMessageBox::No);
    // Esc and the close button press the escape button; a hidden one keeps them apart from No.
    QAbstractButton *escape = box.addButton(QMessageBox::Cancel);
    escape->hide();
    box.setEscapeButton(escape);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes)) return true;
    if (box.clickedButton() == box.button(QMessageBox::No)) return false;
    return std::nullopt;
}

bool QtOperator::askOkCancel(const QString &text, const QString &title, BoxIcon icon) {
    return runBox(parent_, text, title, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtOperator::askDestructive(const QString &text, const QString &title, BoxIcon icon,
                                QuestionButtons buttons) {
    if (buttons == QuestionButtons::OkCancel)
        return runBox(parent_, text, title, icon, QMessageBox::Ok | QMessageBox::Cancel,
                      QMessageBox::Cancel) == QMessageBox::Ok;
    return runBox(parent_, text, title, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

std::optional<QString> QtOperator::askText(const QString &prompt, const QString &title,
                                           const QString &initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text.isNull() ? QString(QLatin1String("")) : text;
}

void QtOperator::notice(const QString &text, const QString &title, BoxIcon icon) {
    runBox(parent_, text, title, icon, QMessageBox::Ok);
}

std::optional<QString> QtOperator::askOpenFile(const QString &title, const QString &directory,
                                               const QStringList &filters) {
    QFileDialog dialog(parent_, title, directory);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    // The captions name their patterns already.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace tw
