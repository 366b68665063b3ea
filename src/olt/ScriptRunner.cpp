#include "olt/ScriptRunner.h"

#include "common/Gbk.h"

#include <utility>

namespace tw {

namespace {

bool isBlankByte(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

QByteArrayView trimmedRight(QByteArrayView line) {
    while (!line.isEmpty() && isBlankByte(line.back()))
        line.chop(1);
    return line;
}

// Length of the prompt that `line` starts with ("name>", "name#", "name(mode)#",
// "name(diagnose)%%"), 0 when it starts with none.
qsizetype promptLength(QByteArrayView line) {
    qsizetype i = 0;
    while (i < line.size() && !isBlankByte(line[i]) && line[i] != '#' && line[i] != '>' && line[i] != '(' &&
           line[i] != ')' && line[i] != ':')
        ++i;
    if (i == 0 || i == line.size()) return 0;
    if (line[i] == '(') {
        const qsizetype close = line.indexOf(')', i);
        if (close < 0) return 0;
        for (qsizetype j = i + 1; j < close; ++j)
            if (isBlankByte(line[j]) || line[j] == '(') return 0;
        i = close + 1;
        if (line.sliced(i).startsWith("%%")) return i + 2;
    }
    if (i < line.size() && (line[i] == '#' || line[i] == '>')) return i + 1;
    return 0;
}

// The bytes of a written line that its echo shows: no line end, no control bytes.
QByteArray echoOf(const QByteArray &bytes) {
    QByteArray out;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= ' ' && c != 0x7F) out += c;
    return out;
}

bool isOptionsQuestion(QByteArrayView line) {
    return trimmedRight(line).trimmed().startsWith("{");
}

bool entersMode(const QString &command) {
    const QString c = command.trimmed();
    return c.startsWith(u"interface ") || c == u"btv" || c == u"diagnose";
}

const QString HomeNote = QStringLiteral("\r\n[控制台] 命令行停在了%1，已自动发送 quit 回到配置模式。\r\n");

} // namespace

QList<std::pair<QString, QString>> scriptLines(const QString &script) {
    QList<std::pair<QString, QString>> out;
    qsizetype from = 0;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (c != u'\r' && c != u'\n') continue;
        const qsizetype endLen = c == u'\r' && i + 1 < script.size() && script[i + 1] == u'\n' ? 2 : 1;
        out.append({script.mid(from, i - from), script.mid(i, endLen)});
        i += endLen - 1;
        from = i + 1;
    }
    if (from < script.size()) out.append({script.mid(from), QString()});
    return out;
}

bool ScriptRunner::isPrompt(QByteArrayView line) {
    const QByteArrayView t = trimmedRight(line);
    const qsizetype n = promptLength(t);
    return n > 0 && n == t.size();
}

bool ScriptRunner::isQuestion(QByteArrayView line) {
    const QByteArrayView t = trimmedRight(line);
    if (!t.endsWith(':')) return false;
    return t.endsWith("]:") || t.endsWith("}:") || t.contains("(y/n)");
}

ScriptRunner::ScriptRunner(Writer writer, QObject *parent) : QObject(parent), write_(std::move(writer)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ScriptRunner::onTimer);
}

void ScriptRunner::run(const QString &script, ScriptDone done, RunOptions options) {
    enqueue(makeJob(script, std::move(done), options), false);
}

void ScriptRunner::runFirst(const QString &script, ScriptDone done, RunOptions options) {
    enqueue(makeJob(script, std::move(done), options), true);
}

ScriptRunner::Job ScriptRunner::makeJob(const QString &script, ScriptDone done, RunOptions options) {
    Job job;
    for (const auto &[text, end] : scriptLines(script))
        job.lines.push_back({text, toGbk(text + end), !end.isEmpty()});
    job.done = std::move(done);
    job.options = options;
    return job;
}

void ScriptRunner::enqueue(Job job, bool first) {
    if (first)
        queue_.push_front(std::move(job));
    else
        queue_.push_back(std::move(job));
    pump();
}

void ScriptRunner::setReady(bool ready) {
    ready_ = ready;
    if (!ready) {
        tail_.clear();
        lastPrompt_.clear();
        tailCounted_ = false;
        foreign_ = 0;
    }
    pump();
}

void ScriptRunner::foreignLines(int lines) {
    foreign_ += lines;
    armTimer();
}

void ScriptRunner::pump() {
    if (!ready_ || awaiting_ || foreign_ > 0 || holding_) return;
    if (!current_) {
        if (queue_.empty()) {
            timer_.stop();
            return;
        }
        current_ = std::make_unique<Job>(std::move(queue_.front()));
        queue_.pop_front();
    }
    writeNext();
}

