#include "provision/BatchConfirmWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tw {

BatchConfirmWidget::BatchConfirmWidget(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    const auto add = [&](const char16_t *label, const char16_t *text) {
        auto *box = new QLineEdit(QString::fromUtf16(text), this);
        box->setMaximumWidth(70);
        grid->addWidget(new QLabel(QString::fromUtf16(label), this), 0, column);
        grid->addWidget(box, 1, column++);
        return box;
    };
    frame = add(u"机框：", u"0");
    slot = add(u"业务板：", u"1");
    port = add(u"端口：", u"0");
    lineProfile = add(u"线路模板：", u"1");
    serviceProfile = add(u"业务模板：", u"1");
    confirmButton = new QPushButton(QStringLiteral("批量注册"), this);
    grid->addWidget(confirmButton, 1, column++);
    grid->setColumnStretch(column, 1);
    connect(confirmButton, &QPushButton::clicked, this,
            [this, &context] { confirmAllOnPort(context, fields()); });
}

ConfirmAllFields BatchConfirmWidget::fields() const {
    return {frame->text(), slot->text(), port->text(), lineProfile->text(), serviceProfile->text()};
}

} // namespace tw
