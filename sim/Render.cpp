// Shared layout helpers, failure texts, the chassis view, service-port lists and alarm notices.
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
    field("Board Name", "单板名称", b.name);
    field("Board Status", "单板状态", boardStateText(b.state, l));
    out += rule(73);
    if (!b.isPon()) return out;
    out +=
        l == Lang::English
            ? QStringLiteral("  Port  Port Type  Port Status  Min Distance(km)  Max Distance(km)  ONTs\r\n")
            : QString::fromUtf8(
                  "  端口  端口类型   端口状态     最小距离(km)      最大距离(km)      ONT数\r\n");
    out += rule(73);
    for (int p = 0; p < b.ports; ++p) {
        out += QLatin1String("  ");
        appendPadded(out, QString::number(p), 6);
        appendPadded(out, b.kind == BoardKind::Gpon ? "GPON" : "EPON", 11);
        appendPadded(out, b.working() ? tr(l, "Online", "在线") : tr(l, "Offline", "离线"), 13);
        appendPadded(out, "0", 18);
        appendPadded(out, "20", 18);
        out += QString::number(d.ontsOn({d.frame, b.slot, p}).size()) + "\r\n";
    }
    out += rule(73);
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

QString renderAlarmNotice(Lang l, const Device &d) {
    return tr(l, "\r\n  ! EVENT MAJOR ", "\r\n  ! 事件 重要 ") + d.now + "\r\n" +
           tr(l, "  EVENT NAME :The ONT gets offline (dying-gasp)\r\n", "  事件名称 :ONT掉电下线\r\n") +
           "  PARAMETERS :FrameID: 0, SlotID: 1, PortID: 0, ONT ID: 7\r\n";
}

} // namespace tw::sim
