#pragma once
// The checks the setup forms of "基本设置" and "标准开局" make before anything is asked or sent.

#include <QString>

#include <initializer_list>

namespace tw {

class Operator;

// The notice for a required field left empty.
inline const QString RequiredNotice = QStringLiteral("必填项不能为空，请检查！");

// A typed value and the field it came from, as the operator knows it.
struct FormField {
    QString value;
    QString name;
};

// False, after the required-field notice, when any of the values is empty.
bool requireFilled(Operator &op, std::initializer_list<QString> values);

// Every value free of line breaks and other control characters; stops at the first that is not,
// after a notice naming its field.
bool acceptFields(Operator &op, std::initializer_list<FormField> fields);

// Decimal digits only, at least one: what a VLAN, a profile ID or an interface index must be for
// the line that enters its mode to work.
bool isNumber(const QString &text);

// Every value a number; stops at the first that is not, after a notice naming its field.
bool acceptNumbers(Operator &op, std::initializer_list<FormField> fields);

} // namespace tw
