// The network displays: the routing table, IP interfaces, the ARP table, VLANs and IP statistics.
#include "Render.h"

#include <algorithm>

namespace tw::sim {

QString renderRoutingTable(Lang l, const std::vector<Route> &list) {
    QString out = tr(l, "  Route Flags: R - relay, D - download to fib\r\n",
                     "  路由标志：R - 中继，D - 下发到转发表\r\n");
    out += rule(78);
    out += tr(l, "  Routing Tables: Public\r\n", "  路由表：公网\r\n");
    out += QStringLiteral("         %1 : %2        %3 : %4\r\n\r\n")
               .arg(tr(l, "Destinations", "目的地址数"))
               .arg(list.size())
               .arg(tr(l, "Routes", "路由数"))
               .arg(list.size());
    const char *const heading[][2] = {{"Destination/Mask", "目的地址/掩码"},
                                      {"Proto", "协议"},
                                      {"Pre", "优先"},
                                      {"Cost", "开销"},
                                      {"Flags", "标志"},
                                      {"NextHop", "下一跳"},
                                      {"Interface", "接口"}};
    const int widths[] = {20, 8, 5, 10, 6, 16, 0};
    out += "  ";
    for (size_t i = 0; i < std::size(widths); ++i)
        appendPadded(out, tr(l, heading[i][0], heading[i][1]), widths[i]);
    out += "\r\n\r\n";
    for (const Route &r : list) {
        out += "  ";
        appendRightAligned(out, ipv4Text(r.destination) + '/' + QString::number(r.length), 18);
        out += "  ";
        appendPadded(out, r.proto, 8);
        appendPadded(out, r.proto == "Static" ? "60" : "0", 5);
        appendPadded(out, "0", 10);
        appendRightAligned(out, r.flags, 5);
        out += ' ';
        appendPadded(out, ipv4Text(r.nextHop), 16);
        out += r.interface + "\r\n";
    }
    return out;
}

QString renderIpInterfaces(const Device &d, Lang l) {
    const auto &list = d.ipInterfaces;
    // An interface without an address is up but carries no protocol.
    const auto up =
        std::count_if(list.begin(), list.end(), [](const IpInterface &i) { return !i.address.isEmpty(); });
    const QString n = QString::number(list.size());
    QString out = tr(l, "  *down: administratively down\r\n  (l): loopback\r\n  (s): spoofing\r\n",
                     "  *down：管理关闭\r\n  (l)：环回\r\n  (s)：欺骗\r\n");
    out += tr(l, "  The number of interface that is UP in Physical is ", "  物理状态为UP的接口数目：") + n +
           "\r\n";
    out += tr(l, "  The number of interface that is DOWN in Physical is 0\r\n",
              "  物理状态为DOWN的接口数目：0\r\n");
    out += tr(l, "  The number of interface that is UP in Protocol is ", "  协议状态为UP的接口数目：") +
           QString::number(up) + "\r\n";
    out += tr(l, "  The number of interface that is DOWN in Protocol is ", "  协议状态为DOWN的接口数目：") +
           QString::number(list.size() - up) + "\r\n\r\n";
    out += "  ";
    appendPadded(out, tr(l, "Interface", "接口"), 34);
    appendPadded(out, tr(l, "IP Address/Mask", "IP地址/掩码"), 21);
    appendPadded(out, tr(l, "Physical", "物理状态"), 11);
    out += tr(l, "Protocol", "协议状态") + "\r\n";
    for (const IpInterface &i : list) {
        out += "  ";
        appendPadded(out, i.name, 34);
        const auto length = parseMaskLength(i.mask);
        appendPadded(
            out, i.address.isEmpty() || !length ? "unassigned" : i.address + '/' + QString::number(*length),
            21);
        out += i.address.isEmpty() ? "up         down\r\n" : "up         up\r\n";
    }
    return out;
}

QString renderArpTable(const Device &d, Lang l) {
    QStringList rows;
    for (const Route &r : routeTable(d)) {
        if (r.proto != "Static" || r.interface == "-") continue;
        const QString vlan = r.interface.startsWith("vlanif") ? r.interface.mid(6) : "-";
        const Vlan *v = d.vlan(vlan.toInt());
        QString row = "  ";
        appendPadded(row, ipv4Text(r.nextHop), 16);
        appendPadded(row,
                     QStringLiteral("0018-82%1-%2")
                         .arg(r.nextHop >> 8 & 255, 2, 16, QLatin1Char('0'))
                         .arg(r.nextHop & 0xFFFF, 4, 16, QLatin1Char('0')),
                     16);
        appendPadded(row, vlan, 6);
        appendPadded(row, v && !v->ports.isEmpty() ? v->ports.first() : r.interface, 11);
        rows << row + tr(l, "dynamic", "动态");
    }
    rows.removeDuplicates();
    QString out = "  ";
    appendPadded(out, tr(l, "IP address", "IP地址"), 16);
    appendPadded(out, tr(l, "MAC address", "MAC地址"), 16);
    appendPadded(out, "VLAN", 6);
    appendPadded(out, tr(l, "Port", "端口"), 11);
    out += tr(l, "Type", "类型") + "\r\n" + rule(60);
    for (const QString &row : rows)
        out += row + "\r\n";
    out += rule(60);
    out += QStringLiteral("  %1: %2       %3: %2       %4: 0\r\n")
               .arg(tr(l, "Total", "总数"))
               .arg(rows.size())
               .arg(tr(l, "Dynamic", "动态"), tr(l, "Static", "静态"));
    return out;
}

QString renderPortVlans(Lang l, const std::vector<const Vlan *> &list, int nativeVlan) {
    QString out = rule(31);
    out += tr(l, "   VLAN  Type     Attribute\r\n", "   VLAN  类型     属性\r\n");
    out += rule(31);
    for (const Vlan *v : list) {
        out += "  ";
        appendRightAligned(out, QString::number(v->id), 5);
        out += "  ";
        appendPadded(out, v->type, 9);
        out += v->attrib + "\r\n";
    }
    out += rule(31);
    out += QStringLiteral("  %1  %2      %3  %4\r\n")
               .arg(tr(l, "Total:", "总数:"))
               .arg(list.size())
               .arg(tr(l, "Native VLAN:", "缺省VLAN:"))
               .arg(nativeVlan);
    return out;
}

QString renderVlanList(const Device &d, Lang l) {
    const char *const heading[][2] = {{"VLAN", "VLAN"},
                                      {"Type", "类型"},
                                      {"Attribute", "属性"},
                                      {"STND-Port NUM", "标准端口数"},
                                      {"SERV-Port NUM", "业务虚端口数"},
                                      {"VLAN-Con NUM", "VLAN连接数"}};
    const int widths[] = {6, 9, 12, 15, 15, 0};
    QString out = rule(74) + "    ";
    for (size_t i = 0; i < std::size(widths); ++i)
        appendPadded(out, tr(l, heading[i][0], heading[i][1]), widths[i]);
    out += "\r\n" + rule(74);
    for (const Vlan &v : d.vlans) {
        int sps = 0;
        for (const ServicePort &sp : d.servicePorts)
            sps += sp.vlan == v.id;
        out += "  ";
        appendRightAligned(out, QString::number(v.id), 6);
        out += "  ";
        appendPadded(out, v.type, 9);
        appendPadded(out, v.attrib, 10);
        appendRightAligned(out, QString::number(v.ports.size()), 15);
        appendRightAligned(out, QString::number(sps), 15);
        out += "             -\r\n";
    }
    out += rule(74);
    out += tr(l, "  Total: ", "  总数: ") + QString::number(d.vlans.size()) + "\r\n";
    if (l == Lang::English) // the Chinese headings need no key
        out += "  Note : STND-Port--standard port, SERV-Port--service virtual port,\r\n"
               "         VLAN-Con--vlan-connect\r\n";
    return out;
}

QString renderVlanCounts(const Device &d, Lang l) {
    int smart = 0, standard = 0, mux = 0, super = 0;
    for (const Vlan &v : d.vlans) {
        smart += v.type == "smart";
        standard += v.type == "standard";
        mux += v.type == "mux";
        super += v.type == "super";
    }
    return QStringLiteral("  %1: %2\r\n  smart: %3\r\n  standard: %4\r\n  mux: %5\r\n  super: %6\r\n")
        .arg(tr(l, "Total VLANs", "VLAN总数"))
        .arg(d.vlans.size())
        .arg(smart)
        .arg(standard)
        .arg(mux)
        .arg(super);
}

QString renderVlan(Lang l, const Vlan &v) {
    QString out;
    appendField(out, tr(l, "VLAN ID", "VLAN ID"), QString::number(v.id), 16);
    appendField(out, tr(l, "VLAN type", "VLAN类型"), v.type, 16);
    appendField(out, tr(l, "VLAN attribute", "VLAN属性"), v.attrib, 16);
    appendField(out, tr(l, "VLAN description", "VLAN描述"), v.desc, 16);
    appendField(out, tr(l, "Uplink ports", "上行端口"), v.ports.isEmpty() ? "-" : v.ports.join(' '), 16);
    return out;
}

QString renderIpStatistics(Lang l) {
    return tr(l,
              "  Input:   packets 1893412, bad checksum 0, bad header length 0\r\n"
              "  Output:  packets 1744120, forwarded 0, dropped 0\r\n",
              "  接收:    报文 1893412, 校验和错误 0, 头长度错误 0\r\n"
              "  发送:    报文 1744120, 转发 0, 丢弃 0\r\n");
}

} // namespace tw::sim
