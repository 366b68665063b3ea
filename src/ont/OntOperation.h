#pragma once
// What the operations of the ONT menus share: what they work with, the order in which an
// operation that changes the OLT sends, logs and notifies, and the row's texts in their messages.

#include "common/PageContext.h"
#include "ont/OntRef.h"

#include <QList>
#include <QString>

#include <functional>

namespace tw {

// The closing notice of the operations that change ONTs.
QString requeryNotice(const QString &what);

// A question, log line or notice with the row's texts put in, in one pass (a cell may itself hold
// a "%"): %P the port, %N the ONT id, %S the serial, %B the board, %V a typed value.
QString fillRow(QStringView pattern, const OntRef &ont, const QString &value = {});

// One item of an ONT grid's menu: its caption and what it does with the current row. True when
// something was sent.
struct OntMenuOperation {
    const char16_t *caption;
    std::function<bool(PageContext &, const OntRef &)> run;
};

} // namespace tw
