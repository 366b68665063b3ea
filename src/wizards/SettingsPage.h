#pragma once

#include <QWidget>

class QTabWidget;

namespace tw {

class BackupGroupWidget;
class BasicConfigTab;
class FanTab;
class OtherGroupWidget;
struct PageContext;
class StartupFields;
class SystemGroupWidget;
class UplinkTab;

// Page 6: "基本配置" / "上行管理" / "风扇配置", the groups "系统功能" and "其他" and the
// backup/restore group. Each tab and group is a widget of its own.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    SettingsPage(PageContext &context, QWidget *parent = nullptr);
    // The IP and uplink rows (section 配置), then the switches of section 其他.
    // The fields this page restores at start-up and stores as they are edited.
    void registerStartupFields(StartupFields &fields) const;

    QTabWidget *tabs;
    BasicConfigTab *basicTab;
    UplinkTab *uplinkTab;
    FanTab *fanTab;
    SystemGroupWidget *systemGroup;
    OtherGroupWidget *otherGroup;
    BackupGroupWidget *backupGroup;
};

} // namespace tw
