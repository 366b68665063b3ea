#pragma once
// The check the setup forms of "基本设置" and "标准开局" make before their fields are checked one by
// one (common/InputCheck) and anything is asked or sent.

#include <QString>

#include <initializer_list>

namespace tw {

class Operator;

// The notice for a required field left empty.
inline const QString RequiredNotice = QStringLiteral("必填项不能为空，请检查！");

// False, after the required-field notice, when any of the values is empty.
bool requireFilled(Operator &op, std::initializer_list<QString> values);

} // namespace tw
