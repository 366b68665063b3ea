// The optical readings of ONTs: a port's table and one ONT's module details.
#include "Render.h"

namespace tw::sim {

namespace {

struct OpticalColumn {
    const char *english[2];
    const char *chinese[2];
    int englishWidth;
    int chineseWidth;
    QString (*value)(const Ont &);
};

QString dbm(double v) {
    return QString::number(v, 'f', 2);
}

// The GPON table ends with the distance; the EPON table has none.
const OpticalColumn kOpticalColumns[] = {
    {{"ONT", "ID"}, {"ONT", "编号"}, 5, 6, nullptr}, // the ID, right-aligned before two blanks
    {{"Rx power", "(dBm)"}, {"接收光功率", "(dBm)"}, 10, 12, [](const Ont &o) { return dbm(o.rxPower); }},
    {{"Tx power", "(dBm)"}, {"发送光功率", "(dBm)"}, 10, 12, [](const Ont &o) { return dbm(o.txPower); }},
    {{"OLT Rx ONT", "power(dBm)"},
     {"OLT接收光功率", "(dBm)"},
     12,
     15,
     [](const Ont &o) { return dbm(o.oltRxPower); }},
    {{"Temperature", "(C)"},
     {"温度", "(C)"},
     13,
     7,
     [](const Ont &o) { return QString::number(o.temperature); }},
    {{"Voltage", "(V)"},
     {"电压", "(V)"},
     9,
     9,
     [](const Ont &o) { return QString::number(o.voltage, 'f', 3); }},
    {{"Current", "(mA)"},
     {"电流", "(mA)"},
     9,
     8,
     [](const Ont &o) { return QString::number(o.biasCurrent); }},
    {{"Distance", "(m)"}, {"距离", "(m)"}, 0, 0, [](const Ont &o) { return QString::number(o.distance); }},
};

} // namespace

QString renderOpticalTable(Lang l, PonKind pon, const std::vector<const Ont *> &onts) {
    const size_t count = std::size(kOpticalColumns) - (pon == PonKind::Epon ? 1 : 0);
    auto width = [&](size_t i) {
        if (i + 1 == count) return 0; // the last column is not padded
        return l == Lang::English ? kOpticalColumns[i].englishWidth : kOpticalColumns[i].chineseWidth;
    };
    QString rows;
    for (const Ont *o : onts) {
        if (!o->online()) continue;
        rows += QLatin1String("  ");
        appendRightAligned(rows, QString::number(o->id), width(0) - 2);
        rows += QLatin1String("  ");
        for (size_t i = 1; i < count; ++i)
            appendPadded(rows, kOpticalColumns[i].value(*o), width(i));
        rows += QLatin1String("\r\n");
    }
    if (rows.isEmpty()) return {};
    QString out = rule();
    for (int line = 0; line < 2; ++line) {
        out += QLatin1String("  ");
        for (size_t i = 0; i < count; ++i) {
            const OpticalColumn &c = kOpticalColumns[i];
            appendPadded(out, QString::fromUtf8(l == Lang::English ? c.english[line] : c.chinese[line]),
                         width(i));
        }
        out += QLatin1String("\r\n");
    }
    return out + rule() + rows + rule();
}

QString renderOptics(Lang l, const Ont &o) {
    QString out = rule();
    auto field = [&](const char *english, const char *chinese, const QString &value) {
        appendField(out, tr(l, english, chinese), value, 39);
    };
    const bool gpon = o.pon == PonKind::Gpon;
    field("ONU NNI port ID", "ONU NNI端口ID", "0");
    field("Module type", "模块类型", gpon ? "GPON" : "EPON");
    field("Module sub-type", "模块子类型", gpon ? "CLASS B+" : "PX20+");
    field("Used type", "使用类型", "ONU");
    field("Encapsulation Type", "封装类型", "BOSA ON BOARD");
    field("Optical power precision(dBm)", "光功率精度(dBm)", "3.0");
    field("Vendor name", "厂商名称", o.vendor);
    field("Rx optical power(dBm)", "接收光功率(dBm)", dbm(o.rxPower));
    field("Rx power current alarm threshold(dBm)", "接收光功率告警门限(dBm)", "[-29.0,-8.0]");
    field("Tx optical power(dBm)", "发送光功率(dBm)", dbm(o.txPower));
    field("Tx power current alarm threshold(dBm)", "发送光功率告警门限(dBm)", "[0.0,6.0]");
    field("Laser bias current(mA)", "激光器偏置电流(mA)", QString::number(o.biasCurrent));
    field("Tx bias current alarm threshold(mA)", "偏置电流告警门限(mA)", "[0.000,90.000]");
    field("Temperature(C)", "温度(C)", QString::number(o.temperature));
    field("Temperature alarm threshold(C)", "温度告警门限(C)", "[-45,120]");
    field("Voltage(V)", "电压(V)", QString::number(o.voltage, 'f', 3));
    field("Supply voltage alarm threshold(V)", "电压告警门限(V)", "[3.000,3.600]");
    field("OLT Rx ONT optical power(dBm)", "OLT接收ONT光功率(dBm)", dbm(o.oltRxPower));
    field("CATV Rx optical power(dBm)", "CATV接收光功率(dBm)", "-");
    out += rule();
    return out;
}

} // namespace tw::sim