void ScriptRunner::writeNext() {
    Job &job = *current_;
    if (job.lines.empty()) {
        const LineAnswer *failed = job.outcome.firstFailure();
        finishJob(failed ? ScriptOutcome::Failed : ScriptOutcome::Done, failed ? failed->failure : QString());
        return;
    }
    Line line = std::move(job.lines.front());
    job.lines.pop_front();
    // A line that answers a question belongs to the command that asked.
    if (!std::exchange(answering_, false)) job.command = line.text;
    if (!write_(line.bytes)) {
        job.lines.push_front(std::move(line));
        finishJob(ScriptOutcome::Interrupted, QStringLiteral("与OLT的连接已断开"));
        return;
    }
    awaiting_ = true;
    answer_.clear();
    echo_ = echoOf(line.bytes);
    // A help request leaves its entry (without the "?") on the input line after the prompt.
    held_ = line.terminated ? QString() : line.text.endsWith(u'?') ? line.text.chopped(1) : line.text;
    echoSeen_ = echo_.isEmpty();
    answerFrom_ = 0;
    scan_ = 0;
    lineStart_ = 0;
    atLineStart_ = tail_.isEmpty();
    job.outcome.lines.append({line.text, QString(), {}, {}});
    armTimer();
}

void ScriptRunner::received(QByteArrayView bytes) {
    if (bytes.isEmpty()) return;
    const bool foreignFirst = !awaiting_ && foreign_ > 0;
    if (foreignFirst) takeForeign(bytes);

    // The stream's last line, for the prompt the CLI waits at.
    const qsizetype nl = bytes.lastIndexOf('\n');
    if (nl >= 0) {
        tail_ = bytes.sliced(nl + 1).toByteArray();
        tailCounted_ = false;
    } else {
        tail_ += bytes;
    }
    if (tail_.size() > 512) tail_ = " "; // no prompt is that long, and a blank rules one out
    if (isPrompt(tail_)) lastPrompt_ = trimmedRight(tail_).toByteArray();

    if (awaiting_) {
        answer_.append(bytes);
        scanAnswer();
    } else if (foreignFirst && foreign_ == 0) {
        pump();
    }
    if (awaiting_ || foreign_ > 0) armTimer();
}

void ScriptRunner::scanAnswer() {
    if (!echoSeen_) {
        const qsizetype at = answer_.indexOf(echo_, std::max<qsizetype>(0, scan_ - echo_.size()));
        if (at < 0) {
            scan_ = answer_.size();
            return;
        }
        echoSeen_ = true;
        answerFrom_ = at + echo_.size();
        // The rest of the echo's line is no line start.
        const qsizetype nl = answer_.indexOf('\n', answerFrom_);
        lineStart_ = nl < 0 ? answer_.size() : nl + 1;
        scan_ = lineStart_;
        atLineStart_ = true;
    }
    for (;;) {
        const qsizetype nl = answer_.indexOf('\n', scan_);
        const bool eligible = lineStart_ >= answerFrom_ && (lineStart_ > 0 || atLineStart_);
        if (nl < 0) {
            scan_ = answer_.size();
            if (!eligible) return;
            const QByteArrayView tail = QByteArrayView(answer_).sliced(lineStart_);
            if (!held_.isEmpty()) {
                const qsizetype n = promptLength(tail);
                if (n > 0 && fromGbk(tail.sliced(n)).trimmed() == held_.trimmed())
                    lineAnswered(lineStart_, false);
                return;
            }
            if (isPrompt(tail))
                lineAnswered(lineStart_, false);
            else if (isQuestion(tail))
                lineAnswered(lineStart_, true);
            return;
        }
        // A whole line that starts with a prompt: the CLI waited there and went on.
        if (eligible && held_.isEmpty() &&
            promptLength(QByteArrayView(answer_).sliced(lineStart_, nl - lineStart_)) > 0) {
            lineAnswered(lineStart_, false);
            return;
        }
        lineStart_ = scan_ = nl + 1;
    }
}

