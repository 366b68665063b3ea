#pragma once
// What the response router reads and writes, as interfaces the main window implements, so that
// the routing runs without widgets.

#include <QByteArrayView>
#include <QString>

namespace tw {

// Current texts of the input fields some rules build their fragments from.
class RouterFields {
  public:
    enum Field {
        ListFrame,   // "ONT 列表": 机框：
        ListBoard,   // "ONT 列表": 业务板：
        ListPort,    // "ONT 列表": 端口：
        DetailFrame, // "ONT 详细": 机框：
        DetailBoard, // "ONT 详细": 业务板：
        DetailPort,  // "ONT 详细": 端口：
        DetailOnt,   // "ONT 详细": ONT编号：
        VersionFrame // "ONT 版本": 机框：
    };
    virtual ~RouterFields() = default;
    virtual QString text(Field field) const = 0;
};

// Text panes replaced whole, the query pane's streaming append and the operator console.
class RouterTargets {
  public:
    enum Pane {
        QueryPane,       // QueryPage
        BoardPane,       // BoardPage
        AlarmPane,       // AlarmPage
        OntDetailPane,   // OntPage, "ONT 详细"
        OntSearchPane,   // OntPage, "ONT 查询"
        RegistrationPane // OntPage, "ONT 注册"
    };
    virtual ~RouterTargets() = default;
    virtual void replacePaneText(Pane pane, const QString &text) = 0;
    virtual void appendQueryPane(const QString &text) = 0;
    virtual void appendConsole(const QString &text) = 0;
    // A listing that fills a grid is arriving: `lines` so far, and `onts` when it is an ONT list
    // (-1 otherwise); lines -1 once it completed or was dropped.
    virtual void receiving(qsizetype lines, qsizetype onts) {
        (void)lines;
        (void)onts;
    }
};

// The handlers of completed outputs. Each does nothing until overridden. `output` is the collected output as
// bytes (the whole buffer), `text` its text (decoded up to the first NUL).
class RouterHandlers {
  public:
    virtual ~RouterHandlers() = default;
    // RouterRule::Chassis, after the query pane got the text: redraw the chassis view.
    virtual void redrawChassis(QByteArrayView output) { (void)output; }
    // RouterRule::OntList: cut the ONT list grid back to its header row, then parse the output into it.
    virtual void ontList(QByteArrayView output) { (void)output; }
    // RouterRule::Discovery: fill the discovery grid, possibly starting the automatic registration.
    virtual void discovery(const QString &text) { (void)text; }
    // RouterRule::OntAdd, after the registration pane got the text.
    virtual void addReply(const QString &text) { (void)text; }
    // RouterRule::OntVersions, only when the text holds no "主用软件版本".
    virtual void versionList(QByteArrayView output) { (void)output; }
    // Rules 2 and 27 for a listing that "中断命令" broke off: the rows that came, told as cut short.
    virtual void ontListCut(QByteArrayView output) { ontList(output); }
    virtual void versionListCut(QByteArrayView output) { versionList(output); }
};

} // namespace tw
