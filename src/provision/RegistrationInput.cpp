#include "provision/RegistrationInput.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"

#include <algorithm>

namespace tw {

bool isPortNumber(const QString &text) {
    return !text.isEmpty() && text.size() <= 3 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool acceptPonPort(Operator &op, const QString &frame, const QString &slot, const QString &port) {
    if (isPortNumber(frame) && isPortNumber(slot) && isPortNumber(port)) return true;
    op.notice(QStringLiteral("机框、业务板和端口应为数字，请检查后重试！"), ErrorBoxTitle, BoxIcon::Warning);
    return false;
}

std::optional<QString> oneWord(Operator &op, const QString &value, const QString &field) {
    const bool plain =
        std::none_of(value.begin(), value.end(), [](QChar c) { return isBlank(c) || c == u'"'; });
    if (!plain) return quotedWord(op, value, field);
    if (!acceptTyped(op, value, field)) return std::nullopt;
    return value;
}

bool checkRegisterTab(PageContext &c, const QString &serviceVlan, std::initializer_list<QString> required) {
    if (!acceptTyped(c.op, serviceVlan, QStringLiteral("业务VLAN"))) return false;
    c.settings.write(settings::ServiceInnerVlan, serviceVlan);
    if (std::any_of(required.begin(), required.end(), [](const QString &f) { return f.isEmpty(); })) {
        c.op.notice(QStringLiteral("必填项不能为空，请检查后重试！"), DefaultBoxTitle, BoxIcon::Information);
        return false;
    }
    if (serviceVlan.isEmpty() || serviceVlan == QLatin1String("0")) {
        c.op.notice(QStringLiteral("业务内层VLAN输入有误，请重试！"), ErrorBoxTitle);
        return false;
    }
    return true;
}

} // namespace tw
