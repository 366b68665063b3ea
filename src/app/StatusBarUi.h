#pragma once
// The main window's status bar: where the connection stands, which OLT this is, the last event,
// and while a long listing arrives how far it has come.

#include "olt/LinkState.h"

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace tw {

class OltSession;
class ReceivingIndicatorWidget;

class StatusBarUi : public QObject {
    Q_OBJECT
  public:
    // Fills `bar` and follows the session's connection and listings.
    StatusBarUi(QStatusBar *bar, OltSession &session);

    // "已连接 <where>", or the state alone ("连接中", "登录中", "登录失败", "未连接").
    void showLinkState(LinkState state, const QString &where);
    void setOltLabel(const QString &label);
    void setLastEvent(const QString &event);

    QLabel *connectionLabel;
    QLabel *oltLabel;
    QLabel *eventLabel;
    ReceivingIndicatorWidget *receivingIndicator;

  private:
    OltSession &session_;
    QString lastReport_; // the latest report; the connection's changes are put after it
};

} // namespace tw
