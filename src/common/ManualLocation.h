#pragma once
// Where the operator's guide (docs/使用说明.md of the source tree) is found for a running program.

#include <QString>

namespace tw {

inline const QString ManualFileName = QStringLiteral("使用说明.md");

// The guide for a program in `executableDir`: an installed program's
// <prefix>/share/doc/tarnwick/使用说明.md, a copy beside the program (a portable install), or the
// docs/ folder of the source tree a build tree stands in (a few levels up). Empty when none is found.
QString manualPath(const QString &executableDir);

} // namespace tw
