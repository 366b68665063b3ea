#pragma once
// The service-flow and multicast deletions of the "删除ONT" menu: by typed index or VLAN, or for
// the selected row's port or board.

#include "ont/OntOperation.h"

namespace tw {

const QList<OntMenuOperation> &flowDeletionOperations();

} // namespace tw
