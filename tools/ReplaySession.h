#pragma once
// Replays a capture (the raw bytes an OLT sent) through the console's receive path (the telnet
// layer, the prompt joiner, the chunk stage: the very ReceivePath the connection drives), the response
// router and the reply handlers, with a scratch config.ini.
// What the completed outputs do to the grids, panes, serial boxes and chassis comes back as text.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tw::replay {

struct Options {
    // The input fields some router rules build their fragments from; empty unless given.
    QString listFrame, listBoard, listPort;
    QString detailFrame, detailBoard, detailPort, detailOnt;
    QString versionFrame;
    bool gpon = false;         // the discovery's PON kind (the console starts with EPON)
    bool autoRegister = false; // "开启自动注册" ticked
    qsizetype chunkSize = 0;   // 0: a chunk ends after every "(config)#"; else fixed-size chunks
    bool verbose = false;      // report the answers the chunk stage and telnet layer would send
};

struct Result {
    QString out;                // the printed blocks
    QString log;                // --verbose notes
    int completed = 0;          // outputs the router completed
    qsizetype pendingBytes = 0; // non-blank bytes collected after the last completed output
};

// The capture cut into the chunks the replay feeds, in order; joined they give the capture back.
QList<QByteArray> splitCapture(const QByteArray &capture, qsizetype chunkSize);

Result replay(const QByteArray &capture, const Options &options);

QString usage();

// The whole command line (arguments without the program name). Writes what goes to stdout to
// `out` and what goes to stderr to `err`; returns the exit status.
int runCommandLine(const QStringList &args, QString &out, QString &err);

// Exit statuses.
inline constexpr int ExitOk = 0;
inline constexpr int ExitBadCapture = 1; // unreadable, empty, or no output completes
inline constexpr int ExitUsage = 2;
inline constexpr int ExitTruncated = 3; // the capture ends inside an output

} // namespace tw::replay
