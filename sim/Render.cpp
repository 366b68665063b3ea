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
    }
    return {};
}

QString controlFlagText(const Ont &o, Lang l) {
    return o.active ? tr(l, "active", "激活") : tr(l, "deactivated", "去激活");
}

QString runStateText(const Ont &o, Lang l) {
    return o.online() ? tr(l, "online", "在线") : tr(l, "offline", "离线");
}

static QString configStateText(const Ont &o, Lang l) {
    return o.online() ? tr(l, "normal", "正常") : tr(l, "initial", "初始");
}

static QString matchStateText(const Ont &o, Lang l) {
    return o.online() ? tr(l, "match", "匹配") : tr(l, "initial", "初始");
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

static QString ontKeyText(const Ont &o) {
    if (o.pon == PonKind::Epon) return o.mac.isEmpty() ? QStringLiteral("-") : o.mac;
    return o.sn.isEmpty() ? QStringLiteral("-") : o.sn;
}

static void ontTableHeading(QString &out, Lang l, PonKind pon) {
    out += rule();
    if (l == Lang::English) {
        out += pon == PonKind::Gpon
                   ? "  F/S/P   ONT         SN         Control     Run      Config   Match    Protect\r\n"
                   : "  F/S/P   ONT         MAC        Control     Run      Config   Match    Protect\r\n";
        out += "          ID                     flag        state    state    state    side\r\n";
    } else {
        out += pon == PonKind::Gpon
                   ? QString::fromUtf8("  框/槽/端口 ONT       序列号       控制        运行     "
                                       "配置     匹配     保护\r\n")
                   : QString::fromUtf8("  框/槽/端口 ONT       MAC地址      控制        运行     "
                                       "配置     匹配     保护\r\n");
        out += QString::fromUtf8(
            "             编号                    标志        状态     状态     状态     侧\r\n");
    }
    out += rule();
}

static void ontRow(QString &out, Lang l, const Ont &o) {
    out += QLatin1String("  ");
    appendPadded(out, paddedPort(o.at), 7);
    appendRightAligned(out, QString::number(o.id), 4);
    out += QLatin1String("  ");
    appendPadded(out, ontKeyText(o), 18);
    appendPadded(out, controlFlagText(o, l), 12);
    appendPadded(out, runStateText(o, l), 9);
    appendPadded(out, configStateText(o, l), 9);
    appendPadded(out, matchStateText(o, l), 9);
    out += tr(l, "no", "否");
    out += QLatin1String("\r\n");
}

static void descriptionRow(QString &out, const Ont &o) {
    out += QLatin1String("  ");
    appendPadded(out, paddedPort(o.at), 7);
    appendRightAligned(out, QString::number(o.id), 6);
    out += QLatin1String("   ");
    // Long descriptions wrap near column 79, continued under the description column.
    constexpr int column = 18;
    int width = column;
    for (QChar c : o.desc) {
        const int cw = c.unicode() < 0x80 ? 1 : 2;
        if (width + cw > 79) {
            out += QLatin1String("\r\n") + QString(column, ' ');
            width = column;
        }
        out += c;
        width += cw;
    }
    out += QLatin1String("\r\n");
}

static void portBlock(QString &out, const Device &d, Lang l, PortRef at,
                      const std::vector<const Ont *> &onts) {
    const Board *b = d.board(at.frame, at.slot);
    ontTableHeading(out, l, b && b->kind == BoardKind::Epon ? PonKind::Epon : PonKind::Gpon);
    int online = 0;
    for (const Ont *o : onts) {
        ontRow(out, l, *o);
        online += o->online();
    }
    out += rule();
    out += l == Lang::English ? QStringLiteral("  F/S/P   ONT-ID   Description\r\n")
                              : QString::fromUtf8("  框/槽/端口 ONT编号 描述\r\n");
    out += rule();
    for (const Ont *o : onts)
        descriptionRow(out, *o);
    out += rule();
    const QString port = paddedPort(at);
    const int total = int(onts.size());
    if (l == Lang::English)
        out += QStringLiteral("  In port %1 , the total of ONTs are: %2, online: %3\r\n")
                   .arg(port)
                   .arg(total)
                   .arg(online);
    else
        out +=
            QString::fromUtf8("  在端口 %1 上，ONT总数：%2，在线数：%3\r\n").arg(port).arg(total).arg(online);
    out += rule();
}

bool renderOntTable(QString &out, const Device &d, Lang l, int frame, std::optional<int> slot,
                    std::optional<int> port) {
    if (frame != d.frame) return false;
    bool any = false;
    std::vector<const Ont *> onts;
    PortRef current{-1, -1, -1};
    auto flush = [&] {
        if (!onts.empty()) {
            portBlock(out, d, l, current, onts);
            any = true;
        }
        onts.clear();
    };
    for (const Ont &o : d.onts) {
        if ((slot && o.at.slot != *slot) || (port && o.at.port != *port)) continue;
        if (o.at != current) {
            flush();
            current = o.at;
        }
        onts.push_back(&o);
    }
    flush();
    return any;
}

static QString authText(const Ont &o, Lang l) {
    switch (o.auth) {
    case AuthMode::Sn:
        return tr(l, "SN-auth", "SN认证");
    case AuthMode::Mac:
        return tr(l, "MAC-auth", "MAC认证");
    case AuthMode::Loid:
        return tr(l, "LOID-auth", "LOID认证");
    case AuthMode::Password:
        return tr(l, "Password-auth", "密码认证");
    }
    return {};
}

QString renderOntDetail(const Device &d, Lang l, const Ont &o, bool withProfiles) {
    QString out;
    out += rule();
    const bool en = l == Lang::English;
    auto field = [&](const char *english, const char *chinese, const QString &value) {
        appendField(out, tr(l, english, chinese), value);
    };
    field("F/S/P", "框/槽/端口", o.at.text());
    field("ONT-ID", "ONT编号", QString::number(o.id));
    field("Control flag", "控制标志", controlFlagText(o, l));
    field("Run state", "运行状态", runStateText(o, l));
    field("Config state", "配置状态", configStateText(o, l));
    field("Match state", "匹配状态", matchStateText(o, l));
    if (o.pon == PonKind::Gpon) {
        field("DBA type", "DBA类型", o.online() ? "SR" : "-");
    } else {
        field("ONT LLID", "ONT LLID", o.online() ? QString::number(o.id + 1) : "-");
    }
    field("ONT distance(m)", "ONT距离(m)", o.online() ? QString::number(o.distance) : "-");
    field("Memory occupation", "内存占用率", o.online() ? "34%" : "-");
    field("CPU occupation", "CPU占用率", o.online() ? "2%" : "-");
    field("Temperature", "温度", o.online() ? QString::number(o.temperature) + "(C)" : "-");
    field("Authentic type", "认证类型", authText(o, l));
    if (o.pon == PonKind::Gpon) {
        const QString sn = o.sn.isEmpty() ? QStringLiteral("-") : o.sn + " (" + vendorForm(o.sn) + ")";
        field("SN", "序列号", sn);
    } else {
        field("MAC", "MAC地址", o.mac.isEmpty() ? QStringLiteral("-") : o.mac);
    }
    if (o.auth == AuthMode::Loid) field("LOID", "逻辑标识", o.loid);
    if (o.auth == AuthMode::Password) field("Password", "密码", o.password);
    field("Management mode", "管理方式", o.management.toUpper());
    field("Software work mode", "软件工作模式", tr(l, "normal", "正常"));
    field("Isolation state", "隔离状态", tr(l, "normal", "正常"));
    field("ONT IP 0 address/mask", "ONT IP 0 地址/掩码", o.ip.isEmpty() ? "-" : o.ip);
    field("Description", "描述", o.desc);
    field("Last down cause", "最后下线原因", o.lastDownCause);
    field("Last up time", "最后上线时间", o.lastUp);
    field("Last down time", "最后下线时间", o.lastDown);
    field("ONT online duration", "ONT在线时长",
          o.online() ? (en ? QStringLiteral("0 day(s), 2 hour(s), 0 minute(s), 0 second(s)")
                           : QString::fromUtf8("0天2小时0分0秒"))
                     : QStringLiteral("-"));
    out += rule();
    if (withProfiles) {
        const Profile *line = d.lineProfile(o.pon, o.lineProfile);
        appendField(out, tr(l, "Line profile ID", "线路模板ID"), QString::number(o.lineProfile), 21);
        appendField(out, tr(l, "Line profile name", "线路模板名称"), line ? line->name : "-", 21);
        out += rule();
        if (o.srvProfile >= 0) {
            const Profile *srv = d.srvProfile(o.pon, o.srvProfile);
            appendField(out, tr(l, "Service profile ID", "业务模板ID"), QString::number(o.srvProfile), 21);
            appendField(out, tr(l, "Service profile name", "业务模板名称"), srv ? srv->name : "-", 21);
            out += rule();
        }
    }
    return out;
}

static void autofindRecord(QString &out, Lang l, int number, const AutofindEntry &e) {
    auto field = [&](const char *english, const char *chinese, const QString &value) {
        out += QLatin1String("   ");
        appendPadded(out, tr(l, english, chinese), 20);
        out += QLatin1Char(':');
        if (!value.isEmpty()) out += QLatin1Char(' ') + value;
        out += QLatin1String("\r\n");
    };
    field("Number", "序列号", QString::number(number));
    field("F/S/P", "框/槽/端口", e.at.text());
    if (e.pon == PonKind::Gpon)
        field("Ont SN", "ONT SN", e.sn + " (" + vendorForm(e.sn) + ")");
    else
        field("Ont MAC", "ONT MAC", e.mac);
    QByteArray pw = e.password.toLatin1().left(10);
    const QByteArray hex = (pw + QByteArray(10 - pw.size(), '\0')).toHex();
    field("Password", "密码",
          "0x" + QString::fromLatin1(hex) + (pw.isEmpty() ? QString() : "(" + e.password + ")"));
    field("Loid", "逻辑标识", e.loid);
    field("Checkcode", "校验码", {});
    field("VendorID", "生产厂商ID", e.vendor);
    field("Ont Version", "ONT版本", e.version);
    field("Ont SoftwareVersion", "ONT软件版本", e.software);
    if (e.pon == PonKind::Gpon)
        field("Ont EquipmentID", "ONT设备ID", e.equipmentId);
    else
        field("Ont Model", "ONT型号", e.equipmentId);
    field("Ont autofind time", "ONT自动发现时间", e.time);
}

QString renderAutofind(const Device &d, Lang l, std::optional<PortRef> at) {
    QString out;
    const auto all = d.autofindOn(at);
    for (PonKind pon : {PonKind::Gpon, PonKind::Epon}) {
        int n = 0;
        for (const AutofindEntry *e : all) {
            if (e->pon != pon) continue;
            out += rule(76, 3);
            autofindRecord(out, l, ++n, *e);
        }
        if (n == 0) continue;
        out += rule(76, 3);
        out += "\r\n";
        const char *kind = pon == PonKind::Gpon ? "GPON" : "EPON";
        out += l == Lang::English
                   ? QStringLiteral("   The number of %1 autofind ONT is %2\r\n").arg(kind).arg(n)
                   : QString::fromUtf8("   %1自动发现ONT的数目为 %2\r\n").arg(kind).arg(n);
    }
    if (out.isEmpty())
        out = tr(l, "  Failure: The automatically found ONTs do not exist\r\n",
                 "  失败：不存在自动发现的ONT\r\n");
    return out;
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
        appendPadded(out, tr(l, "Online", "在线"), 13);
        appendPadded(out, "0", 18);
        appendPadded(out, "20", 18);
        out += QString::number(d.ontsOn({d.frame, b.slot, p}).size()) + "\r\n";
    }
    out += rule(73);
    return out;
}

