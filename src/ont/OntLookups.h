#pragma once
// The inspection items of the ONT menus: status, service index, optical power, traffic,
// registration and PON port information, versions. Each sends one display script; the answer
// shows in the console (and where the router has a rule for it).

#include "ont/OntOperation.h"

namespace tw {

// The eleven items of the ONT list's menu.
const QList<OntMenuOperation> &inspectionOperations();
// "查看ONT版本信息" of the version grid's menu (the row of that grid).
const OntMenuOperation &versionInspection();

// "查看选中端口所有ONT收光功率": the listing of every ONT's optical levels on the ONT's port, in its
// interface mode (`kind` "gpon" or "epon"), with the confirmation answered, and back out.
QString portOpticalScript(const OntRef &ont, const QString &kind);

inline const QString ClearConsoleQuestion = QStringLiteral("命令行查看数据前是否清屏历史信息？");
inline const QString InspectionNotice = QStringLiteral("命令已执行，请在命令行查看详细信息！");

} // namespace tw
