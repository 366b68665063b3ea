#pragma once
// The fixed one-line messages of the CLI in both languages: failures a command finds for itself,
// what a command reports once done, and the questions asked before acting ("(y/n)[n]:" follows
// them). Lines with figures in them and whole replies are laid out by the Render files.

#include "Render.h"

namespace tw::sim {

namespace text {

// Failures.
inline constexpr Text NoEmu{"  Failure: The EMU does not exist", "  失败：EMU不存在"};
inline constexpr Text NoInterface{"  Failure: The interface does not exist", "  失败：接口不存在"};
inline constexpr Text NoRoute{"  Failure: The route does not exist", "  失败：路由不存在"};
inline constexpr Text TelnetTimedOut{"  Failure: Connection timed out", "  失败：连接超时"};
inline constexpr Text BoardNotNormal{"  Failure: The board is not in the normal state",
                                     "  失败：单板状态不正常"};
inline constexpr Text NoLoading{"  Failure: No loading operation is in progress",
                                "  失败：当前没有正在进行的加载操作"};
inline constexpr Text NoUpgrade{"  Failure: No upgrade operation is in progress",
                                "  失败：当前没有正在进行的升级操作"};
inline constexpr Text NoRogueOnt{"  Failure: There is no rogue ONT", "  失败：不存在流氓ONT"};
inline constexpr Text NoVlanLoop{"  Failure: There is no loop in VLANs", "  失败：VLAN中不存在环路"};
inline constexpr Text MulticastUserExists{"  Failure: The multicast user already exists",
                                          "  失败：组播用户已经存在"};
inline constexpr Text NoLoadedConfiguration{"  Failure: No configuration file is loaded",
                                            "  失败：没有加载的配置文件"};
inline constexpr Text OpticalModuleAbsent{"  Failure: The optical module is not in position",
                                          "  失败：光模块不在位"};

// Reports. The language switch reports in the language it switched to.
inline constexpr Text LanguageSwitched{"  Info: The language mode is switched to English",
                                       "  提示：语言模式已切换为中文"};
inline constexpr Text SaveBeforeLogout{
    "  Check whether system data has been changed. Please save data before logout.",
    "  请检查系统数据是否已改变，请在注销前保存数据。"};
inline constexpr Text UserModeVersion{"  VERSION : MA5600V800R013C10", "  版本 : MA5600V800R013C10"};
inline constexpr Text EmuReset{"  The EMU is reset, its settings are kept", "  EMU复位成功，配置保持不变"};
inline constexpr Text FlashErased{
    "  The database of the main board is erased, the system is rebooting, please wait...",
    "  主板数据库已擦除，系统正在复位，请稍候..."};
inline constexpr Text Rebooting{"  System is rebooting, please wait...", "  系统正在复位，请稍候..."};
inline constexpr Text SwitchingOver{"  The control boards are switching over, please log on again later",
                                    "  正在进行主备倒换，请稍后重新登录"};
inline constexpr Text SavingConfiguration{
    "  It will take several minutes to save configuration file, please wait...",
    "  保存配置文件需要几分钟时间，请稍候..."};
inline constexpr Text BackedUp{"  The file is backed up successfully", "  文件备份成功"};
inline constexpr Text ConfigurationLoaded{"  The configuration file is loaded, activate it to take effect",
                                          "  配置文件加载成功，激活后生效"};
inline constexpr Text DataLoaded{"  The data file is loaded successfully", "  数据文件加载成功"};
inline constexpr Text ConfigurationActivated{
    "  The configuration is activated, the system is rebooting, please wait...",
    "  配置已激活，系统正在复位，请稍候..."};
inline constexpr Text OntLoadStopped{"  Info: The ONT loading is stopped", "  提示：ONT加载已停止"};

// Questions.
inline constexpr Text ConfirmLogout{"  Are you sure to log out? ", "  确定要注销吗？"};
inline constexpr Text ConfirmEmuReset{"  Are you sure to reset the EMU? ", "  确定要复位EMU吗？"};
inline constexpr Text ConfirmIgmpVersion{"  Are you sure to change the IGMP version? ",
                                         "  确定要修改IGMP版本吗？"};
inline constexpr Text ConfirmIgmpMode{"  Are you sure to change the IGMP mode? ", "  确定要修改IGMP模式吗？"};
inline constexpr Text ConfirmDeletePortOnts{"  Are you sure to delete all the ONTs on the port? ",
                                            "  确定要删除该端口下的所有ONT吗？"};
inline constexpr Text ConfirmOntFactoryReset{"  Are you sure to restore the factory settings of the ONT(s)? ",
                                             "  确定要将ONT恢复出厂设置吗？"};
inline constexpr Text ConfirmOntReset{"  Are you sure to reset the ONT(s)? ", "  确定要复位ONT吗？"};
// A new SN, MAC, LOID or password makes the ONT register again: a numbered choice.
inline constexpr Text ChooseReregister{
    "  The ONT will go offline and register again with the new authentication information.\r\n"
    "  1. Continue\r\n  2. Cancel\r\n  Please select (1-2)[2]:",
    "  ONT将下线并以新的认证信息重新注册。\r\n  1. 继续\r\n  2. 取消\r\n  请选择 (1-2)[2]:"};
inline constexpr Text ConfirmSlowDisplay{"  It will take some time. Are you sure to continue? ",
                                         "  该操作需要一些时间，确定要继续吗？"};
inline constexpr Text ConfirmReleaseServicePorts{"  Are you sure to release service virtual port(s)? ",
                                                 "  确定要删除业务虚端口吗？"};
inline constexpr Text ConfirmDeleteMulticastUsers{"  Are you sure to delete the multicast user(s)? ",
                                                  "  确定要删除组播用户吗？"};
inline constexpr Text ConfirmBoardPowerOff{
    "  The board has services running, powering it off interrupts them. Are you sure to power off the "
    "board? ",
    "  该单板有业务正在运行，关断电源会导致单板业务中断，确定要关断单板吗？"};
inline constexpr Text ConfirmBoardDelete{"  Are you sure to delete the board? ", "  确定要删除该单板吗？"};
inline constexpr Text ConfirmBoardReset{"  Are you sure to reset the board? ", "  确定要复位单板吗？"};
inline constexpr Text ConfirmFlashErase{
    "  The command clears the data loaded or saved on the main board, please back up the configuration data "
    "first\r\n  Are you sure to erase the database of the main board? ",
    "  该命令将清除主板已经加载或保存的数据，请注意备份系统配置数据\r\n  确定要擦除主板数据库吗？"};
inline constexpr Text ConfirmReboot{
    "  Please check whether data has saved, the unsaved data will lose if reboot "
    "system, are you sure to reboot system? ",
    "  请检查数据是否已保存，复位系统将导致未保存的数据丢失，确定要复位系统吗？"};
inline constexpr Text ConfirmSwitchOver{
    "  Are you sure to switch over the active and standby control boards? ", "  确定要进行主备倒换吗？"};
inline constexpr Text ConfirmAntiDosOff{
    "  Disabling the anti-DoS-attack function exposes the system to attacks. "
    "Are you sure to disable it? ",
    "  去使能防DoS攻击功能后系统可能遭受攻击，确定要去使能吗？"};
inline constexpr Text ConfirmAntiIpv6SpoofingOff{
    "  Are you sure to disable the IPv6 anti-spoofing function? ", "  确定要去使能IPv6防欺骗功能吗？"};
inline constexpr Text ConfirmRingCheckOff{
    "  Disabling ring check may let a loop in the network go undetected. Are you sure to disable it? ",
    "  去使能环路检测后网络中的环路将无法被发现，确定要去使能吗？"};
inline constexpr Text ConfirmLoad{"  Are you sure to load the file? ", "  确定要加载文件吗？"};
inline constexpr Text ConfirmBackup{"  Are you sure to back up the file? ", "  确定要备份文件吗？"};
inline constexpr Text ConfirmActivate{"  Are you sure to activate the loaded configuration? ",
                                      "  确定要激活加载的配置吗？"};
inline constexpr Text ConfirmAddVlans{
    "  It will take several minutes, and console may timeout, please use command "
    "idle-timeout to set time limit. Are you sure to add VLANs? ",
    "  该操作需要几分钟，终端可能超时，请用idle-timeout命令设置超时时间。确定要增加VLAN吗？"};
inline constexpr Text ConfirmVlanAttribute{"  Are you sure to change the attribute of the VLAN? ",
                                           "  确定要修改VLAN的属性吗？"};
inline constexpr Text ConfirmVlanDelete{"  Are you sure to delete the VLAN? ", "  确定要删除VLAN吗？"};
inline constexpr Text ConfirmAddStandardPorts{"  Are you sure to add standard port(s)? ",
                                              "  确定要增加标准端口吗？"};
inline constexpr Text ConfirmDeleteStandardPorts{"  Are you sure to delete standard port(s)? ",
                                                 "  确定要删除标准端口吗？"};

} // namespace text

} // namespace tw::sim