bool renderOntVersionTable(QString &out, const Device &d, Lang l, int frame, std::optional<int> slot,
                           std::optional<int> port) {
    if (frame != d.frame) return false;
    QString rows;
    int n = 0;
    for (const Ont &o : d.onts) {
        if ((slot && o.at.slot != *slot) || (port && o.at.port != *port)) continue;
        rows += QLatin1String("  ");
        appendPadded(rows, paddedPort(o.at), 8);
        appendRightAligned(rows, QString::number(o.id), 3);
        rows += QLatin1String("    ");
        const bool known = o.online() || o.plugged;
        appendPadded(rows, known ? o.vendor : "-", 8);
        appendPadded(rows, known ? o.version : "-", 10);
        appendPadded(rows, known ? o.software : "-", 18);
        appendPadded(rows, "-", 8);
        rows += (known ? o.equipmentId : "-") + "\r\n";
        ++n;
    }
    if (n == 0) return false;
    out += rule();
    if (l == Lang::English) {
        out += "  F/S/P     ONT    Vendor  ONT       Software          OUI     Equipment-ID\r\n"
               "            ID     ID      Version   Version           Version\r\n";
    } else {
        out += QString::fromUtf8("  框/槽/端口 ONT   生产    ONT       软件版本          OUI     设备ID\r\n"
                                 "            编号  厂商ID  类型                        版本\r\n");
    }
    out += rule();
    out += rows;
    out += rule();
    out += l == Lang::English ? QStringLiteral("  The total of ONTs: %1\r\n").arg(n)
                              : QString::fromUtf8("  ONT总数：%1\r\n").arg(n);
    out += rule();
    return true;
}

