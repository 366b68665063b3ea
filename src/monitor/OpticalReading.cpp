#include "monitor/OpticalReading.h"

#include "common/CommandSink.h"
#include "common/GridModel.h"
#include "common/ScriptOutcome.h"
#include "ont/OntLookups.h"
#include "response/ChassisDrawing.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <iterator>

namespace tw {

namespace {

const QString DisplayOptical = QStringLiteral("display ont optical-info");
const QString DisplayBoard = QStringLiteral("display board");

// Port counts of the service boards by the name after their "H80x" prefix; another GPON or EPON
// board is taken to have 16 (a port it lacks is refused by the OLT and shows as not read).
int portsOf(QStringView model) {
    static const QHash<QString, int> known = {
        {QStringLiteral("GPBD"), 8},  {QStringLiteral("GPBH"), 8},  {QStringLiteral("EPBD"), 8},
        {QStringLiteral("EPBA"), 4},  {QStringLiteral("GPFD"), 16}, {QStringLiteral("GPHF"), 16},
        {QStringLiteral("GPSF"), 16}, {QStringLiteral("GPUF"), 16}, {QStringLiteral("EPFD"), 16},
        {QStringLiteral("EPSD"), 16},
    };
    return known.value(model.toString(), 16);
}

// A failure that only says there is nothing to list on the port: no ONT there, none online.
bool nothingToList(const QString &failure) {
    static const char16_t *const quiet[] = {u"不在线",         u"不存在", u"not online",
                                            u"does not exist", u"no ONT", u"There is no"};
    for (const char16_t *q : quiet)
        if (failure.contains(QString::fromUtf16(q), Qt::CaseInsensitive)) return true;
    return false;
}

QString placeKey(const QString &port, int ontId) {
    return port + u' ' + QString::number(ontId);
}

// The ONT list's rows by place, and where its columns are (found by caption, so that a grid
// with more or fewer columns still joins what it has).
struct OntListIndex {
    int portColumn = -1, idColumn = -1, serialColumn = -1, descriptionColumn = -1;
    QHash<QString, int> rowByPlace;        // "0/1/3 5" -> row
    QHash<QString, QList<int>> rowsByPort; // "0/1/3" -> rows

    explicit OntListIndex(const GridModel *grid) {
        if (!grid) return;
        const QList<GridColumn> &columns = grid->columns();
        for (int c = 0; c < columns.size(); ++c) {
            const QString &caption = columns[c].caption;
            if (caption == QStringLiteral("框/槽/端口")) portColumn = c;
            if (caption == QStringLiteral("ONT编号")) idColumn = c;
            if (caption == QStringLiteral("序列号")) serialColumn = c;
            if (caption.contains(QStringLiteral("描述")) || caption.contains(QStringLiteral("备注")))
                descriptionColumn = c;
        }
        if (portColumn < 0 || idColumn < 0) return;
        for (int r = 0; r < grid->count(); ++r) {
            bool ok = false;
            const int id = grid->cellView(r, idColumn).trimmed().toInt(&ok);
            if (!ok) continue;
            const QString port = grid->cellView(r, portColumn).trimmed().toString();
            rowByPlace.insert(placeKey(port, id), r);
            rowsByPort[port].append(r);
        }
    }
};

} // namespace

QList<PonBoard> ponBoardsOf(const QString &answer, int frame) {
    QList<PonBoard> boards;
    for (const BoardLine &line : boardLines(answer)) {
        const QString name = QString(line.name).remove(QStringLiteral("\r\n"));
        const QStringView model = QStringView(name).mid(4);
        PonBoard b{frame, line.slot, PonKind::Gpon, portsOf(model)};
        if (model.startsWith(u"GP"))
            b.kind = PonKind::Gpon;
        else if (model.startsWith(u"EP"))
            b.kind = PonKind::Epon;
        else
            continue;
        if (line.slot < 0 || line.slotText.isEmpty()) continue;
        boards.append(b);
    }
    std::sort(boards.begin(), boards.end(),
              [](const PonBoard &a, const PonBoard &b) { return a.slot < b.slot; });
    return boards;
}

QString OpticalScope::text() const {
    switch (kind) {
    case Port:
        return QStringLiteral("%1/%2/%3").arg(frame).arg(slot).arg(port);
    case Board:
        return QStringLiteral("%1/%2").arg(frame).arg(slot);
    case Chassis:
        break;
    }
    return QString::number(frame);
}

QString readingProgressText(int done, int total) {
    return QStringLiteral("已读取 %1/%2 个端口").arg(done).arg(total);
}

struct OpticalReading::State {
    struct PortJob {
        PonBoard board;
        int port = 0;
        QString place() const {
            return QStringLiteral("%1/%2/%3").arg(board.frame).arg(board.slot).arg(port);
        }
    };
    explicit State(const GridModel *ontList) : list(ontList), ontList(ontList) {}

