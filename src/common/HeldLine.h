#pragma once
// After "帮助" the OLT lists what may follow the command typed so far, then shows that partial
// command again and keeps it on its input line. Whatever is sent next would be glued to it: this
// keeps track of it, so the next script either continues it or erases it first.

#include <QString>

namespace tw {

class HeldLine {
  public:
    // The bytes for a help request on `entry` ("?" after it); its last line stays held.
    QString help(const QString &entry);
    // The bytes that make the OLT run exactly `script`: the script without the held text when it
    // continues it, else the held text erased (one backspace a character) and the whole script.
    QString prepare(const QString &script);
    // A new connection holds nothing.
    void clear() {
        held_.clear();
        asked_.clear();
    }
    const QString &held() const { return held_; }

  private:
    QString held_;  // the last line of the entry, on the OLT's input line
    QString asked_; // the whole entry the help was asked for (its earlier lines already ran)
};

} // namespace tw
