// The system displays of the monitoring pages: version, DBA and ONT profiles, board temperatures
// and power, packet files, control-board synchronisation, the global statistics, CPU and memory
// occupancy and the clock.
#include "Render.h"

namespace tw::sim {

namespace {

// Readings of a board that runs; the fans cool everything a little more at a higher level.
int boardTemperature(const Device &d, const Board &b) {
    int base = 40;
    switch (b.kind) {
    case BoardKind::Gpon:
    case BoardKind::Epon:
        base = 50 + b.slot * 3 % 9;
        break;
    case BoardKind::Control:
        base = 62 + b.slot % 3;
        break;
    case BoardKind::Uplink:
        base = 38 + b.slot % 2;
        break;
    case BoardKind::Power:
        base = 34;
        break;
    case BoardKind::Other:
        break;
    }
    return base + 3 - d.fans.speedLevel;
}

int boardPower(const Board &b) {
    if (b.state == BoardState::PowerOff) return 0;
    switch (b.kind) {
    case BoardKind::Gpon:
        return b.ports > 8 ? 62 : 45;
    case BoardKind::Epon:
        return 38;
    case BoardKind::Control:
        return 36;
    case BoardKind::Uplink:
        return 18;
    case BoardKind::Power:
        return 4;
    case BoardKind::Other:
        return 10;
    }
    return 10;
}

} // namespace

QString renderVersion(const Device &d, Lang l) {
    const QString v = "MA5600V800R013C10";
    // One running-area block per control board that runs; the blank lines hold one space.
    auto area = [&](const char *en, const char *zh) {
        QString out = tr(l, en, zh) + "\r\n" + rule(50);
        out += tr(l, "  Current Program Area : Area A \r\n  Current Data Area : Area A\r\n \r\n",
                  "  当前程序区 : A区 \r\n  当前数据区 : A区\r\n \r\n");
        out += tr(l, "  Program Area A Version : ", "  程序区A版本 : ") + v + " \r\n";
        out += tr(l, "  Program Area B Version : ", "  程序区B版本 : ") + v + "\r\n \r\n";
        out += tr(l, "  Data Area A Version : ", "  数据区A版本 : ") + v + " \r\n";
        out += tr(l, "  Data Area B Version : ", "  数据区B版本 : ") + v + " \r\n";
        return out + rule(50) + " \r\n";
    };
    QString out = "\r\n  VERSION : " + v + "\r\n  PATCH   : SPC100\r\n  PRODUCT : MA5680T\r\n \r\n";
    out += area("  Active Mainboard Running Area Information: ", "  主用主控板运行区信息: ");
    for (const Board &b : d.boards)
        if (b.present() && b.kind == BoardKind::Control && b.state == BoardState::StandbyNormal)
            out += area("  Standby Mainboard Running Area Information: ", "  备用主控板运行区信息: ");
    out += tr(l, "  Uptime is 35 day(s), 4 hour(s), 12 minute(s), 7 second(s)\r\n",
              "  运行时间：35天4小时12分7秒\r\n");
    return out;
}

QString renderDbaProfiles(const Device &d, Lang l) {
    QString out = rule(71);
    out += "  Profile-ID  type  bandwidth  fix       assure    max       bind\r\n";
    out += "                    compensate (kbps)    (kbps)    (kbps)    times\r\n";
    out += rule(71);
    for (const DbaProfile &p : d.dbaProfiles) {
        // Bound by the T-CONTs and LLIDs of the line profiles.
        const int bound = dbaProfileBindings(d, p.id);
        out += "  ";
        appendRightAligned(out, QString::number(p.id), 10);
        out += "  ";
        appendRightAligned(out, QString::number(p.type), 4);
        out += "         No  ";
        appendRightAligned(out, QString::number(p.fix), 8);
        out += "  ";
        appendRightAligned(out, QString::number(p.assure), 8);
        out += "  ";
        appendRightAligned(out, QString::number(p.max), 8);
        out += "  ";
        appendRightAligned(out, QString::number(bound), 5);
        out += "\r\n";
    }
    out += rule(71);
    out += tr(l, "  Total: ", "  总数: ") + QString::number(d.dbaProfiles.size()) + "\r\n";
    return out;
}

QString renderOntProfiles(const Device &d, Lang l, bool line, PonKind pon) {
    QString out = rule(78);
    out += tr(l, "  Profile-ID  Profile-name                                Binding times\r\n",
              "  模板ID      模板名称                                    绑定次数\r\n");
    out += rule(78);
    int n = 0;
    for (const Profile &p : line ? d.lineProfiles : d.srvProfiles) {
        if (p.pon != pon) continue;
        int bound = 0;
        for (const Ont &o : d.onts)
            bound += o.pon == pon && (line ? o.lineProfile : o.srvProfile) == p.id;
        out += "  ";
        appendPadded(out, QString::number(p.id), 12);
        appendPadded(out, p.name, 44);
        out += QString::number(bound) + "\r\n";
        ++n;
    }
    out += rule(78);
    out += tr(l, "  Total: ", "  总数: ") + QString::number(n) + "\r\n";
    return out;
}

QString renderTemperatures(const Device &d, Lang l, const std::vector<const Board *> &boards) {
    QString out;
    for (const Board *b : boards) {
        if (!b->working()) continue; // nothing is read from a board that does not run
        const int celsius = boardTemperature(d, *b);
        out += tr(l, "  SlotID:", "  槽位号:");
        appendRightAligned(out, QString::number(b->slot), 3);
        out += tr(l, "      BoardName: ", "      单板名称: ");
        appendPadded(out, b->name, 15);
        out += tr(l, "Temperature:", "温度:");
        appendRightAligned(out, QString::number(celsius), 5);
        out += "C(";
        appendRightAligned(out, QString::number(celsius * 9 / 5 + 32), 4);
        out += "F)\r\n";
    }
    return out;
}

QString renderBoardPower(Lang l, const Board &b) {
    QString out;
    appendField(out, tr(l, "SlotID", "槽位号"), QString::number(b.slot), 12);
    appendField(out, tr(l, "BoardName", "单板名称"), b.name, 12);
    appendField(out, tr(l, "Power(W)", "功耗(W)"), QString::number(boardPower(b)), 12);
    return out;
}

QString renderPowerTable(Lang l, const std::vector<const Board *> &boards) {
    QString out = rule(49);
    out += tr(l, "  SlotID  BoardName    Power(W)\r\n", "  槽位号  单板名称     功耗(W)\r\n");
    out += rule(49);
    int total = 0;
    for (const Board *b : boards) {
        out += "  ";
        appendPadded(out, QString::number(b->slot), 8);
        appendPadded(out, b->name, 13);
        out += QString::number(boardPower(*b)) + "\r\n";
        total += boardPower(*b);
    }
    out += rule(49);
    out += tr(l, "  Total power consumption(W): ", "  总功耗(W): ") + QString::number(total) + "\r\n";
    return out;
}

QString renderIoPacketFiles(const Device &d, Lang l) {
    QString out = rule(61);
    out += tr(l, "  SlotID  BoardName  Packet file        State\r\n",
              "  槽位号  单板名称   驱动文件           状态\r\n");
    out += rule(61);
    for (const Board &b : d.boards) {
        if (!b.present() || b.kind == BoardKind::Power) continue;
        out += "  ";
        appendPadded(out, QString::number(b.slot), 8);
        appendPadded(out, b.name, 11);
        appendPadded(out, "io_" + b.name.mid(4).toLower() + ".bin", 19);
        out += (b.working() ? tr(l, "loaded", "已加载") : tr(l, "not loaded", "未加载")) + "\r\n";
    }
    return out + rule(61);
}

QString renderDataSync(const Device &d, Lang l, const Board &active, const Board &standby) {
    QString out = rule(50);
    const QString at = QString::number(d.frame) + '/';
    appendField(out, tr(l, "Active control board", "主用主控板"), at + QString::number(active.slot), 22);
    appendField(out, tr(l, "Standby control board", "备用主控板"), at + QString::number(standby.slot), 22);
    appendField(out, tr(l, "Data sync state", "数据同步状态"), tr(l, "synchronized", "已同步"), 22);
    return out + rule(50);
}

QString renderStatistics(const Device &d, Lang l) {
    int online = 0;
    for (const Ont &o : d.onts)
        online += o.online();
    QString out = rule(50);
    auto field = [&](const char *en, const char *zh, qsizetype n) {
        appendField(out, tr(l, en, zh), QString::number(n), 24);
    };
    field("ONTs registered", "已注册ONT数", qsizetype(d.onts.size()));
    field("ONTs online", "在线ONT数", online);
    field("ONTs automatically found", "自动发现的ONT数", qsizetype(d.autofind.size()));
    field("Service virtual ports", "业务虚端口数", qsizetype(d.servicePorts.size()));
    field("VLANs", "VLAN数", qsizetype(d.vlans.size()));
    field("Multicast users", "组播用户数", qsizetype(d.multicastUsers.size()));
    field("Active alarms", "活动告警数", qsizetype(d.alarms.size()));
    return out + rule(50);
}

QString renderCpuOccupancy(Lang l) {
    return tr(l, "  CPU occupancy     : 12%\r\n  Memory occupancy  : 41%\r\n",
              "  CPU占用率         : 12%\r\n  内存占用率        : 41%\r\n");
}

QString renderTime(const Device &d) {
    return "  " + d.now + "\r\n";
}

} // namespace tw::sim
