#pragma once
// The first look at every chunk the OLT sends (after the telnet layer): terminal control bytes
// are removed, and the paging prompt, the login dialogue and a few fixed messages are answered.
// Pure: the caller makes the writes, the reconnect and the box, and hands on what is left.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace tw {

class SettingsStore;

struct ChunkOutcome {
    QList<QByteArray> sends; // answers in GBK, one write each, in this order
    // Connect anew (idle notice with 自动重连 on). It comes after the first sendsBeforeReconnect
    // answers; the later ones go to the new connection.
    bool reconnect = false;
    qsizetype sendsBeforeReconnect = 0;
    bool loginRejected = false;   // show the rejected-login box
    bool accountAnswered = false; // the account answers a user-name prompt
    bool loginAnswered = false;   // the password is among the sends (the post-login lines follow it)
    int typedLines = 0;           // command lines among the sends (a fixed answer typed into the CLI)
    bool discarded = false;       // nothing of the chunk reaches the router or the console
    bool pagingBroken = false;    // a paging prompt was answered with the break key
    QByteArray passOn;            // what goes on to the router when not discarded
};

// How a stream's paging prompts are answered, chunk after chunk. Each key the OLT takes at its
// pager shows one more page and prompt; the answers keep KeysAhead keys on their way, never more,
// so that pages arrive without a round trip each and yet a break ("q") reaches the pager after at
// most that many pages. (Answering every prompt with several keys would pile keys up at the OLT:
// a break typed behind them waits until the whole listing has been printed.)
struct Pager {
    static constexpr int KeysAhead = 2;
    int keysAhead = 0;     // keys sent that no prompt has shown taken yet
    bool paged = false;    // the output under way has stopped at a pager and was answered
    bool breaking = false; // the next prompt the OLT waits at gets "q", the output ends there
    // The output ended at a CLI prompt: keys still on their way went to the command line.
    void outputEnded() { *this = {}; }
};

// Settings (account, password, 自动重连) are read only when a prompt or notice asks for them.
// Without a pager the chunk is taken alone: its paging prompt is answered as the first of an output.
ChunkOutcome runChunkStage(QByteArray chunk, const SettingsStore &settings, Pager *pager = nullptr);

// Drops CSI escape sequences ("ESC [", parameters, final byte) and bell-space pairs, and with them
// the blanks of the OLT's erase pattern (ESC[nD, n blanks, ESC[nD) that wipes an answered paging
// prompt. The text around them is kept. A sequence cut off by the end of the chunk is dropped.
QByteArray removeTerminalControls(QByteArrayView chunk);

} // namespace tw
