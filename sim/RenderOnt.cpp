// The ONT replies: the ONT tables, an ONT's details and versions, and the autofind list.
#include "Render.h"

#include <algorithm>

namespace tw::sim {

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

namespace {

// Which ONTs a listing takes: a frame, a board or a port.
struct OntFilter {
    std::optional<int> slot;
    std::optional<int> port;

    bool takes(const Ont &o) const { return (!slot || o.at.slot == *slot) && (!port || o.at.port == *port); }
    // ONTs are kept in port order: past this one, no later ONT is taken.
    bool past(const Ont &o) const {
        return slot && (o.at.slot > *slot || (o.at.slot == *slot && port && o.at.port > *port));
    }
};

// The first ONT at or after (at, id) that the filter takes, or the end.
std::vector<Ont>::const_iterator nextTaken(const Device &d, const OntFilter &f, PortRef at, int id) {
    auto it =
        std::lower_bound(d.onts.begin(), d.onts.end(), std::pair(at, id),
                         [](const Ont &o, std::pair<PortRef, int> k) { return std::pair(o.at, o.id) < k; });
    while (it != d.onts.end() && !f.past(*it) && !f.takes(*it))
        ++it;
    return it != d.onts.end() && f.takes(*it) ? it : d.onts.end();
}

} // namespace

Pieces ontTablePieces(const Device &d, Lang l, int frame, std::optional<int> slot, std::optional<int> port) {
    const OntFilter f{slot, port};
    const PortRef first{frame, slot.value_or(0), port.value_or(0)};
    if (frame != d.frame || nextTaken(d, f, first, 0) == d.onts.end()) return {};
    return [&d, l, f, next = first](QString &out) mutable {
        auto it = nextTaken(d, f, next, 0);
        if (it == d.onts.end()) return false;
        const PortRef at = it->at;
        std::vector<const Ont *> onts;
        for (; it != d.onts.end() && it->at == at; ++it)
            if (f.takes(*it)) onts.push_back(&*it);
        portBlock(out, d, l, at, onts);
        next = PortRef{at.frame, at.slot, at.port + 1};
        return nextTaken(d, f, next, 0) != d.onts.end();
    };
}

bool renderOntTable(QString &out, const Device &d, Lang l, int frame, std::optional<int> slot,
                    std::optional<int> port) {
    Pieces pieces = ontTablePieces(d, l, frame, slot, port);
    if (!pieces) return false;
    while (pieces(out)) {
    }
    return true;
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

Pieces ontVersionPieces(const Device &d, Lang l, int frame, std::optional<int> slot,
                        std::optional<int> port) {
    const OntFilter f{slot, port};
    const PortRef first{frame, slot.value_or(0), port.value_or(0)};
    if (frame != d.frame || nextTaken(d, f, first, 0) == d.onts.end()) return {};
    struct Place {
        PortRef at;
        int id = 0;
        int rows = 0; // printed so far
    };
    return [&d, l, f, place = Place{first, 0, 0}](QString &out) mutable {
        if (place.rows == 0) {
            out += rule();
            if (l == Lang::English) {
                out += "  F/S/P     ONT    Vendor  ONT       Software          OUI     Equipment-ID\r\n"
                       "            ID     ID      Version   Version           Version\r\n";
            } else {
                out += QString::fromUtf8(
                    "  框/槽/端口 ONT   生产    ONT       软件版本          OUI     设备ID\r\n"
                    "            编号  厂商ID  类型                        版本\r\n");
            }
            out += rule();
        }
        auto it = nextTaken(d, f, place.at, place.id);
        for (int n = 0; n < 256 && it != d.onts.end(); ++n, it = nextTaken(d, f, place.at, place.id)) {
            const Ont &o = *it;
            out += QLatin1String("  ");
            appendPadded(out, paddedPort(o.at), 8);
            appendRightAligned(out, QString::number(o.id), 3);
            out += QLatin1String("    ");
            const bool known = o.online() || o.plugged;
            appendPadded(out, known ? o.vendor : "-", 8);
            appendPadded(out, known ? o.version : "-", 10);
            appendPadded(out, known ? o.software : "-", 18);
            appendPadded(out, "-", 8);
            out += (known ? o.equipmentId : "-") + "\r\n";
            ++place.rows;
            place.at = o.at;
            place.id = o.id + 1;
        }
        if (it != d.onts.end()) return true;
        out += rule();
        out += l == Lang::English ? QStringLiteral("  The total of ONTs: %1\r\n").arg(place.rows)
                                  : QString::fromUtf8("  ONT总数：%1\r\n").arg(place.rows);
        out += rule();
        return false;
    };
}

bool renderOntVersionTable(QString &out, const Device &d, Lang l, int frame, std::optional<int> slot,
                           std::optional<int> port) {
    Pieces pieces = ontVersionPieces(d, l, frame, slot, port);
    if (!pieces) return false;
    while (pieces(out)) {
    }
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

} // namespace tw::sim