QString renderOntVersionDetail(Lang l, const Ont &o) {
    QString out = rule(74);
    auto field = [&](const char *english, const char *chinese, const QString &value) {
        appendField(out, tr(l, english, chinese), value, 25);
    };
    const bool known = o.plugged;
    field("F/S/P", "框/槽/端口", o.at.text());
    field("ONT-ID", "ONT编号", QString::number(o.id));
    field("Vendor-ID", "生产厂商ID", known ? o.vendor : "-");
    field("ONT Version", "ONT版本", known ? o.version : "-");
    field("Product-ID", "产品ID", known ? "0" : "-");
    field("Equipment-ID", "设备ID", known ? o.equipmentId : "-");
    field("Main Software Version", "主用软件版本", known ? o.software : "-");
    field("Standby Software Version", "备用软件版本", known ? o.standbySoftware : "-");
    field("OntProductDescription", "ONT产品描述",
          known ? o.equipmentId + (o.pon == PonKind::Gpon
                                       ? " GPON Terminal (CLASS B+/PRODUCT ID:2150083877EGM3002227)"
                                       : " EPON Terminal")
                : "-");
    field("Support XML Version", "支持的XML版本", known ? "1.3.0.0" : "-");
    out += rule(74);
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

static QString quoted(const QString &s) {
    return '"' + s + '"';
}

QString renderOntConfiguration(const Device &, const Ont &o) {
    QString out = QStringLiteral(" ont add %1 %2 ").arg(o.at.port).arg(o.id);
    switch (o.auth) {
    case AuthMode::Sn:
        out += "sn-auth " + quoted(o.sn);
        break;
    case AuthMode::Mac:
        out += "mac-auth " + o.mac;
        break;
    case AuthMode::Loid:
        out += "loid-auth " + quoted(o.loid) + " always-on";
        break;
    case AuthMode::Password:
        out += "password-auth " + quoted(o.password) + " always-on";
        break;
    }
    out += ' ' + o.management + " ont-lineprofile-id " + QString::number(o.lineProfile);
    if (o.srvProfile >= 0) out += " ont-srvprofile-id " + QString::number(o.srvProfile);
    if (!o.desc.isEmpty()) out += " desc " + quoted(o.desc);
    out += "\r\n";
    if (!o.active) out += QStringLiteral(" ont deactivate %1 %2\r\n").arg(o.at.port).arg(o.id);
    if (!o.ip.isEmpty())
        out +=
            QStringLiteral(" ont ipconfig %1 %2 static ip-address %3\r\n").arg(o.at.port).arg(o.id).arg(o.ip);
    return out;
}

static QString servicePortLine(const ServicePort &sp) {
    QString out = QStringLiteral(" service-port %1 vlan %2 %3 %4")
                      .arg(sp.index)
                      .arg(sp.vlan)
                      .arg(sp.portType, sp.at.text());
    if (sp.portType != "eth") out += " ont " + QString::number(sp.ont);
    if (sp.gemport >= 0) out += " gemport " + QString::number(sp.gemport);
    out += " multi-service user-vlan " + sp.userVlan;
    if (sp.rxCttr >= 0)
        out += QStringLiteral(" rx-cttr %1 tx-cttr %2").arg(sp.rxCttr).arg(sp.txCttr);
    else
        out += " tag-transform " + sp.tagTransform;
    return out + "\r\n";
}

QString renderServicePortConfiguration(const Device &, const std::vector<const ServicePort *> &list) {
    QString out;
    for (const ServicePort *sp : list)
        out += servicePortLine(*sp);
    return out;
}

static void profileBlock(QString &out, const Profile &p, const char *kind) {
    out += QStringLiteral(" %1 %2 profile-id %3 profile-name \"%4\"\r\n")
               .arg(kind, p.pon == PonKind::Gpon ? "gpon" : "epon")
               .arg(p.id)
               .arg(p.name);
    for (const QString &line : p.lines)
        out += "  " + line + "\r\n";
    out += "  commit\r\n  quit\r\n";
}

QString renderCurrentConfiguration(const Device &d) {
    QString out;
    out += "[MA5600V800R013: 1500]\r\n#\r\n[global-config]\r\n  <global-config>\r\n";
    out += " sysname " + d.sysname + "\r\n";
    if (d.idleSeconds > 0) out += QStringLiteral(" idle-timeout %1\r\n").arg(std::max(1, d.idleSeconds / 60));
    for (const auto &[name, on] : d.switches)
        out += ' ' + name + (on ? " enable" : " disable") + "\r\n";
    out += "#\r\n[pre-config]\r\n  <pre-config>\r\n";
    for (const Board &b : d.boards)
        if (b.present() && b.state != BoardState::AutoFind)
            out += QStringLiteral(" board add %1/%2 %3\r\n").arg(d.frame).arg(b.slot).arg(b.name);
    out += "#\r\n[vlan-config]\r\n  <vlan-config>\r\n";
    for (const Vlan &v : d.vlans) {
        out += QStringLiteral(" vlan %1 %2\r\n").arg(v.id).arg(v.type);
        if (v.attrib != "common") out += QStringLiteral(" vlan attrib %1 %2\r\n").arg(v.id).arg(v.attrib);
        if (!v.desc.isEmpty())
            out += QStringLiteral(" vlan desc %1 description \"%2\"\r\n").arg(v.id).arg(v.desc);
    }
    for (const Vlan &v : d.vlans)
        for (const QString &p : v.ports) {
            const int cut = p.lastIndexOf('/');
            out += QStringLiteral(" port vlan %1 %2 %3\r\n").arg(v.id).arg(p.left(cut), p.mid(cut + 1));
        }
    out += "#\r\n[abs-config]\r\n  <abs-config>\r\n";
    for (const DbaProfile &p : d.dbaProfiles)
        out += QStringLiteral(" dba-profile add profile-id %1 profile-name \"%2\" type%3 max %4\r\n")
                   .arg(p.id)
                   .arg(p.name)
                   .arg(p.type)
                   .arg(p.max);
    for (const Profile &p : d.lineProfiles)
        profileBlock(out, p, "ont-lineprofile");
    for (const Profile &p : d.srvProfiles)
        profileBlock(out, p, "ont-srvprofile");
    for (PonKind pon : {PonKind::Gpon, PonKind::Epon}) {
        out += pon == PonKind::Gpon ? "#\r\n[gpon]\r\n" : "#\r\n[epon]\r\n";
        const char *kind = pon == PonKind::Gpon ? "gpon" : "epon";
        for (const Board &b : d.boards) {
            if (!b.present() || b.kind != (pon == PonKind::Gpon ? BoardKind::Gpon : BoardKind::Epon))
                continue;
            out +=
                QStringLiteral("  <%1-%2/%3>\r\n interface %1 %2/%3\r\n").arg(kind).arg(d.frame).arg(b.slot);
            for (int p = 0; p < b.ports; ++p) {
                const QString port = QStringLiteral("%1/%2/%3").arg(d.frame).arg(b.slot).arg(p);
                const auto it = d.autofindDisabled.find(port);
                if (it == d.autofindDisabled.end() || !it->second)
                    out += QStringLiteral(" port %1 ont-auto-find enable\r\n").arg(p);
            }
            for (const Ont &o : d.onts)
                if (o.at.slot == b.slot) out += renderOntConfiguration(d, o);
        }
    }
    out += "#\r\n[bbs-config]\r\n  <bbs-config>\r\n";
    for (const ServicePort &sp : d.servicePorts)
        out += servicePortLine(sp);
    out += "#\r\n[btv-config]\r\n  <btv-config>\r\n btv\r\n";
    for (const MulticastUser &u : d.multicastUsers)
        out += QStringLiteral(" igmp user add service-port %1 %2 max-program %3\r\n")
                   .arg(u.servicePort)
                   .arg(u.noAuth ? "no-auth" : "auth")
                   .arg(u.maxProgram);
    out += " quit\r\n";
    out += "#\r\n[platform-config]\r\n  <platform-config>\r\n";
    out += " autosave type " + d.autosave.type + "\r\n";
    out += QStringLiteral(" autosave interval %1\r\n autosave interval %2\r\n")
               .arg(d.autosave.interval)
               .arg(d.autosave.intervalOn ? "on" : "off");
    out += QStringLiteral(" autosave time %1\r\n autosave time %2\r\n")
               .arg(d.autosave.time)
               .arg(d.autosave.timeOn ? "on" : "off");
    for (const QString &line : d.extraConfig)
        out += ' ' + line + "\r\n";
    out += "#\r\n[emu-config]\r\n  <emu-config>\r\n emu add 0 fan 0 1 \"H801FCBI\"\r\n";
    out += "#\r\nreturn\r\n";
    return out;
}

QString renderOptics(Lang l, const Ont &o) {
    QString out = rule();
    auto field = [&](const char *english, const char *chinese, const QString &value) {
        appendField(out, tr(l, english, chinese), value, 33);
    };
    auto num = [&](double v) { return o.online() ? QString::number(v, 'f', 2) : QStringLiteral("-"); };
    field("ONU NNI port ID", "ONU NNI端口ID", "0");
    field("Module type", "模块类型", o.pon == PonKind::Gpon ? "GPON" : "EPON");
    field("Rx optical power(dBm)", "接收光功率(dBm)", num(o.rxPower));
    field("Tx optical power(dBm)", "发送光功率(dBm)", num(o.txPower));
    field("Laser bias current(mA)", "激光器偏置电流(mA)", o.online() ? "12" : "-");
    field("Temperature(C)", "温度(C)", o.online() ? QString::number(o.temperature) : "-");
    field("Voltage(V)", "电压(V)", o.online() ? "3.280" : "-");
    field("OLT Rx ONT optical power(dBm)", "OLT接收ONT光功率(dBm)", num(o.rxPower - 2.3));
    out += rule();
    return out;
}

QString renderAlarmNotice(Lang l, const Device &d) {
    return tr(l, "\r\n  ! EVENT MAJOR ", "\r\n  ! 事件 重要 ") + d.now + "\r\n" +
           tr(l, "  EVENT NAME :The ONT gets offline (dying-gasp)\r\n", "  事件名称 :ONT掉电下线\r\n") +
           "  PARAMETERS :FrameID: 0, SlotID: 1, PortID: 0, ONT ID: 7\r\n";
}

} // namespace tw::sim