    OntListIndex list;
    const GridModel *ontList;
    std::vector<PortJob> ports;
    size_t next = 0; // the port being read is ports[next - 1]
    bool stopRequested = false;
    OpticalResult result;
    std::vector<OpticalSample> samples;
};

OpticalReading::OpticalReading(CommandSink &sink, OpticalHistory *history, const GridModel *ontList)
    : sink_(sink), history_(history), ontList_(ontList), generation_(std::make_shared<int>(0)) {}

OpticalReading::~OpticalReading() = default;

bool OpticalReading::run(const QString &script, void (OpticalReading::*then)(const ScriptOutcome &)) {
    const std::weak_ptr<int> token = generation_;
    const int generation = *generation_;
    RunOptions options;
    // Nothing after a failed line: the confirmation must not go as a command of its own. The
    // runner brings the CLI back from the interface mode all the same.
    options.stopAtFailure = true;
    return sink_.run(
        script,
        [this, token, generation, then](const ScriptOutcome &outcome) {
            const std::shared_ptr<int> alive = token.lock();
            if (alive && *alive == generation && state_) (this->*then)(outcome);
        },
        options);
}

bool OpticalReading::start(const OpticalScope &scope, QList<PonBoard> boards) {
    if (state_) return false;
    state_ = std::make_unique<State>(ontList_);
    state_->result.scope = scope;
    state_->result.taken = clock();
    if (!boards.isEmpty()) {
        planPorts(boards);
        return true;
    }
    if (!run(DisplayBoard + u' ' + QString::number(scope.frame) + QStringLiteral("\r\n"),
             &OpticalReading::boardsAnswered)) {
        state_.reset();
        return false;
    }
    return true;
}

void OpticalReading::boardsAnswered(const ScriptOutcome &outcome) {
    if (outcome.status == ScriptOutcome::Interrupted || outcome.status == ScriptOutcome::TimedOut)
        return finish(OpticalResult::Interrupted, outcome.reason);
    if (state_->stopRequested) return finish(OpticalResult::Interrupted, QStringLiteral("已中断"));
    const QString answer = outcome.answerTo(DisplayBoard);
    if (const LineAnswer *failed = outcome.firstFailure())
        return finish(OpticalResult::Failed, failed->failure);
    planPorts(ponBoardsOf(answer, state_->result.scope.frame));
}

void OpticalReading::planPorts(const QList<PonBoard> &boards) {
    const OpticalScope &scope = state_->result.scope;
    for (const PonBoard &b : boards) {
        if (b.frame != scope.frame || (scope.kind != OpticalScope::Chassis && b.slot != scope.slot)) continue;
        for (int p = 0; p < b.ports; ++p)
            if (scope.kind != OpticalScope::Port || p == scope.port) state_->ports.push_back({b, p});
    }
    if (state_->ports.empty()) {
        const QString what = scope.kind == OpticalScope::Chassis ? QStringLiteral("该框没有PON单板")
                             : scope.kind == OpticalScope::Board
                                 ? scope.text() + QStringLiteral(" 不是PON单板")
                                 : scope.text() + QStringLiteral(" 不是PON端口");
        return finish(OpticalResult::Failed, what);
    }
    state_->result.portsTotal = int(state_->ports.size());
    if (progress) progress(0, state_->result.portsTotal);
    nextPort();
}

void OpticalReading::nextPort() {
    const State::PortJob &job = state_->ports[state_->next++];
    const QString script = portOpticalScript(OntRef{job.place(), {}, {}}, kindWord(job.board.kind));
    if (!run(script, &OpticalReading::portAnswered))
        finish(OpticalResult::Failed, QStringLiteral("OLT未连接"));
}

void OpticalReading::portAnswered(const ScriptOutcome &outcome) {
    State &s = *state_;
    const State::PortJob &job = s.ports[s.next - 1];
    if (outcome.status == ScriptOutcome::Interrupted || outcome.status == ScriptOutcome::TimedOut)
        return finish(OpticalResult::Interrupted, outcome.reason);

    // The listing is the answer to the display line and to the confirmation that followed it.
    QByteArray listing;
    for (const LineAnswer &line : outcome.lines)
        if (line.command.startsWith(DisplayOptical)) listing += line.answer;
    std::vector<OpticalRow> rows = parseOpticalInfo(listing, {job.board.frame, job.board.slot, job.port});
    bool listed = true; // the OLT answered for the port's ONTs (with rows or with "none online")
    if (const LineAnswer *failed = outcome.firstFailure()) {
        const bool inMode = !failed->command.startsWith(QStringLiteral("interface"));
        listed = inMode && nothingToList(failed->failure);
        if (!listed) s.result.portFailures.append(job.place() + QStringLiteral("：") + failed->failure);
    }

    const QString place = job.place();
    QSet<int> seen;
    std::vector<OpticalEntry> entries;
    for (OpticalRow &row : rows) {
        row.frame = job.board.frame;
        row.slot = job.board.slot;
        row.port = job.port;
        seen.insert(row.ontId);
        OpticalEntry e{row, {}, {}, false};
        if (const int r = s.list.rowByPlace.value(placeKey(place, row.ontId), -1); r >= 0) {
            if (s.list.serialColumn >= 0) e.serial = s.ontList->cell(r, s.list.serialColumn);
            if (s.list.descriptionColumn >= 0) e.description = s.ontList->cell(r, s.list.descriptionColumn);
        }
        s.samples.push_back({e.serial, row});
        entries.push_back(std::move(e));
    }
    if (listed) {
        for (int r : s.list.rowsByPort.value(place)) {
            const int id = s.ontList->cellView(r, s.list.idColumn).trimmed().toInt();
            if (seen.contains(id)) continue;
            seen.insert(id);
            OpticalEntry e;
            e.row.frame = job.board.frame;
            e.row.slot = job.board.slot;
            e.row.port = job.port;
            e.row.ontId = id;
            e.offline = true;
            if (s.list.serialColumn >= 0) e.serial = s.ontList->cell(r, s.list.serialColumn);
            if (s.list.descriptionColumn >= 0) e.description = s.ontList->cell(r, s.list.descriptionColumn);
            entries.push_back(std::move(e));
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const OpticalEntry &a, const OpticalEntry &b) { return a.row.ontId < b.row.ontId; });
    std::move(entries.begin(), entries.end(), std::back_inserter(s.result.entries));

    ++s.result.portsRead;
    if (progress) progress(s.result.portsRead, s.result.portsTotal);
    if (s.next >= s.ports.size()) return finish(OpticalResult::Done);
    if (s.stopRequested) return finish(OpticalResult::Interrupted, QStringLiteral("已中断"));
    nextPort();
}

void OpticalReading::interrupt() {
    if (!state_ || state_->stopRequested) return;
    state_->stopRequested = true;
    sink_.sendNow(QStringLiteral("Q\r\n"));
}

void OpticalReading::finish(OpticalResult::Status status, const QString &reason) {
    std::unique_ptr<State> s = std::move(state_);
    ++*generation_;
    OpticalResult result = std::move(s->result);
    result.status = status;
    result.reason = reason;
    // What was read is kept even when the reading was cut short.
    if (history_ && !s->samples.empty()) {
        const OpticalSnapshot snapshot{result.taken, result.scope.text(), std::move(s->samples)};
        if (!history_->isOpen() && !history_->open())
            result.storeError = history_->error();
        else if (!history_->store(snapshot))
            result.storeError = history_->error();
        else if (retentionDays > 0 && history_->prune(clock(), retentionDays) < 0)
            result.storeError = history_->error();
    }
    if (finished) finished(result);
}

} // namespace tw
