#include "wizards/ServiceTemplates.h"

#include "common/Text.h"

namespace tw {

QString templateText(std::initializer_list<TemplateRow> rows) {
    const QString crLf = QStringLiteral("\r\n");
    QString text;
    for (const TemplateRow &row : rows)
        text += crLf.repeated(row.emptyBefore) + QString::fromUtf16(row.line) + crLf;
    return text + crLf;
}

QString serviceTemplate() {
    return templateText({
        {1, u"board confirm 0"},
        {1, u"idle-timeout 120"},
        {3, u"dba-profile add profile-id *dba4* profile-name \"DBA_FTTH_4\" type4 max 102400"},
        {1, u"ont-lineprofile gpon profile-id *gxl* profile-name \"GPON_Kelvara\""},
        {1, u"tcont 1 dba-profile-id *gdba*"},
        {1, u"gem add 1 eth tcont 1"},
        {1, u"gem mapping 1 1 vlan *业务内层*"},
        {3, u"commit"},
        {1, u"quit"},
        {1, u"ont-srvprofile gpon profile-id *gyw* profile-name \"GPON_Brindle\""},
        {1, u"ont-port pots adaptive eth adaptive"},
        {1, u"port vlan eth *ethyw* translation *业务内层* user-vlan *业务内层*"},
        {3, u"commit"},
        {1, u"quit"},
        {2, u"ont-lineprofile epon profile-id *exl* profile-name \"EPON_Kelvara\""},
        {1, u"llid dba-profile-id *edba*"},
        {1, u"commit"},
        {1, u"quit"},
        {1, u"ont-srvprofile epon profile-id *eyw* profile-name \"EPON_Brindle\""},
        {1, u"ont-port pots adaptive eth adaptive"},
        {1, u"port eth 1 multicast-tagstrip untag"},
        {1, u"commit"},
        {1, u"quit"},
    });
}

QString iptvTemplate() {
    return templateText({
        {2, u"ont-lineprofile gpon profile-id *gxl* profile-name \"GPON_Kelvara\""},
        {1, u"gem mapping 1 2 vlan *点播内层*"},
        {1, u"commit"},
        {1, u"quit"},
        {1, u"ont-srvprofile gpon profile-id *gyw* profile-name \"GPON_Brindle\""},
        {1, u"multicast-forward untag"},
        {1, u"port vlan eth *ethdb* translation *点播内层* user-vlan *点播内层*"},
        {1, u"commit"},
        {1, u"quit"},
        {4, u"multicast-vlan *组播VLAN*"},
        {1, u"igmp version v2"},
        {0, u"y"},
        {1, u"igmp mode off"},
        {0, u"y"},
        {1, u"igmp match mode disable"},
        {1, u"igmp mode proxy"},
        {0, u"y"},
        {1, u"igmp uplink-port *组播上行*"},
        {1, u"quit"},
    });
}

QString ethTranslationLines(const QStringList &ports, const QString &vlan) {
    QString lines;
    for (const QString &port : ports)
        lines += QStringLiteral("port vlan eth ") + port + QStringLiteral(" translation ") + vlan +
                 QStringLiteral(" user-vlan ") + vlan + QStringLiteral("\r\n\r\n");
    return lines;
}

QStringList ethPorts(const QString &typed) {
    // An empty piece ("1,,2") would be a translation line naming no port.
    return splitCommaList(typed);
}

QString withHalfWidthCommas(QString typed) {
    return typed.replace(u'，', u',');
}

QString fillPlaceholders(QString text, std::initializer_list<Replacement> steps) {
    for (const Replacement &step : steps)
        text.replace(step.placeholder, step.value, Qt::CaseSensitive);
    return text;
}

} // namespace tw
