#pragma once
// The "标准开局" fields as a first start shows them, with the four profile IDs typed, and the
// text helpers the commissioning tests share.

#include "wizards/Commissioning.h"

#include <QString>

#include <initializer_list>

namespace tw::test {

// Each line followed by CR LF; "" is an empty line.
inline QString crLfLines(std::initializer_list<const char *> lines) {
    QString text;
    for (const char *line : lines)
        text += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return text;
}

inline CommissioningInput firstStart() {
    CommissioningInput in;
    in.profiles = {"10", "20", "30", "40", "11", "11"};
    in.maxBandwidth = "100";
    in.dbaProfile = "11";
    in.outerVlan = "100";
    in.uplinkBoard = "0/19";
    in.uplinkPort = "0";
    in.innerVlan = "41";
    in.ethPorts = "1,2";
    return in;
}

inline IptvInput iptvFirstStart() {
    return {"10", "20", "3444", "0/19", "0", "45", "3501", "1,3"};
}

// What "开启" appends for the service group of a first start.
inline QString outerVlanTail() {
    return crLfLines(
        {"vlan 100 smart", "y", "", "port vlan 100 0/19 0", "y", "", "vlan desc 100 description PPPOE"});
}

} // namespace tw::test
