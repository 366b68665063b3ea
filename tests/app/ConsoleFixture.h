#pragma once
// A main window on a fresh run directory, with the outside world replaced by recorders: the sink
// keeps every write, the operator answers from a script, the probe and the connect are counted.

#include "TestDoubles.h"
#include "app/MainWindow.h"
#include "common/ActivityLog.h"
#include "common/Gbk.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "ont/OntPage.h"

#include <QAction>

#include <memory>

namespace tw::test {

struct Console {
    TempRunDir run;
    SettingsStore settings{run.config()};
    ActivityLog log{settings, run.path(), FixedClock{QDateTime(QDate(2024, 5, 6), QTime(8, 0, 0))}};
    ScriptedOperator op;
    RecordingSink sink;
    std::unique_ptr<MainWindow> window;
    QStringList probes;
    int connects = 0, controlPanels = 0;
    bool reachable = true;

    explicit Console(const QString &config) {
        run.writeConfig(config);
        window = std::make_unique<MainWindow>(settings, log, op);
        window->session.setSink(&sink);
        window->probe = [this](const QString &host, int port) {
            probes << host + QLatin1Char(':') + QString::number(port);
            return reachable;
        };
        window->session.connectOlt = [this] { ++connects; };
        window->openControlPanel = [this] { ++controlPanels; };
    }
    QString logText() const { return fromGbk(run.readFile(QStringLiteral("日志/2024-05-06.txt"))); }
    QString sent() const { return fromGbk(sink.all()); }
    OntPage &page() const { return *window->ontPage; }
    QAction *action(QWidget *container, const QString &text) const {
        for (QAction *a : container->actions())
            if (a->text() == text) return a;
        return nullptr;
    }
};

// config.ini of a console that has been set up (address, port, account, password) plus `extra`.
inline QString configured(const QString &extra = {}) {
    return QStringLiteral("[OLT]\nIP地址=10.1.1.1\n端口=23.9\n帐号=root\n密码=") +
           encodePassword(QStringLiteral("admin")) + QLatin1Char('\n') + extra;
}

} // namespace tw::test
