// The displays of the GPON and EPON interface modes about an ONT's traffic and registration and
// about the ports.
#include "Render.h"

namespace tw::sim {

QString renderOntTraffic(Lang l) {
    QString out = rule(43);
    out += tr(l, "  Up traffic   (kbps) : ", "  上行流量(kbps)       : ") + "1536\r\n";
    out += tr(l, "  Down traffic (kbps) : ", "  下行流量(kbps)       : ") + "20480\r\n";
    return out + rule(43);
}

QString renderRegisterInfo(Lang l, const Ont &o) {
    QString out = rule();
    appendField(out, tr(l, "Index", "索引"), "1", 16);
    appendField(out, tr(l, "Type", "类型"), o.online() ? tr(l, "online", "上线") : tr(l, "offline", "下线"),
                16);
    appendField(out, tr(l, "Up time", "上线时间"), o.lastUp, 16);
    appendField(out, tr(l, "Down time", "下线时间"), o.lastDown, 16);
    appendField(out, tr(l, "Down cause", "下线原因"), o.lastDownCause, 16);
    return out + rule();
}

QString renderPonPortInfo(const Device &d, Lang l, PortRef at) {
    const auto onts = d.ontsOn(at);
    int online = 0;
    for (const Ont *o : onts)
        online += o->online();
    QString out = rule();
    appendField(out, "F/S/P", at.text(), 30);
    appendField(out, tr(l, "Port state", "端口状态"), tr(l, "Online", "在线"), 30);
    appendField(out, tr(l, "Laser state", "激光器状态"), tr(l, "Normal", "正常"), 30);
    appendField(out, tr(l, "Available bandwidth(Kbps)", "可用带宽(Kbps)"), "1180000", 30);
    appendField(out, tr(l, "Temperature(C)", "温度(C)"), "43", 30);
    appendField(out, tr(l, "TX power(dBm)", "发送光功率(dBm)"), "3.72", 30);
    const auto af = d.autofindDisabled.find(at.text());
    appendField(out, tr(l, "Auto find ONT", "ONT自动发现"),
                af != d.autofindDisabled.end() && af->second ? tr(l, "Disable", "去使能")
                                                             : tr(l, "Enable", "使能"),
                30);
    appendField(out, tr(l, "ONTs registered", "已注册ONT数"), QString::number(onts.size()), 30);
    appendField(out, tr(l, "ONTs online", "在线ONT数"), QString::number(online), 30);
    return out + rule();
}

QString renderPonPortStates(const Device &d, Lang l, const std::vector<PortRef> &ports) {
    QString out;
    for (const PortRef &at : ports) {
        out += rule();
        appendField(out, "F/S/P", at.text(), 30);
        appendField(out, tr(l, "Optical Module status", "光模块状态"), tr(l, "Online", "在位"), 30);
        appendField(out, tr(l, "Port state", "端口状态"), tr(l, "Online", "在线"), 30);
        appendField(out, tr(l, "Laser state", "激光器状态"), tr(l, "Normal", "正常"), 30);
        appendField(out, tr(l, "ONTs registered", "已注册ONT数"), QString::number(d.ontsOn(at).size()), 30);
    }
    return out + rule();
}

} // namespace tw::sim
