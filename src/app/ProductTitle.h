#pragma once

#include <QString>

namespace tw {

// The window's title before the OLT's 标识 is added, and the about box's heading.
inline const QString ProductTitle = QStringLiteral("Tarnwick v" TARNWICK_VERSION);

} // namespace tw
