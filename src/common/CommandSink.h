#pragma once

#include <QString>

namespace tw {

// Where operations send their command scripts: one GBK write per script.
class CommandSink {
  public:
    virtual ~CommandSink() = default;
    // False when the write was not made (not connected).
    virtual bool send(const QString &script) = 0;
};

} // namespace tw
