#include "response/DiscoveryParser.h"

#include "common/Text.h"

namespace tw {

namespace {

struct Column {
    const char16_t *label;
    const char16_t *fallback; // used when the first label's value is empty
};

const Column Columns[] = {
    {u"序列号", nullptr},       {u"框/槽/端口", nullptr},      {u"ONT SN", u"ONT MAC"},
    {u"密码", nullptr},         {u"逻辑标识", nullptr},        {u"校验码", nullptr},
    {u"生产厂商ID", nullptr},   {u"ONT版本", nullptr},         {u"ONT软件版本", nullptr},
    {u"ONT设备ID", u"ONT型号"}, {u"ONT自动发现时间", nullptr},
};

const QString LineEnd = QStringLiteral("\r\n");

QString valueAfter(const QString &record, const char16_t *label) {
    return removeBlanks(textBetween(record, QString::fromUtf16(label), LineEnd));
}

} // namespace

QString cleanOntKey(const QString &value) {
    QString key = removeBlanks(value);
    key.remove(QLatin1Char(':'));
    key = removeBlanks(key);
    const qsizetype paren = key.lastIndexOf(QLatin1Char('('));
    if (paren >= 0) key = trimBlanks(key.left(paren));
    return key;
}

Discovery parseDiscovery(const QString &text, bool gpon) {
    Discovery result;
    QString plain = text;
    plain.remove(QLatin1Char(':'));
    const QString numberLabel = QStringLiteral("序列号");
    for (const QString &record : plain.split(QStringLiteral("-\r\n"))) {
        if (!record.contains(numberLabel)) continue;
        QStringList row;
        row.reserve(std::size(Columns));
        for (const Column &c : Columns) {
            QString value = valueAfter(record, c.label);
            if (value.isEmpty() && c.fallback) value = valueAfter(record, c.fallback);
            row.append(value);
        }
        result.rows.append(row);
    }
    result.firstKey = cleanOntKey(textBetween(text, gpon ? u"ONT SN" : u"ONT MAC", LineEnd));
    return result;
}

QList<WaitingOnt> waitingOnts(const QString &text) {
    QList<WaitingOnt> out;
    for (const QString &record : text.split(QStringLiteral("-\r\n"))) {
        if (!record.contains(u"框/槽/端口")) continue;
        QString port = trimBlanks(textBetween(record, u"框/槽/端口", LineEnd));
        port.remove(QLatin1Char(':'));
        port = removeBlanks(port);
        const QString sn = cleanOntKey(textBetween(record, u"ONT SN", LineEnd));
        const QString mac = cleanOntKey(textBetween(record, u"ONT MAC", LineEnd));
        if (port.count(u'/') != 2 || (sn.isEmpty() && mac.isEmpty())) continue;
        out.append({port, sn.isEmpty() ? mac : sn, !sn.isEmpty()});
    }
    return out;
}

} // namespace tw
