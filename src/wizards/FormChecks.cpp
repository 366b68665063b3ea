#include "wizards/FormChecks.h"

#include "common/InputCheck.h"
#include "common/Operator.h"

#include <algorithm>

namespace tw {

bool requireFilled(Operator &op, std::initializer_list<QString> values) {
    if (std::none_of(values.begin(), values.end(), [](const QString &v) { return v.isEmpty(); })) return true;
    op.notice(RequiredNotice);
    return false;
}

bool acceptFields(Operator &op, std::initializer_list<FormField> fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [&op](const FormField &f) { return acceptTyped(op, f.value, f.name); });
}

bool isNumber(const QString &text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool acceptNumbers(Operator &op, std::initializer_list<FormField> fields) {
    for (const FormField &f : fields) {
        if (isNumber(f.value)) continue;
        op.notice(QStringLiteral("“") + f.name + QStringLiteral("”应填写数字，命令没有发送！请检查后重试。"),
                  ErrorBoxTitle, BoxIcon::Warning);
        return false;
    }
    return true;
}

} // namespace tw
