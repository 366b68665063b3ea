#pragma once
// Checks the registration flows share before they build a script from the operator's fields.

#include "common/PageContext.h"

#include <QString>

#include <initializer_list>
#include <optional>

namespace tw {

class Operator;

// Frame, board and port must be numbers in the CLI's ranges: a failed interface line would leave
// the lines after it, and the closing "quit", to configuration mode. Refused with a notice naming
// the field otherwise.
bool acceptPonPort(Operator &op, const QString &frame, const QString &slot, const QString &port);

// A typed value the OLT must take as one word (a description, a code): as typed when it holds no
// blank, else in double quotes. Nullopt after a notice naming the field when it holds a line
// break or other control character, or a double quote in a value that needs quoting.
std::optional<QString> oneWord(Operator &op, const QString &value, const QString &field);

// What a registration from "ONT 注册" starts with: refuses an empty required field and a
// "业务VLAN：" that is not a VLAN. Stores nothing.
bool checkRegisterTab(PageContext &c, const QString &serviceVlan, std::initializer_list<QString> required);

// Once a registration went out: the "业务VLAN：" box as 基本 / 业务内层, which the service flows of
// the OLT's reply use.
void storeServiceVlan(PageContext &c, const QString &serviceVlan);

} // namespace tw
