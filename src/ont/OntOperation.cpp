#include "ont/OntOperation.h"

namespace tw {

QString requeryNotice(const QString &what) {
    return what + QStringLiteral("请等待程序执行完毕后重新查询以更新列表！");
}

QString fillRow(QStringView pattern, const OntRef &ont, const QString &value) {
    QString out;
    out.reserve(pattern.size() + 32);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t key = i + 1 < pattern.size() && pattern[i] == u'%' ? pattern[i + 1].unicode() : 0;
        switch (key) {
        case u'P':
            out += ont.port;
            break;
        case u'N':
            out += ont.id;
            break;
        case u'S':
            out += ont.serial;
            break;
        case u'B':
            out += ont.board();
            break;
        case u'V':
            out += value;
            break;
        default:
            out += pattern[i];
            continue;
        }
        ++i;
    }
    return out;
}

} // namespace tw