void ScriptRunner::lineAnswered(qsizetype at, bool question) {
    Job &job = *current_;
    awaiting_ = false;
    timer_.stop();
    LineAnswer &answer = job.outcome.lines.back();
    answer.command = job.command;
    answer.answer = answer_.mid(answerFrom_, std::max<qsizetype>(0, at - answerFrom_));
    answer.failure = answerFailure(fromGbk(
        untilNul(QByteArrayView(answer.answer).first(std::min<qsizetype>(answer.answer.size(), 4096)))));
    const QByteArray questionLine = answer_.sliced(at);
    answer_.clear();

    if (question) {
        // The script's next line answers it; a "{ <cr>|… }" choice before another command, or a
        // question the script has no answer for, gets Enter (the command's default).
        const bool nextIsCommand = !job.lines.empty() && !job.lines.front().text.trimmed().isEmpty();
        if (job.lines.empty() || (nextIsCommand && isOptionsQuestion(questionLine)))
            job.lines.push_front({QString(), QByteArrayLiteral("\r\n"), true});
        answering_ = true;
        pump();
        return;
    }
    if (answer.failed() && (job.options.stopAtFailure || entersMode(answer.command))) {
        finishJob(ScriptOutcome::Failed, answer.failure);
        return;
    }
    pump();
}

void ScriptRunner::finishJob(ScriptOutcome::Status status, const QString &reason) {
    std::unique_ptr<Job> job = std::move(current_);
    awaiting_ = answering_ = false;
    timer_.stop();
    job->outcome.status = status;
    job->outcome.reason = reason;
    job->outcome.skipped = int(job->lines.size());
    const bool home = job->options.homeMode && status != ScriptOutcome::Interrupted;
    // What the owner starts from its callback waits until the CLI is home again.
    holding_ = true;
    if (job->done) job->done(job->outcome);
    holding_ = false;
    if (home) goHome();
    pump();
}

void ScriptRunner::goHome() {
    // An interface, profile or btv mode: "(config-…)#". The diagnose view is left by its page.
    const qsizetype open = lastPrompt_.indexOf("(config-");
    if (open < 0 || !lastPrompt_.endsWith(")#")) return;
    const QString where = fromGbk(lastPrompt_.sliced(open));
    Job job;
    job.lines.push_back({QStringLiteral("quit"), QByteArrayLiteral("quit\r\n"), true});
    job.options.stopAtFailure = true;
    job.options.homeMode = true; // again until configuration mode
    job.internal = true;
    emit modeRestored(HomeNote.arg(where));
    queue_.push_front(std::move(job));
}

void ScriptRunner::takeForeign(QByteArrayView bytes) {
    // Each line that starts with a prompt answered one foreign line, and so does a prompt the
    // stream ends at.
    qsizetype from = 0;
    QByteArray line = tail_;
    bool counted = tailCounted_;
    for (;;) {
        const qsizetype nl = bytes.indexOf('\n', from);
        if (nl < 0) {
            line += bytes.sliced(from);
            if (!counted && foreign_ > 0 && (isPrompt(line) || isQuestion(line))) {
                --foreign_;
                tailCounted_ = true;
            }
            return;
        }
        line += bytes.sliced(from, nl - from);
        if (!counted && foreign_ > 0 && promptLength(line) > 0) --foreign_;
        counted = false;
        tailCounted_ = false;
        line.clear();
        from = nl + 1;
    }
}

void ScriptRunner::armTimer() {
    const QByteArrayView tail = tail_;
    const bool atInput = isPrompt(tail) || isQuestion(tail);
    timer_.start(atInput ? QuietMs : lineTimeoutMs_);
}

void ScriptRunner::onTimer() {
    const bool atInput = isPrompt(tail_) || isQuestion(tail_);
    if (awaiting_) {
        // The CLI waits for input but showed no echo of the line: take what came as its answer.
        if (atInput && !answer_.isEmpty()) {
            answerFrom_ = 0;
            lineAnswered(std::max<qsizetype>(0, answer_.size() - tail_.size()), isQuestion(tail_));
            return;
        }
        if (atInput && QuietMs < lineTimeoutMs_) { // the quiet time ran out: the rest of the time-out is left
            timer_.start(lineTimeoutMs_ - QuietMs);
            return;
        }
        finishJob(ScriptOutcome::TimedOut, current_->outcome.lines.back().line);
        return;
    }
    if (foreign_ > 0) {
        foreign_ = 0;
        pump();
    }
}

void ScriptRunner::interruptAll(const QString &why) {
    timer_.stop();
    awaiting_ = answering_ = false;
    foreign_ = 0;
    std::deque<Job> jobs = std::move(queue_);
    queue_.clear();
    if (current_) jobs.push_front(std::move(*std::exchange(current_, nullptr)));
    for (Job &job : jobs) {
        if (job.internal) continue;
        job.outcome.status = ScriptOutcome::Interrupted;
        job.outcome.reason = why;
        job.outcome.skipped = int(job.lines.size());
        if (job.done) job.done(job.outcome);
    }
}

} // namespace tw
