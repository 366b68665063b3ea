#pragma once
// Moving a re-homed ONT: when its registration on a new port fails because the OLT still holds it
// on the old one, the console asks where it is registered and deletes that registration (service
// ports, then the ONT). With IPTV on, the ONT's multicast users are removed first, which takes one
// more query: the location reply is stashed until the service-port reply arrives.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tw {

class ActivityLog;
class CommandSink;
class SettingsStore;
struct SharedValues;

// Values of the "label : value" lines of an ONT-info reply whose label is one of `labels`, in the
// order of the reply: the text after the line's last ":" with every blank removed.
QStringList ontInfoEntries(QStringView text, const QStringList &labels);

// The key the reply answers, from its echo "display ont info by-sn <key>" / "by-mac <key>";
// empty when the text holds neither echo.
QString queriedKey(QStringView text);

class AutoMove {
  public:
    AutoMove(CommandSink &sink, const SettingsStore &settings, const ActivityLog &log, SharedValues &shared)
        : sink_(sink), settings_(settings), log_(log), shared_(shared) {}

    // A completed "display ont info by-..." output: moves the ONT when the reply answers the
    // location query recorded in SharedValues::moveQueryKey (never an operator's own search).
    void searchReply(const QString &text, QByteArrayView output);
    // The reply to the service-port listing a multicast clean-up waits for: removes the ONT's
    // multicast users, then sends the ONT deletion that waited for them, if any.
    void iptvCleanup(const QString &text);
    // The same, then the move of the stashed ONT-info reply.
    void iptvCleanupWithMove(const QString &text);

  private:
    int removeMulticastUsers(const QString &text);
    void runMove(const QString &text);
    void gponMove(const QString &text);
    void eponMove(const QString &text);
    bool iptvFirstStep(const QString &text);

    CommandSink &sink_;
    const SettingsStore &settings_;
    const ActivityLog &log_;
    SharedValues &shared_;
};

} // namespace tw
