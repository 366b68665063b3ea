#pragma once
// The program's icon, painted: a blue tile with an OLT port fanning out to three fibres.

#include <QIcon>

namespace tw {

QIcon paintAppIcon();

} // namespace tw
