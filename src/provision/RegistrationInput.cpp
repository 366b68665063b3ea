#include "provision/RegistrationInput.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"

#include <algorithm>

namespace tw {

bool acceptPonPort(Operator &op, const QString &frame, const QString &slot, const QString &port) {
    return checkFields(op, {{frame, u"机框", FieldKind::Frame},
                            {slot, u"业务板", FieldKind::Slot},
                            {port, u"端口", FieldKind::Port}});
}

std::optional<QString> oneWord(Operator &op, const QString &value, const QString &field) {
    const bool plain =
        std::none_of(value.begin(), value.end(), [](QChar c) { return isBlank(c) || c == u'"'; });
    if (!plain) return quotedWord(op, value, field);
    if (!acceptTyped(op, value, field)) return std::nullopt;
    return value;
}

bool checkRegisterTab(PageContext &c, const QString &serviceVlan, std::initializer_list<QString> required) {
    if (std::any_of(required.begin(), required.end(), [](const QString &f) { return f.isEmpty(); })) {
        c.op.notice(QStringLiteral("必填项不能为空，请检查后重试！"), DefaultBoxTitle, BoxIcon::Information);
        return false;
    }
    return acceptField(c.op, serviceVlan, QStringLiteral("业务VLAN"), FieldKind::Vlan);
}

void storeServiceVlan(PageContext &c, const QString &serviceVlan) {
    c.settings.write(settings::ServiceInnerVlan, serviceVlan);
}

} // namespace tw
