#pragma once
// A configuration file made active: the device it describes, built by running its lines as the
// CLI runs them, on the hardware the device has now.

#include "Faults.h"
#include "Model.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace tw::sim {

class Session;

struct ConfigurationResult {
    Device device;
    QStringList rejected; // lines the device did not take, as they stand in the file
};

// The configuration starts from the factory state of `running`'s boards and accounts; the file's
// "board add" lines take unconfirmed boards into service. What is on the fibre is not part of it.
// A big file takes a while: the replay runs a slice at a time, so the event loop goes on.
class ConfigurationReplay {
  public:
    ConfigurationReplay(const Device &running, const QString &text);
    ~ConfigurationReplay();
    ConfigurationReplay(const ConfigurationReplay &) = delete;
    ConfigurationReplay &operator=(const ConfigurationReplay &) = delete;

    // Runs the next lines until `budgetMs` has passed; true when the file is done.
    bool step(int budgetMs);
    ConfigurationResult take();

  private:
    void run(const QString &raw);

    ConfigurationResult result_;
    Faults faults_;
    std::unique_ptr<Session> session_;
    QStringList lines_;
    qsizetype next_ = 0;
    size_t configDepth_ = 0;
    size_t blockDepth_ = 0;
    bool done_ = false;
};

ConfigurationResult deviceFromConfiguration(const Device &running, const QString &text);

// "active configuration system" leaves the file in Device::activating; this restarts the device
// with it at once (the server does the same a slice at a time while the device boots).
void activateNow(Device &d);

} // namespace tw::sim
