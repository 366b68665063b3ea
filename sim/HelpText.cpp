// The descriptions "?" prints for the keywords of every mode, and the parameters of the commands.
#include "Help.h"

namespace tw::sim::help {

namespace {

const std::map<QString, Text> &keywords() {
    static const std::map<QString, Text> table = {
        // Words that mean the same wherever they stand.
        {"active", {"Activate a loaded configuration", "激活加载的配置"}},
        {"alarm", {"Alarm operations", "告警操作"}},
        {"arp", {"ARP configuration", "ARP配置"}},
        {"attrib", {"Set the attribute of a VLAN", "设置VLAN属性"}},
        {"autofind", {"Display the automatically found ONTs", "显示自动发现的ONT"}},
        {"autosave", {"Configure the automatic saving of data", "配置数据自动保存"}},
        {"backup", {"Back up a file to a TFTP server", "备份文件到TFTP服务器"}},
        {"bind", {"Bind VLANs to a VLAN service profile", "将VLAN绑定VLAN业务模板"}},
        {"board", {"Board operations", "单板操作"}},
        {"btv", {"Enter the BTV mode", "进入BTV模式"}},
        {"callinfo", {"Display the CPU and memory occupancy", "显示CPU和内存占用率"}},
        {"check", {"Loop detection on the network", "网络环路检测"}},
        {"clear", {"Clear the active alarms", "清除活动告警"}},
        {"commit", {"Commit the profile so that it takes effect", "提交模板使其生效"}},
        {"config", {"Enter the configuration mode", "进入配置模式"}},
        {"configuration", {"The configuration data", "配置数据"}},
        {"confirm", {"Confirm the automatically found ONTs of a port", "确认端口下自动发现的ONT"}},
        {"current-configuration", {"Display the current configuration", "显示当前配置"}},
        {"data", {"Data", "数据"}},
        {"dba-profile", {"Configure a DBA profile", "配置DBA模板"}},
        {"ddm-info", {"Display the DDM parameters of an optical module", "显示光模块DDM参数"}},
        {"deactivate", {"Deactivate ONTs", "去激活ONT"}},
        {"desc", {"Set the description of a VLAN", "设置VLAN描述"}},
        {"diagnose", {"Enter the diagnosis mode", "进入诊断模式"}},
        {"display", {"Display information", "显示信息"}},
        {"erase", {"Erase data", "擦除数据"}},
        {"factory-setting-restore", {"Restore the factory settings of ONTs", "ONT恢复出厂设置"}},
        {"fan", {"Fan configuration", "风扇配置"}},
        {"fec-upstream", {"Configure upstream FEC", "配置上行FEC"}},
        {"flash", {"The flash memory", "闪存"}},
        {"forwarding", {"Set the forwarding mode", "设置转发模式"}},
        {"gem", {"GEM port configuration", "GEM端口配置"}},
        {"idle-timeout", {"Set the idle time-out of the terminal", "设置终端空闲超时时间"}},
        {"interface", {"Enter an interface mode", "进入接口模式"}},
        {"io-packetfile", {"Display the loaded I/O packet files", "显示IO包文件信息"}},
        {"ip", {"IP configuration", "IP配置"}},
        {"ipconfig", {"Configure the IP address of an ONT", "配置ONT的IP地址"}},
        {"language-mode", {"Switch the language mode", "切换语言模式"}},
        {"llid", {"Bind the LLID to a DBA profile", "LLID绑定DBA模板"}},
        {"load", {"Load a file from a TFTP server", "从TFTP服务器加载文件"}},
        {"mapping", {"Map a service to a GEM port", "配置GEM端口映射"}},
        {"mapping-mode", {"Set the GEM mapping mode", "设置GEM映射模式"}},
        {"match", {"Program match", "节目匹配"}},
        {"modify", {"Modify the registration of an ONT", "修改ONT注册信息"}},
        {"multicast-forward", {"Set the multicast forwarding mode", "设置组播转发模式"}},
        {"multicast-vlan", {"Configure a multicast VLAN", "配置组播VLAN"}},
        {"native-vlan", {"Set the native VLAN of an uplink port", "设置上行端口的缺省VLAN"}},
        {"omcc", {"Configure the OMCC channel", "配置OMCC通道"}},
        {"ont-lineprofile", {"Configure an ONT line profile", "配置ONT线路模板"}},
        {"ont-load", {"ONT loading", "ONT加载"}},
        {"ont-port", {"Set the number of ports of each type of the ONT", "设置ONT各类端口数目"}},
        {"ont-srvprofile", {"Configure an ONT service profile", "配置ONT业务模板"}},
        {"opticstate", {"Display the state of the optical modules", "显示光模块状态"}},
        {"optical-info", {"Display the optical parameters of ONTs", "显示ONT光参数"}},
        {"power", {"Display the power consumption", "显示功耗"}},
        {"progress", {"Display the progress of a load or upgrade", "显示加载或升级进度"}},
        {"proxy", {"ARP proxy", "ARP代理"}},
        {"quit", {"Quit the current mode", "退出当前模式"}},
        {"reboot", {"Restart", "复位"}},
        {"register-info", {"Display the registrations of ONTs", "显示ONT注册信息"}},
        {"return", {"Return to the privileged mode", "返回特权模式"}},
        {"ring", {"Ring check", "环路检测"}},
        {"rogueont", {"Display rogue ONTs", "显示流氓ONT"}},
        {"route-static", {"Static route", "静态路由"}},
        {"routing-table", {"Display the routing table", "显示路由表"}},
        {"runstat", {"Display the running state", "显示运行状态"}},
        {"save", {"Save the data", "保存数据"}},
        {"scroll", {"Set the number of lines of a screen", "设置一屏显示的行数"}},
        {"security", {"Security features", "安全特性"}},
        {"select", {"Select the ONTs to load", "选择要加载的ONT"}},
        {"service-port", {"Configure a service virtual port", "配置业务虚端口"}},
        {"service-profile", {"Configure a VLAN service profile", "配置VLAN业务模板"}},
        {"start", {"Start loading", "开始加载"}},
        {"statistics", {"Display statistics", "显示统计信息"}},
        {"stop", {"Stop loading", "停止加载"}},
        {"switch", {"Switch", "切换"}},
        {"switch-over", {"Switch over the control boards", "主备倒换"}},
        {"sync", {"Data synchronisation", "数据同步"}},
        {"sysname", {"Set the name of the system", "设置系统名称"}},
        {"system", {"The system", "系统"}},
        {"tcont", {"Bind a T-CONT to a DBA profile", "T-CONT绑定DBA模板"}},
        {"telnet", {"Log on to another device", "登录其他设备"}},
        {"temperature", {"Display the board temperatures", "显示单板温度"}},
        {"time", {"Display the system time", "显示系统时间"}},
        {"traffic-suppress", {"Display the traffic suppression", "显示流量抑制"}},
        {"undo", {"Cancel a configuration", "取消配置"}},
        {"uplink-port", {"Set the IGMP uplink port", "设置IGMP上行端口"}},
        {"user-bridging", {"Bridging between the users of the VLAN", "VLAN内用户间桥接"}},
        {"vlan", {"Create a VLAN", "创建VLAN"}},
        // Words whose meaning depends on where they stand.
        {"active configuration system", {"Activate the loaded configuration", "激活加载的配置"}},
        {"alarm active", {"The active alarms", "活动告警"}},
        {"display alarm", {"Display alarms", "显示告警"}},
        {"display alarm active", {"Display the active alarms", "显示活动告警"}},
        {"display arp", {"Display the ARP table", "显示ARP表"}},
        {"display board", {"Display board information", "显示单板信息"}},
        {"display data", {"Display data information", "显示数据信息"}},
        {"display dba-profile", {"Display DBA profiles", "显示DBA模板"}},
        {"display fan", {"Display fan information", "显示风扇信息"}},
        {"display fan alarm", {"Display the fan alarm masks", "显示风扇告警屏蔽"}},
        {"display fan environment", {"Display the environment of the fans", "显示风扇环境信息"}},
        {"display fan speed", {"Display the fan speed mode", "显示风扇调速模式"}},
        {"display fan system", {"Display the fan system parameters", "显示风扇系统参数"}},
        {"display igmp", {"Display IGMP information", "显示IGMP信息"}},
        {"display igmp user", {"Display the multicast users", "显示组播用户"}},
        {"display ip", {"Display IP information", "显示IP信息"}},
        {"display ip interface", {"Display the IP interfaces", "显示IP接口"}},
        {"display ip statistics", {"Display the IP statistics", "显示IP统计"}},
        {"display ont", {"Display ONT information", "显示ONT信息"}},
        {"display ont info", {"Display the information of ONTs", "显示ONT的信息"}},
        {"display ont traffic", {"Display the traffic of an ONT", "显示ONT流量"}},
        {"display ont version", {"Display the versions of ONTs", "显示ONT版本"}},
        {"display ont-lineprofile", {"Display ONT line profiles", "显示ONT线路模板"}},
        {"display ont-load", {"Display the ONT loading state", "显示ONT加载状态"}},
        {"display ont-srvprofile", {"Display ONT service profiles", "显示ONT业务模板"}},
        {"display port", {"Display port information", "显示端口信息"}},
        {"display port info", {"Display the information of a port", "显示端口信息"}},
        {"display port state", {"Display the state of ports", "显示端口状态"}},
        {"display port traffic", {"Display the traffic of a port", "显示端口流量"}},
        {"display port vlan", {"Display the VLANs of a port", "显示端口的VLAN"}},
        {"display service-port", {"Display service virtual ports", "显示业务虚端口"}},
        {"display statistics", {"Display statistics", "显示统计信息"}},
        {"display version", {"Display the version", "显示版本"}},
        {"display vlan", {"Display VLANs", "显示VLAN"}},
        {"erase flash data", {"Erase the database of the main board", "擦除主板数据库"}},
        {"fan alarmset", {"Set the fan alarm masks", "设置风扇告警屏蔽"}},
        {"fan speed", {"Fan speed", "风扇转速"}},
        {"fan speed adjust", {"Set the fan speed level", "设置风扇转速档位"}},
        {"fan speed mode", {"Set the fan speed mode", "设置风扇调速模式"}},
        {"gem add", {"Add a GEM port", "增加GEM端口"}},
        {"igmp", {"IGMP configuration", "IGMP配置"}},
        {"igmp match mode", {"Set the program match mode", "设置节目匹配模式"}},
        {"igmp mode", {"Set the IGMP mode", "设置IGMP模式"}},
        {"igmp user", {"Multicast users", "组播用户"}},
        {"igmp user add", {"Add a multicast user", "增加组播用户"}},
        {"igmp user delete", {"Delete multicast users", "删除组播用户"}},
        {"igmp version", {"Set the IGMP version", "设置IGMP版本"}},
        {"ip address", {"Set the IP address of the interface", "设置接口IP地址"}},
        {"ip route-static", {"Add a static route", "增加静态路由"}},
        {"ont", {"ONT configuration", "ONT配置"}},
        {"ont activate", {"Activate ONTs", "激活ONT"}},
        {"ont add", {"Add an ONT", "增加ONT"}},
        {"ont delete", {"Delete ONTs", "删除ONT"}},
        {"ont reset", {"Reset ONTs", "复位ONT"}},
        {"ont-load info", {"Set the file to load", "设置加载文件"}},
        {"port", {"Add ports to a VLAN", "VLAN增加端口"}},
        {"port vlan", {"Add uplink ports to a VLAN", "VLAN增加上行端口"}},
        {"reboot system", {"Restart the system", "复位系统"}},
        {"reset", {"Reset the EMU", "复位EMU"}},
        {"ring check", {"Loop detection on the network", "网络环路检测"}},
        {"switch language-mode", {"Switch between English and Chinese", "切换中英文模式"}},
        {"system switch-over", {"Switch over the control boards", "主备倒换"}},
        {"undo interface", {"Delete a VLAN interface", "删除VLAN接口"}},
        {"undo ip", {"Cancel an IP configuration", "取消IP配置"}},
        {"undo ip address", {"Delete the IP address of the interface", "删除接口IP地址"}},
        {"undo ip route-static", {"Delete a static route", "删除静态路由"}},
        {"undo multicast-vlan", {"Delete a multicast VLAN", "删除组播VLAN"}},
        {"undo port", {"Delete ports from a VLAN", "VLAN删除端口"}},
        {"undo port vlan", {"Delete uplink ports from a VLAN", "VLAN删除上行端口"}},
        {"undo service-port", {"Delete service virtual ports", "删除业务虚端口"}},
        {"undo vlan", {"Delete a VLAN", "删除VLAN"}},
        {"user:enable", {"Enter the privileged mode", "进入特权模式"}},
        {"privileged:enable", {"Enter the privileged mode", "进入特权模式"}},
        {"config:enable", {"Enter the privileged mode", "进入特权模式"}},
        {"vlan service-profile", {"Configure a VLAN service profile", "配置VLAN业务模板"}},
        {"pon:port", {"Configure a PON port", "配置PON端口"}},
        {"srv:port", {"Configure the ports of the ONT", "配置ONT端口"}},
        {"srv:port vlan", {"Set the VLAN of an ONT port", "设置ONT端口的VLAN"}},
        {"srv:port eth", {"Configure an Ethernet port of the ONT", "配置ONT以太网端口"}},
        {"srv:native-vlan", {"Set the native VLAN of an ONT port", "设置ONT端口的缺省VLAN"}},
        {"mvlan:igmp", {"IGMP of the multicast VLAN", "组播VLAN的IGMP配置"}},
        {"mvlan:multicast-vlan", {"Enter another multicast VLAN", "进入其他组播VLAN"}},
        {"ip:arp", {"ARP of the interface", "接口ARP配置"}},
    };
    return table;
}

} // namespace

const Text *keywordText(const QString &scope, const QString &path) {
    const auto &table = keywords();
    for (const QString &key : {scope + ':' + path, path, path.section(' ', -1)})
        if (const auto it = table.find(key); it != table.end()) return &it->second;
    return nullptr;
}

QString scopeOf(ModeKind kind) {
    switch (kind) {
    case ModeKind::User:
        return "user";
    case ModeKind::Privileged:
        return "privileged";
    case ModeKind::Config:
        return "config";
    case ModeKind::InterfacePon:
        return "pon";
    case ModeKind::InterfaceGiu:
        return "giu";
    case ModeKind::InterfaceEmu:
        return "emu";
    case ModeKind::InterfaceOther:
        return "if";
    case ModeKind::InterfaceIp:
        return "ip";
    case ModeKind::Btv:
        return "btv";
    case ModeKind::Diagnose:
        return "diagnose";
    case ModeKind::LineProfile:
        return "line";
    case ModeKind::SrvProfile:
        return "srv";
    case ModeKind::VlanSrvProfile:
        return "vlansrv";
    case ModeKind::MulticastVlan:
        return "mvlan";
    }
    return {};
}

} // namespace tw::sim::help
