#pragma once
// One console per run directory: a second start on the same run directory tells the first to show
// itself and ends silently. Consoles for different OLTs (each with its own run directory) run side
// by side.

#include <QObject>
#include <QString>

class QLocalServer;

namespace tw {

class InstanceGuard : public QObject {
    Q_OBJECT
  public:
    explicit InstanceGuard(const QString &runDir, QObject *parent = nullptr);
    ~InstanceGuard() override;

    // True when this process is the first for the run directory; it then listens for later starts.
    bool claim();
    // Asks the running instance to show itself. True when it answered.
    bool activateRunning() const;

    const QString &name() const { return name_; }

  signals:
    void activationRequested();

  private:
    QString name_;
    QLocalServer *server_ = nullptr;
};

} // namespace tw
