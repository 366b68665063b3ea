#pragma once
// Every section and key of config.ini, with the default most readers use. Readers whose default
// differs pass their own (see the notes beside those keys).

#include <QString>

namespace tw {

struct Setting {
    QString section;
    QString key;
    QString fallback; // what a reader gets when the key is missing, unless it passes its own
};

inline const QString SwitchOn = QStringLiteral("真");
inline const QString SwitchOff = QStringLiteral("假");

namespace settings {

inline QString counterKey(const char16_t *stem, int n) {
    return QString::fromUtf16(stem) + QString::number(n);
}

// Section OLT
inline const Setting OltAddress{QStringLiteral("OLT"), QStringLiteral("IP地址"), {}};
inline const Setting OltPort{QStringLiteral("OLT"), QStringLiteral("端口"), {}};
// "Telnet" or "SSH"; a missing or unknown value is telnet, as before the key existed. Telnet dials
// 端口, SSH dials SSH端口, so each protocol keeps its own port.
inline const Setting OltProtocol{QStringLiteral("OLT"), QStringLiteral("协议"), QStringLiteral("Telnet")};
inline const Setting OltSshPort{QStringLiteral("OLT"), QStringLiteral("SSH端口"), QStringLiteral("22")};
inline const Setting OltAccount{QStringLiteral("OLT"), QStringLiteral("帐号"), {}};
inline const Setting OltPassword{QStringLiteral("OLT"), QStringLiteral("密码"), {}};
inline const Setting OltLabel{QStringLiteral("OLT"), QStringLiteral("标识"), {}};
inline const Setting NoSkin{QStringLiteral("OLT"), QStringLiteral("特殊系统支持"), {}};
// The log writer defaults to on; the control panel's box shows a missing key as unticked.
inline const Setting LogEnabled{QStringLiteral("OLT"), QStringLiteral("开启日志"), QStringLiteral("真")};
inline const Setting AutoReconnect{QStringLiteral("OLT"), QStringLiteral("自动重连"), {}};
inline const Setting AutoServiceFlows{QStringLiteral("OLT"), QStringLiteral("自动建流"), {}};
inline const Setting AutoRegister{QStringLiteral("OLT"), QStringLiteral("自动注册"), {}};
inline const Setting Iptv{QStringLiteral("OLT"), QStringLiteral("开启IPTV"), {}};
inline const Setting AutoMove{QStringLiteral("OLT"), QStringLiteral("自动移机"), {}};

// Section 界面: how the window was left. The heights of the page area and of the console pane,
// "page,console" in pixels; empty: the initial layout.
inline const Setting SplitterSizes{QStringLiteral("界面"), QStringLiteral("分隔位置"), {}};

// Section 基本
inline const Setting Frame{QStringLiteral("基本"), QStringLiteral("框"), QStringLiteral("0")};
inline const Setting Slot{QStringLiteral("基本"), QStringLiteral("板"), QStringLiteral("1")};
inline const Setting Port{QStringLiteral("基本"), QStringLiteral("端口"), QStringLiteral("0")};
inline const Setting ServiceBoard{QStringLiteral("基本"), QStringLiteral("业务板"), QStringLiteral("0/1")};
inline const Setting Period{QStringLiteral("基本"), QStringLiteral("周期"), QStringLiteral("1")};
// Empty in the control panel; "100" at start-up and in service-flow creation.
inline const Setting ServiceOuterVlan{QStringLiteral("基本"), QStringLiteral("业务外层"),
                                      QStringLiteral("100")};
// Empty in the control panel; "100" in the automatic registration's log line.
inline const Setting ServiceInnerVlan{QStringLiteral("基本"), QStringLiteral("业务内层"),
                                      QStringLiteral("41")};
// Start-up defaults; empty elsewhere.
inline const Setting IptvOuterVlan{QStringLiteral("基本"), QStringLiteral("点播外层"),
                                   QStringLiteral("3444")};
inline const Setting IptvInnerVlan{QStringLiteral("基本"), QStringLiteral("点播内层"), QStringLiteral("45")};
inline const Setting MulticastVlan{QStringLiteral("基本"), QStringLiteral("组播VLAN"),
                                   QStringLiteral("3501")};
// Registration defaults; empty in the control panel.
inline const Setting GponLineProfile{QStringLiteral("基本"), QStringLiteral("G线路模板"),
                                     QStringLiteral("1")};
inline const Setting GponServiceProfile{QStringLiteral("基本"), QStringLiteral("G业务模板"),
                                        QStringLiteral("1")};
inline const Setting EponLineProfile{QStringLiteral("基本"), QStringLiteral("E线路模板"),
                                     QStringLiteral("2")};
inline const Setting EponServiceProfile{QStringLiteral("基本"), QStringLiteral("E业务模板"),
                                        QStringLiteral("2")};
inline const Setting DefaultDescription{QStringLiteral("基本"), QStringLiteral("默认备注"), {}};
inline const Setting FirstOntNumber{QStringLiteral("基本"), QStringLiteral("起始编号"), QStringLiteral("0")};
inline const Setting NamingRule{QStringLiteral("基本"), QStringLiteral("注册码规则"),
                                QStringLiteral("0-(B)-(P)-(O)")};
inline const Setting GemPort{QStringLiteral("基本"), QStringLiteral("gemport"), QStringLiteral("1")};
inline const Setting GponDefaultLines{QStringLiteral("基本"), QStringLiteral("GPON缺省"), {}};
inline const Setting GponServiceFlows{QStringLiteral("基本"), QStringLiteral("GPON业务流"), {}};
inline const Setting EponDefaultLines{QStringLiteral("基本"), QStringLiteral("EPON缺省"), {}};
inline const Setting EponServiceFlows{QStringLiteral("基本"), QStringLiteral("EPON业务流"), {}};
inline const Setting BtvLines{QStringLiteral("基本"), QStringLiteral("BTV业务"), {}};
// 递增数值1…4 and 端口数1…4.
inline Setting counter(int n) {
    return {QStringLiteral("基本"), counterKey(u"递增数值", n), {}};
}
inline Setting counterLimit(int n) {
    return {QStringLiteral("基本"), counterKey(u"端口数", n), {}};
}

// Section 配置 (uplink and IP rows of the settings page)
inline const Setting MethIndex{QStringLiteral("配置"), QStringLiteral("接口索引"), QStringLiteral("0")};
inline const Setting MethIp{QStringLiteral("配置"), QStringLiteral("接口IP"), QStringLiteral("10.11.104.2")};
inline const Setting MethMask{QStringLiteral("配置"), QStringLiteral("接口子网掩码"),
                              QStringLiteral("255.255.255.0")};
inline const Setting ManagementVlan{QStringLiteral("配置"), QStringLiteral("管理VLAN"), QStringLiteral("50")};
inline const Setting ManagementIp{QStringLiteral("配置"), QStringLiteral("管理IP"),
                                  QStringLiteral("192.168.88.200")};
inline const Setting ManagementMask{QStringLiteral("配置"), QStringLiteral("管理子网掩码"),
                                    QStringLiteral("255.255.255.0")};
inline const Setting DefaultRouteIp{QStringLiteral("配置"), QStringLiteral("默认IP"),
                                    QStringLiteral("0.0.0.0")};
inline const Setting DefaultRouteMask{QStringLiteral("配置"), QStringLiteral("默认子网掩码"),
                                      QStringLiteral("0.0.0.0")};
inline const Setting DefaultGateway{QStringLiteral("配置"), QStringLiteral("默认网关"),
                                    QStringLiteral("192.168.88.254")};
inline const Setting CreateVlan{QStringLiteral("配置"), QStringLiteral("创建VLAN"), QStringLiteral("100")};
inline const Setting PassThroughBoard{QStringLiteral("配置"), QStringLiteral("透传"), QStringLiteral("0/19")};
inline const Setting CreatePort{QStringLiteral("配置"), QStringLiteral("创建端口"), QStringLiteral("0")};
inline const Setting UplinkBoard{QStringLiteral("配置"), QStringLiteral("默认上联板"),
                                 QStringLiteral("0/19")};
inline const Setting UplinkPort{QStringLiteral("配置"), QStringLiteral("默认端口"), QStringLiteral("0")};
inline const Setting NativeVlan{QStringLiteral("配置"), QStringLiteral("默认VLAN"), QStringLiteral("100")};

// Section 其他 (switches, no default)
inline Setting other(const char16_t *key) {
    return {QStringLiteral("其他"), QString::fromUtf16(key), {}};
}
inline const Setting TimedSave = other(u"定时保存");
inline const Setting IntervalSave = other(u"间隔保存");

// Section 光功率 (the optical power page): the receive-level limits in dBm, the minutes between
// periodic readings (0: off) and the days the history keeps.
inline const Setting OpticalTooLow{QStringLiteral("光功率"), QStringLiteral("过低门限"),
                                   QStringLiteral("-27")};
inline const Setting OpticalLow{QStringLiteral("光功率"), QStringLiteral("偏低门限"), QStringLiteral("-25")};
inline const Setting OpticalOverload{QStringLiteral("光功率"), QStringLiteral("过载门限"),
                                     QStringLiteral("-8")};
inline const Setting OpticalPeriod{QStringLiteral("光功率"), QStringLiteral("周期读取"), QStringLiteral("0")};
inline const Setting OpticalRetention{QStringLiteral("光功率"), QStringLiteral("保留天数"),
                                      QStringLiteral("90")};

// Section 映射: key "slot/port", value the outer service VLAN of that port.
inline Setting portVlan(const QString &slotPort) {
    return {QStringLiteral("映射"), slotPort, {}};
}

} // namespace settings
} // namespace tw
