#include "wizards/FormChecks.h"

#include "common/Operator.h"

#include <algorithm>

namespace tw {

bool requireFilled(Operator &op, std::initializer_list<QString> values) {
    if (std::none_of(values.begin(), values.end(), [](const QString &v) { return v.isEmpty(); })) return true;
    op.notice(RequiredNotice);
    return false;
}

} // namespace tw
