#include "app/RouterBridgeUi.h"

#include "admin/BoardPage.h"
#include "app/MainWindow.h"
#include "app/OperatorConsoleWidget.h"
#include "app/ReceivingIndicatorWidget.h"
#include "app/WidgetKitUi.h"
#include "monitor/AlarmPage.h"
#include "monitor/QueryPage.h"
#include "ont/OntPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tw {

QString RouterBridge::text(Field field) const {
    const OntPage &p = *window_.ontPage;
    switch (field) {
    case ListFrame:
        return p.list.frame->text();
    case ListBoard:
        return p.list.slot->currentText();
    case ListPort:
        return p.list.port->currentText();
    case DetailFrame:
        return p.detail.frame->text();
    case DetailBoard:
        return p.detail.slot->currentText();
    case DetailPort:
        return p.detail.port->currentText();
    case DetailOnt:
        return p.detailOnt->text();
    case VersionFrame:
        return p.version.frame->text();
    }
    return {};
}

void RouterBridge::replacePaneText(Pane pane, const QString &text) {
    QPlainTextEdit *target = nullptr;
    switch (pane) {
    case QueryPane:
        target = window_.queryPage->queryPane;
        break;
    case BoardPane:
        target = window_.boardPage->boardPane;
        break;
    case AlarmPane:
        target = window_.alarmPage->alarmPane;
        break;
    case OntDetailPane:
        target = window_.ontPage->detailPane;
        break;
    case OntSearchPane:
        target = window_.ontPage->searchPane;
        break;
    case RegistrationPane:
        target = window_.ontPage->registrationPane;
        break;
    }
    if (target) setPaneText(target, text);
}

void RouterBridge::appendQueryPane(const QString &text) {
    appendPaneText(window_.queryPage->queryPane, text);
}

void RouterBridge::appendConsole(const QString &text) {
    window_.console->append(text);
}

void RouterBridge::receiving(qsizetype lines) {
    window_.receivingIndicator->showProgress(lines);
}

} // namespace tw
