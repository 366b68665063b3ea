#pragma once
// A flow test of the ONT menus: one row, the operator's answers in, the writes, boxes and log
// lines out.

#include "Flow.h"
#include "ont/OntOperation.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace tw::test {

struct MenuFlow : PageFlow {
    OntRef row{QStringLiteral("0/11/3"), QStringLiteral("5"), QStringLiteral("48575443ABCDEF01")};

    explicit MenuFlow(bool iptv = false) {
        if (iptv) settings.writeSwitch(settings::Iptv, true);
    }

    bool run(const QList<OntMenuOperation> &operations, const char *caption, std::vector<Answer> answers) {
        op.answers.assign(answers.begin(), answers.end());
        for (const OntMenuOperation &o : operations)
            if (QString::fromUtf16(o.caption) == QString::fromUtf8(caption)) {
                const bool sent = o.run(context, row);
                EXPECT_TRUE(op.answers.empty()) << caption << ": answers left over";
                return sent;
            }
        ADD_FAILURE() << "no operation " << caption;
        return false;
    }
};

inline QString boardLines(const char *head, const char *verb, const char *answers) {
    QString s = QString::fromUtf8(head);
    for (int q = 0; q < 16; ++q)
        s += QStringLiteral("%1 %2 all\r\n").arg(QString::fromUtf8(verb)).arg(q) + QString::fromUtf8(answers);
    return s + QStringLiteral("quit\r\n");
}

} // namespace tw::test
