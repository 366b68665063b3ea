#include "olt/RouterView.h"

namespace tw {

void RouterView::setPane(Pane pane, Write replace, Write append) {
    replace_[pane] = std::move(replace);
    if (append) append_[pane] = std::move(append);
}

QString RouterView::text(Field field) const {
    const Text read = fields_.value(field);
    return read ? read() : QString();
}

void RouterView::replacePaneText(Pane pane, const QString &text) {
    if (const Write w = replace_.value(pane)) w(text);
}

void RouterView::appendQueryPane(const QString &text) {
    if (const Write w = append_.value(QueryPane)) w(text);
}

void RouterView::appendConsole(const QString &text) {
    if (console_) console_(text);
}

void RouterView::receiving(qsizetype lines, qsizetype onts) {
    if (receiving_) receiving_(lines, onts);
}

} // namespace tw
