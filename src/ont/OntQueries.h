#pragma once
// The query buttons of the ONT tabs: each reads its tab's fields as typed, sends one script and
// leaves the reply to the router.

#include <QString>
#include <QStringList>

namespace tw {

class CommandSink;
class GridModel;
class Operator;
class SettingsStore;

struct PortFields {
    QString frame, slot, port;
};

struct DetailFields {
    QString frame, slot, port, ont, index;
};

// The search types of "ONT 查询", in the order of the selector.
const QStringList &searchTypes();
QString searchPrefix(int type);

inline const QString DetailHelp = QStringLiteral(
    "\r\n机框：       单机框默认为 0\r\n\r\n业务板：     左 1-8，右 11-18，请确认板卡所在卡槽\r\n\r\n端口：  "
    "     "
    "0-15，0为第一个，请确认ONT所在端口\r\n\r\nONT编号：    0-127，0为第一个依此类推，请勿重复\r\n");
inline const QString SearchHelp = QStringLiteral(
    "\r\nONT IP地址,格式为  <X.X.X.X>\r\n\r\nONT LOID,格式为    <长度1-24位文本>\r\n\r\nONT 密码,格式为    "
    "<长度1-10位文本>\r\n\r\nONT MAC地址,格式为 <XXXX-XXXX-XXXX>\r\n\r\nONT SN即序列号,格式为   "
    "<XXXXXXXXXXXXXX>,<XXXXXXXXXXXXXXXX>或<XXXX-XXXXXXXX>\r\n\r\n");

class OntQueries {
  public:
    OntQueries(CommandSink &sink, Operator &op, SettingsStore &settings)
        : sink_(sink), op_(op), settings_(settings) {}

    // "ONT 列表"
    void listPort(const PortFields &f, GridModel &grid);
    void listBoard(const PortFields &f, GridModel &grid);
    void listFrame(const PortFields &f, GridModel &grid);
    // "ONT 详细"
    void detail(const DetailFields &f);
    void registration(const DetailFields &f);
    void serviceIndex(const DetailFields &f);
    void serviceFlow(const DetailFields &f);
    // "ONT 发现"
    void discoverPort(const PortFields &f);
    void portState(const PortFields &f);
    void allPortStates(const PortFields &f);
    void discoverAll();
    // "ONT 查询": `type` is the selector's index, -1 when nothing is selected.
    void search(int type, const QString &parameter);
    // "ONT 版本"
    void versionPort(const PortFields &f, GridModel &grid);
    void versionBoard(const PortFields &f, GridModel &grid);
    void versionFrame(const PortFields &f, GridModel &grid);

  private:
    // One write; a lost one is told once.
    bool tell(const QString &script);

    CommandSink &sink_;
    Operator &op_;
    SettingsStore &settings_;
};

} // namespace tw
