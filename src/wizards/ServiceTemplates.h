#pragma once
// The two fixed CLI templates of "标准开局" and how their placeholders are filled: the service
// template of "一键开局" (DBA profile, GPON and EPON line and service profiles) and the IPTV
// template of "一键IPTV" (IPTV additions to the GPON profiles, multicast VLAN with IGMP proxy).

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace tw {

// One line of a template and the empty lines sent before it.
struct TemplateRow {
    int emptyBefore;
    const char16_t *line;
};

// Each row as its empty lines and its line, every line ended by CR LF, then one more empty line.
QString templateText(std::initializer_list<TemplateRow> rows);

QString serviceTemplate();
QString iptvTemplate();

// The rows that stand for one translation line per ONT Ethernet port, without their line end.
inline const QString ServiceEthRow =
    QStringLiteral("port vlan eth *ethyw* translation *业务内层* user-vlan *业务内层*");
inline const QString IptvEthRow =
    QStringLiteral("port vlan eth *ethdb* translation *点播内层* user-vlan *点播内层*");

// "port vlan eth " + port + " translation " + vlan + " user-vlan " + vlan + CR LF + CR LF per port,
// `vlan` being a placeholder filled later.
QString ethTranslationLines(const QStringList &ports, const QString &vlan);

// The ONT Ethernet ports typed as a comma list (half-width or full-width commas).
QStringList ethPorts(const QString &typed);
// The list as the field shows it after use: full-width commas written as half-width ones.
QString withHalfWidthCommas(QString typed);

struct Replacement {
    QString placeholder, value;
};

// Each step replaces every occurrence of its placeholder, left to right, without rescanning what
// it inserted; later steps work on the result, so they also fill what earlier steps inserted.
QString fillPlaceholders(QString text, std::initializer_list<Replacement> steps);

} // namespace tw
