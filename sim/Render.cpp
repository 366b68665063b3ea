// Shared layout helpers, failure texts, the chassis and board views, service-port and multicast-user
// lists and alarm texts.
#include "Render.h"

namespace tw::sim {

int displayWidth(QStringView text) {
    int w = 0;
    for (QChar c : text)
        w += c.unicode() < 0x80 ? 1 : 2;
    return w;
}

void appendPadded(QString &out, const QString &text, int width) {
    out += text;
    for (int w = displayWidth(text); w < width; ++w)
        out += QLatin1Char(' ');
}

void appendRightAligned(QString &out, const QString &text, int width) {
    for (int w = displayWidth(text); w < width; ++w)
        out += QLatin1Char(' ');
    out += text;
}

QString rule(int dashes, int indent) {
    return QString(indent, ' ') + QString(dashes, '-') + "\r\n";
}

QString paddedPort(PortRef at) {
    QString out = QString::number(at.frame) + '/';
    if (at.slot < 10) out += ' ';
    return out + QString::number(at.slot) + '/' + QString::number(at.port);
}

void appendField(QString &out, const QString &label, const QString &value, int labelWidth) {
    out += QLatin1String("  ");
    appendPadded(out, label, labelWidth);
    out += QLatin1String(": ");
    const int column = 2 + labelWidth + 2;
    const int room = 79 - column;
    QString line;
    int width = 0;
    for (QChar c : value) {
        const int cw = c.unicode() < 0x80 ? 1 : 2;
        if (width + cw > room) {
            out += line + "\r\n" + QString(column, ' ');
            line.clear();
            width = 0;
        }
        line += c;
        width += cw;
    }
    out += line + "\r\n";
}

QString failureText(Failure f, Lang l) {
    switch (f) {
    case Failure::None:
        return {};
    case Failure::NoBoard:
        return tr(l, "  Failure: The board does not exist", "  失败：该板不存在");
    case Failure::WrongBoardType:
        return tr(l, "  Failure: The board type is wrong", "  失败：单板类型错误");
    case Failure::NoPort:
        return tr(l, "  Failure: The port does not exist", "  失败：端口不存在");
    case Failure::SnExists:
        return tr(l, "  Failure: SN already exists", "  失败：序列码已经存在");
    case Failure::MacExists:
        return tr(l, "  Failure: MAC address already exists", "  失败：MAC地址已存在");
    case Failure::LoidExists:
        return tr(l, "  Failure: LOID already exists", "  失败：逻辑标识已经存在");
    case Failure::PasswordExists:
        return tr(l, "  Failure: Password already exists", "  失败：密码已经存在");
    case Failure::OntIdExists:
        return tr(l, "  Failure: The ONT ID already exists", "  失败：该ONT ID已经存在");
    case Failure::PortFull:
        return tr(l, "  Failure: The number of ONTs on the port reaches the upper limit",
                  "  失败：端口下的ONT数目已达上限");
    case Failure::NoLineProfile:
        return tr(l, "  Failure: The line profile does not exist", "  失败：线路模板不存在");
    case Failure::NoSrvProfile:
        return tr(l, "  Failure: The service profile does not exist", "  失败：业务模板不存在");
    case Failure::NoOnt:
        return tr(l, "  Failure: The ONT does not exist", "  失败：ONT不存在");
    case Failure::NotOnline:
        return tr(l, "  Failure: The ONT is not online", "  失败：ONT不在线");
    case Failure::HasServicePorts:
        return tr(l, "  Failure: This configured object has some service virtual ports",
                  "  失败：该配置对象存在业务虚端口");
    case Failure::NoVlan:
        return tr(l, "  Failure: The VLAN does not exist", "  失败：VLAN不存在");
    case Failure::VlanExists:
        return tr(l, "  Failure: The VLAN already exists", "  失败：VLAN已经存在");
    case Failure::VlanInUse:
        return tr(l, "  Failure: The VLAN is being used by service virtual ports",
                  "  失败：VLAN正在被业务虚端口使用");
    case Failure::ServicePortExists:
        return tr(l, "  Failure: The service virtual port already exists", "  失败：业务虚端口已经存在");
    case Failure::NoServicePort:
        return tr(l, "  Failure: The service virtual port does not exist", "  失败：业务虚端口不存在");
    case Failure::MulticastInUse:
        return tr(l, "  Failure: The service virtual port is used by a multicast user",
                  "  失败：业务虚端口已被组播用户使用");
    case Failure::NoMulticastUser:
        return tr(l, "  Failure: The multicast user does not exist", "  失败：组播用户不存在");
    case Failure::BadParameter:
        return tr(l, "  Failure: The parameter is invalid", "  失败：参数错误");
    case Failure::NoFrame:
        return tr(l, "  Failure: The frame does not exist", "  失败：该框不存在");
    case Failure::BoardConfirmed:
        return tr(l, "  Failure: The board is confirmed already", "  失败：单板已经确认");
    case Failure::BoardConfigured:
        return tr(l, "  Failure: The board has service configuration", "  失败：单板存在业务配置");
    case Failure::BoardPoweredOff:
        return tr(l, "  Failure: The board is powered off", "  失败：单板已经下电");
    case Failure::BoardNotSupported:
        return tr(l, "  Failure: The board does not support the operation", "  失败：单板不支持该操作");
    case Failure::StandbyNotReady:
        return tr(l, "  Failure: The standby control board is not normal", "  失败：备用主控板状态不正常");
    case Failure::NoAutofindOnt:
        return tr(l, "  Failure: The automatically found ONTs do not exist", "  失败：不存在自动发现的ONT");
    case Failure::NoAlarm:
        return tr(l, "  Failure: There is no alarm in the system", "  失败：系统中没有告警");
    case Failure::VlanHasPorts:
        return tr(l, "  Failure: The VLAN has standard ports, delete them first",
                  "  失败：VLAN中存在标准端口，请先删除");
    case Failure::VlanHasInterface:
        return tr(l, "  Failure: The VLAN has a VLAN interface, delete it first",
                  "  失败：VLAN存在VLAN接口，请先删除");
    case Failure::VlanIsMulticast:
        return tr(l, "  Failure: The VLAN is a multicast VLAN, delete the multicast VLAN first",
                  "  失败：该VLAN是组播VLAN，请先删除组播VLAN");
    case Failure::PortNotInVlan:
        return tr(l, "  Failure: The port is not in the VLAN", "  失败：端口不在该VLAN中");
    case Failure::NoVlanServiceProfile:
        return tr(l, "  Failure: The VLAN service profile does not exist", "  失败：VLAN业务模板不存在");
    case Failure::NoMulticastVlan:
        return tr(l, "  Failure: The multicast VLAN does not exist", "  失败：组播VLAN不存在");
    case Failure::NoDbaProfile:
        return tr(l, "  Failure: The DBA profile does not exist", "  失败：DBA模板不存在");
    case Failure::DbaProfileExists:
        return tr(l, "  Failure: The profile already exists", "  失败：模板已经存在");
    case Failure::ProfileNameExists:
        return tr(l, "  Failure: The profile name already exists", "  失败：模板名称已经存在");
    case Failure::NoTcont:
        return tr(l, "  Failure: The T-CONT does not exist", "  失败：T-CONT不存在");
    case Failure::NoGem:
        return tr(l, "  Failure: The GEM index does not exist", "  失败：GEM索引不存在");
    case Failure::GemExists:
        return tr(l, "  Failure: The GEM index already exists", "  失败：GEM索引已经存在");
    case Failure::MappingExists:
        return tr(l, "  Failure: The mapping already exists", "  失败：映射已经存在");
    case Failure::PortVlanExists:
        return tr(l, "  Failure: The VLAN translation of the port already exists",
                  "  失败：端口的VLAN转换已经存在");
    case Failure::AddressConflict:
        return tr(l, "  Failure: The IP address conflicts with another interface",
                  "  失败：IP地址与其他接口冲突");
    case Failure::ArpProxyOff:
        return tr(l, "  Failure: The global ARP proxy is disabled", "  失败：全局ARP代理未使能");
    case Failure::NoLoadFile:
        return tr(l, "  Failure: The loading file is not set", "  失败：未设置加载文件");
    case Failure::NoLoadSelection:
        return tr(l, "  Failure: No ONT is selected for loading", "  失败：没有选择要加载的ONT");
    case Failure::LoadRunning:
        return tr(l, "  Failure: ONTs are being loaded", "  失败：ONT正在加载");
    case Failure::NoLoadRunning:
        return tr(l, "  Failure: No ONT is being loaded", "  失败：当前没有ONT在加载");
    case Failure::BadLoadFile:
        return tr(l, "  Failure: The file is empty or invalid", "  失败：文件为空或无效");
    }
    return {};
}

QString boardStateText(BoardState s, Lang l) {
    switch (s) {
    case BoardState::Normal:
        return tr(l, "Normal", "正常");
    case BoardState::ActiveNormal:
        return tr(l, "Active_normal", "主用正常");
    case BoardState::StandbyNormal:
        return tr(l, "Standby_normal", "备用正常");
    case BoardState::StandbyFailed:
        return tr(l, "Standby_failed", "备用故障");
    case BoardState::Failed:
        return tr(l, "Failed", "故障");
    case BoardState::AutoFind:
        return tr(l, "Auto_find", "自动发现");
    case BoardState::PowerOff:
        return tr(l, "Power_off", "下电");
    }
    return {};
}

QString renderBoards(const Device &d, Lang l) {
    QString out = rule(73);
    out +=
        l == Lang::English
            ? QStringLiteral("  SlotID  BoardName  Status          SubType0 SubType1    Online/Offline\r\n")
            : QString::fromUtf8("  槽位号  单板名称   状态            子类型0  子类型1    在线/离线\r\n");
    out += rule(73);
    for (const Board &b : d.boards) {
        out += QLatin1String("  ");
        if (!b.present()) {
            out += QString::number(b.slot) + "\r\n";
            continue;
        }
        appendPadded(out, QString::number(b.slot), 8);
        appendPadded(out, b.name, 11);
        appendPadded(out, boardStateText(b.state, l), 16);
        out += b.subType;
        if (b.state == BoardState::StandbyFailed || b.state == BoardState::PowerOff) {
            out += QString(b.subType.isEmpty() ? 21 : 21 - b.subType.size(), ' ');
            out += tr(l, "Offline", "离线");
        }
        out += "\r\n";
    }
    out += rule(73);
    return out;
}

QString renderBoardDetail(const Device &d, Lang l, const Board &b) {
    QString out = rule(73);
    auto field = [&](const char *english, const char *chinese, const QString &value) {
        appendField(out, tr(l, english, chinese), value, 18);
    };
    const bool offline = !b.working() && b.state != BoardState::AutoFind;
    field("Board Name", "单板名称", b.name);
    field("Board Status", "单板状态", boardStateText(b.state, l));
    field("Online state", "在线状态", offline ? tr(l, "Offline", "离线") : QStringLiteral("-"));
    field("Board has ports", "单板端口数", QString::number(b.ports));
    out += rule(73);
    if (b.kind == BoardKind::Uplink) return out + "\r\n" + renderUplinkPorts(d, l, b, std::nullopt);
    if (!b.isPon() || b.ports == 0) return out;
    out += "\r\n" + rule(61);
    out += tr(l,
              "    Port   Port   min-distance   max-distance   Optical-module\r\n"
              "           type       (km)           (km)           status\r\n",
              "    端口   端口   最小距离       最大距离       光模块\r\n"
              "           类型       (km)           (km)           状态\r\n");
    out += rule(61);
    for (int p = 0; p < b.ports; ++p) {
        out += QLatin1String("    ");
        appendPadded(out, QString::number(p), 6);
        appendPadded(out, b.kind == BoardKind::Gpon ? "GPON" : "EPON", 12);
        appendPadded(out, "0", 15);
        appendPadded(out, "20", 15);
        out += (b.working() ? tr(l, "Online", "在位") : tr(l, "Offline", "不在位")) + "\r\n";
    }
    out += rule(61);
    // The board's ONTs follow, as "display ont info" lists them.
    QString onts;
    if (renderOntTable(onts, d, l, d.frame, b.slot, std::nullopt)) out += "\r\n" + onts;
    return out;
}

QString renderUplinkPorts(const Device &, Lang l, const Board &b, std::optional<int> only) {
    struct Column {
        const char *en[2];
        const char *zh[2];
        int width;
    };
    static const Column columns[] = {
        {{"Port", ""}, {"端口", ""}, 6},
        {{"Port", "Type"}, {"端口", "类型"}, 5},
        {{"Optic", "Status"}, {"光模块", "状态"}, 8},
        {{"Native", "VLAN"}, {"缺省", "VLAN"}, 8},
        {{"MDI", ""}, {"MDI", ""}, 7},
        {{"Speed", "(Mbps)"}, {"速率", "(Mbps)"}, 10},
        {{"Duplex", ""}, {"双工", ""}, 10},
        {{"Flow-", "Ctrl"}, {"流控", ""}, 7},
        {{"Active", "State"}, {"激活", "状态"}, 9},
        {{"Link", ""}, {"链路", "状态"}, 0},
    };
    QString out = rule(78);
    for (int line = 0; line < 2; ++line) {
        QString heading = "  ";
        for (const Column &c : columns)
            appendPadded(heading, tr(l, c.en[line], c.zh[line]), c.width);
        while (heading.endsWith(' '))
            heading.chop(1);
        out += heading + "\r\n";
    }
    out += rule(78);
    const bool tenGig = b.name.contains("X2");
    for (int p = 0; p < b.ports; ++p) {
        if (only && *only != p) continue;
        out += QLatin1String("  ");
        appendRightAligned(out, QString::number(p), 4);
        out += QLatin1String("  ");
        appendPadded(out, tenGig ? "10GE" : "GE", 5);
        const QString optic = b.working() ? tr(l, "normal", "正常") : tr(l, "absence", "不在位");
        out += optic;
        appendRightAligned(out, "1", 14 - displayWidth(optic)); // the native VLAN ends under its heading
        out += QLatin1String("  ");
        appendPadded(out, "-", 7);
        appendPadded(out, b.working() ? (tenGig ? "10000" : "1000") : "auto", 10);
        appendPadded(out, b.working() ? tr(l, "full", "全双工") : tr(l, "auto", "自适应"), 10);
        appendPadded(out, tr(l, "off", "关闭"), 7);
        appendPadded(out, tr(l, "active", "激活"), 9);
        out += (b.working() ? tr(l, "online", "在线") : tr(l, "offline", "离线")) + "\r\n";
    }
    out += rule(78);
    return out;
}

QString renderServicePorts(const Device &d, Lang l, const std::vector<const ServicePort *> &list) {
    if (list.empty())
        return tr(l, "  Failure: No service virtual port can be operated\r\n",
                  "  失败：没有可操作的业务虚端口\r\n");
    QString out = tr(l, "  Switch-Oriented Flow List\r\n", "  交换业务流列表\r\n");
    out += rule();
    if (l == Lang::English) {
        out += "   INDEX VLAN VLAN     PORT F/ S/ P VPI  VCI   FLOW  FLOW       RX   TX   STATE\r\n"
               "         ID   ATTR     TYPE                    TYPE  PARA\r\n";
    } else {
        out += QString::fromUtf8(
            "   索引  VLAN VLAN     端口 F/ S/ P VPI  VCI   业务流 业务流    RX   TX   状态\r\n"
            "         ID   属性     类型                    类型   参数\r\n");
    }
    out += rule();
    int up = 0;
    for (const ServicePort *sp : list) {
        // A flow is up while its ONT is online.
        const Ont *o = sp->portType == "eth" ? nullptr : d.ont(sp->at, sp->ont);
        const bool isUp = sp->up && (sp->portType == "eth" || (o && o->online()));
        out += QLatin1String("  ");
        appendRightAligned(out, QString::number(sp->index), 6);
        out += QLatin1Char(' ');
        appendRightAligned(out, QString::number(sp->vlan), 4);
        out += QLatin1Char(' ');
        appendPadded(out, QStringLiteral("common"), 9);
        appendPadded(out, sp->portType, 5);
        QString fsp = QStringLiteral("%1/%2 /%3").arg(sp->at.frame).arg(sp->at.slot).arg(sp->at.port);
        appendPadded(out, fsp, 8);
        appendPadded(out, sp->portType == "eth" ? "-" : QString::number(sp->ont), 5);
        appendPadded(out, sp->gemport < 0 ? "-" : QString::number(sp->gemport), 6);
        appendPadded(out, "vlan", 6);
        appendPadded(out, sp->userVlan, 11);
        appendPadded(out, sp->rxCttr < 0 ? "-" : QString::number(sp->rxCttr), 5);
        appendPadded(out, sp->txCttr < 0 ? "-" : QString::number(sp->txCttr), 5);
        out += isUp ? "up" : "down";
        out += "\r\n";
        up += isUp;
    }
    out += rule();
    out += QStringLiteral("   %1 : %2  (Up/Down :    %3/%4)\r\n")
               .arg(tr(l, "Total", "总数"))
               .arg(list.size())
               .arg(up)
               .arg(int(list.size()) - up);
    return out;
}

QString alarmLevelText(const QString &level, Lang l) {
    static const char *const levels[][3] = {{"CRITICAL", "Critical", "紧急"},
                                            {"MAJOR", "Major", "重要"},
                                            {"MINOR", "Minor", "次要"},
                                            {"WARNING", "Warning", "提示"}};
    for (const auto &lv : levels)
        if (level.compare(QLatin1String(lv[0]), Qt::CaseInsensitive) == 0) return tr(l, lv[1], lv[2]);
    return level;
}

QString alarmNameText(const QString &name, Lang l) {
    static const char *const names[][2] = {
        {"The ONT is offline (LOS)", "ONT下线(LOS)"},
        {"The board is not confirmed", "单板未确认"},
        {"The received optical power of the ONT is abnormal", "ONT接收光功率异常"},
        {"The board temperature exceeds the alarm threshold", "单板温度超过告警门限"},
    };
    if (l == Lang::Chinese)
        for (const auto &n : names)
            if (name == QLatin1String(n[0])) return QString::fromUtf8(n[1]);
    return name;
}

QString renderAlarmNotice(Lang l, const Device &d) {
    if (d.alarms.empty()) // nothing active: an event, which raises no alarm
        return tr(l, "\r\n  ! EVENT MAJOR ", "\r\n  ! 事件 重要 ") + d.now + "\r\n" +
               tr(l, "  EVENT NAME :The ONT gets offline (dying-gasp)\r\n", "  事件名称 :ONT掉电下线\r\n") +
               tr(l, "  PARAMETERS :", "  事件参数 :") + "FrameID: 0, SlotID: 1, PortID: 0, ONT ID: 7\r\n";
    const Alarm &a = d.alarms.back();
    const QString level = alarmLevelText(a.level, l);
    return tr(l, "\r\n  ! ALARM ", "\r\n  ! 告警 ") + (l == Lang::English ? level.toUpper() : level) + ' ' +
           a.time + "\r\n" + tr(l, "  ALARM NAME :", "  告警名称 :") + alarmNameText(a.name, l) + "\r\n" +
           tr(l, "  PARAMETERS :", "  告警参数 :") + a.parameters + "\r\n";
}

QString renderMulticastUsers(const Device &d, Lang l) {
    QString out = rule();
    out += tr(l, "  Service-port  Auth     Max-program\r\n", "  业务虚端口    认证     最大节目数\r\n");
    out += rule();
    for (const MulticastUser &u : d.multicastUsers)
        out += QStringLiteral("  %1  %2  %3\r\n")
                   .arg(u.servicePort, -12)
                   .arg(u.noAuth ? "no-auth" : "auth   ")
                   .arg(u.maxProgram);
    return out + rule();
}

} // namespace tw::sim
