#include "widgets/QtOperator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace tw;

namespace {

// Does `act` to the message box once it is shown (the question runs its own event loop).
void whenShown(const std::function<void(QMessageBox *)> &act) {
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(box);
    });
    timer->start(10);
}

} // namespace

// Esc and the close button are no answer; Yes, No and Enter (on the default button) are.
TEST(QtOperator, EscAndCloseAnswerNeitherYesNorNo) {
    const struct {
        const char *what;
        bool yesByDefault;
        std::function<void(QMessageBox *)> act;
        std::optional<bool> answer;
    } cases[] = {
        {"Esc", true, [](QMessageBox *b) { QTest::keyClick(b, Qt::Key_Escape); }, std::nullopt},
        {"close", true, [](QMessageBox *b) { b->close(); }, std::nullopt},
        {"Yes", false, [](QMessageBox *b) { b->button(QMessageBox::Yes)->click(); }, true},
        {"No", true, [](QMessageBox *b) { b->button(QMessageBox::No)->click(); }, false},
        {"Enter, No the default", false, [](QMessageBox *b) { QTest::keyClick(b, Qt::Key_Return); }, false},
        {"Enter, Yes the default", true, [](QMessageBox *b) { QTest::keyClick(b, Qt::Key_Return); }, true},
    };
    QtOperator op;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QStringList shown;
        whenShown([&shown, &c](QMessageBox *b) {
            for (QAbstractButton *button : b->buttons())
                if (button->isVisible()) shown << button->text();
            c.act(b);
        });
        EXPECT_EQ(op.askYesNoOrEscape(QStringLiteral("GPON选是，EPON选否"), QStringLiteral("信息："),
                                      BoxIcon::Question, c.yesByDefault),
                  c.answer);
        EXPECT_EQ(shown.size(), 2) << "Yes and No only: no extra button shows";
    }
}
