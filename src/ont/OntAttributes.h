#pragma once
// The "修改ONT" items: a new line or service profile, SN, LOID, password or description for the
// selected ONT, sent as "ont modify" inside its PON interface.

#include "ont/OntOperation.h"

namespace tw {

const QList<OntMenuOperation> &attributeOperations();

} // namespace tw
