// The simulator's command line on arbitrary input: a session of the small test device (the
// simulator tests' own; small, so that the dump at the end stays cheap), logged in as the
// console logs in, fed the body in pieces, every paging prompt answered and every file transfer
// ended as the flags say. Lines that start with byte 0x01 go to the control channel instead
// (plug, unplug, move, fault, dump). Afterwards the model still dumps as JSON that loads back
// as a scenario and dumps the same again.
//
// Flags: bit 0 English (no language switch at login); bit 1 the paging erase in a write of its
// own; bits 2-3 how transfers end (done, timed out, refused, failed; a completed download brings
// the body itself); bit 4 the idle time-out at the end.

#include "FuzzInput.h"

#include "Scenario.h"
#include "Server.h"
#include "Session.h"

#include <QFile>
#include <QJsonDocument>

#include <memory>
#include <optional>

using namespace tw;
using namespace tw::sim;

namespace {

Device *small = nullptr;

QByteArray dumped(const Device &d) {
    return QJsonDocument(dumpDevice(d)).toJson(QJsonDocument::Compact);
}

struct Driver {
    Session &session;
    const fuzz::Input &in;
    qint64 &now;
    int transfers = 0;

    void feed(QByteArrayView bytes) {
        if (session.closing()) return;
        now += 1000;
        (void)session.receive(bytes);
        endTransfers();
        // Every page answered, but never for ever.
        for (int pages = 0; session.paging() && !session.closing() && pages < 500; ++pages) {
            (void)session.receive(" ");
            endTransfers();
        }
    }

    void endTransfers() {
        while (std::optional<TransferRequest> r = session.takeTransfer()) {
            TransferResult result;
            result.outcome = TransferResult::Outcome((in.flags >> 2) & 3);
            if (result.outcome == TransferResult::Outcome::Done &&
                r->direction == TransferRequest::Direction::Get)
                result.data = in.body.toByteArray();
            if (result.outcome != TransferResult::Outcome::Done) result.error = QStringLiteral("fuzz");
            (void)session.transferDone(result);
            fuzz::require(++transfers < 1000, "transfers without end");
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    QFile file(QStringLiteral(TW_SMALL_DEVICE));
    if (!file.open(QIODevice::ReadOnly)) fuzz::fail("cannot read " TW_SMALL_DEVICE);
    ScenarioResult r = scenarioFromJson(file.readAll());
    if (!r.device) fuzz::fail("the small device does not load", r.error.toUtf8());
    small = new Device(std::move(*r.device));
    // Saved once here, not by the first session of every input (a copy of the whole device).
    saveConfiguration(*small);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const fuzz::Input in = fuzz::readInput(data, size);
    Device device = *small;
    Faults faults;
    qint64 now = 0;
    SessionOptions options;
    options.eraseApart = in.flag(1);
    options.clock = [&now] { return now; };
    Session session(device, faults, options);
    Driver drive{session, in, now};

    (void)session.start();
    drive.feed("root\r\n");
    drive.feed(in.flag(0)
                   ? QByteArray("admin\r\n\r\nenable\r\nconfig\r\n")
                   : QByteArray("admin\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n"));
    fuzz::require(session.loggedIn(), "the console's login failed");

    QByteArrayView rest = in.body;
    while (!rest.isEmpty() && !session.closing()) {
        const qsizetype nl = rest.indexOf('\n');
        const QByteArrayView line = nl < 0 ? rest : rest.first(nl + 1);
        rest = rest.sliced(line.size());
        if (line.startsWith('\x01')) {
            const QString answer =
                runControlCommand(device, faults, QString::fromUtf8(line.sliced(1)).trimmed());
            fuzz::require(!answer.isEmpty(), "a control command without an answer");
            continue;
        }
        for (QByteArrayView piece : in.cutInto(line))
            drive.feed(piece);
    }
    if (in.flag(4) && !session.closing()) (void)session.idleExpired();
    fuzz::require(!session.prompt().isEmpty(), "no prompt");

    const QByteArray first = dumped(device);
    ScenarioResult again = scenarioFromJson(first);
    fuzz::require(again.device.has_value(), "the dump does not load back", again.error.toUtf8());
    fuzz::require(dumped(*again.device) == first, "the reloaded dump differs", first);
    return 0;
}
