#pragma once
// Deleting, activating, deactivating, resetting and factory-restoring ONTs from the ONT list's
// menu, on the selected ONT, its port or its board.

#include "ont/OntOperation.h"

namespace tw {

// The thirteen items, by caption.
const QList<OntMenuOperation> &lifecycleOperations();

// The question asked before a deletion when IPTV is on.
inline const QString MulticastQuestion = QStringLiteral("该端口可能存在组播数据，是否同时删除组播数据");

// Before a deletion on the row's port (or its whole board): with IPTV on, asks the multicast
// question and on Yes removes the multicast users in their own write. False ends the deletion
// (No, or the write was lost).
bool multicastUsersFirst(PageContext &c, const OntRef &o, bool wholeBoard);

// The multicast-user deletions of a port and of a board, each in its own btv script.
QString portMulticastDeletion(const OntRef &o);
QString boardMulticastDeletion(const OntRef &o);

} // namespace tw
