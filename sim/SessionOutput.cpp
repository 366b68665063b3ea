// What a session sends: a command's output, page by page, then the prompt; and the writes the
// server performs, each after its pause. A long output is made as its pages are asked for.
#include "Session.h"

#include "common/Gbk.h"

namespace tw::sim {

namespace {

QByteArray gbk(const QString &text) {
    return tw::toGbk(text);
}

// Without paging, an output goes out in stretches of about this size.
constexpr qsizetype kStretch = 64 * 1024;

} // namespace

void Session::printLazily(Pieces pieces) {
    pieces_.push_back({std::exchange(body_, {}), std::move(pieces)});
}

// An alarm that happens while the output is printed lands in the middle of it.
QString Session::withAlarm(QString out) {
    if (!faults_.alarmPending || out.count("\r\n") < 2) return out;
    faults_.alarmPending = false;
    qsizetype mid = out.size() / 2;
    mid = out.indexOf("\r\n", mid);
    if (mid < 0) mid = out.lastIndexOf("\r\n", out.size() - 3);
    out.insert(mid + 2, renderAlarmNotice(lang_, device_).mid(2));
    return out;
}

void Session::finishOutput() {
    pageBody_.clear();
    pagePos_ = 0;
    if (pieces_.empty()) {
        pageBody_ = gbk(withAlarm(std::exchange(body_, {})));
    } else if (!body_.isEmpty()) {
        pieces_.push_back({std::exchange(body_, {}), nullptr}); // printed after the lazy part
    }
    // After "?" the partial line comes back after the prompt.
    pageTail_ = gbk("\r\n" + prompt()) + escaped(lineBytes_);
    pump();
}

bool Session::fill() {
    if (pieces_.empty()) return false;
    if (pagePos_ > 0) { // what went out already is dropped, so the buffer stays a page or so
        pageBody_.remove(0, pagePos_);
        pagePos_ = 0;
    }
    while (!pieces_.empty()) {
        Piece &piece = pieces_.front();
        QString text = std::exchange(piece.text, {});
        if (text.isEmpty() && piece.more && !piece.more(text)) piece.more = nullptr;
        if (text.isEmpty() && !piece.more) pieces_.pop_front();
        if (!text.isEmpty()) {
            pageBody_ += gbk(withAlarm(std::move(text)));
            return true;
        }
    }
    return false;
}

void Session::pump() {
    const int lines = screenLength_;
    if (lines <= 0) {
        while (pageBody_.size() - pagePos_ < kStretch && fill()) {
        }
        if (!pieces_.empty()) { // more to come when the client has taken this
            send(pageBody_.mid(pagePos_));
            pageBody_.clear();
            pagePos_ = 0;
            state_ = State::Streaming;
            return;
        }
    }
    qsizetype p = pagePos_;
    int counted = 0;
    for (;;) {
        while (lines > 0 && counted < lines) {
            const qsizetype end = pageBody_.indexOf("\r\n", p);
            if (end < 0) break;
            p = end + 2;
            ++counted;
        }
        // A page, and at least a byte beyond it: only then is a paging prompt due.
        if (lines <= 0 || (counted == lines && p < pageBody_.size())) break;
        const qsizetype before = pagePos_;
        const bool more = fill();
        p -= before - pagePos_; // fill() may drop what went out before pagePos_
        if (!more) break;
    }
    if (lines > 0 && counted == lines && p < pageBody_.size()) {
        send(pageBody_.mid(pagePos_, p - pagePos_));
        send(QByteArray("  ") + pagingPrompt());
        breakWrite(0);
        pagePos_ = p;
        state_ = State::Paging;
        return;
    }
    send(pagePos_ == 0 ? pageBody_ : pageBody_.mid(pagePos_));
    send(pageTail_);
    pageBody_.clear();
    pagePos_ = 0;
    pageTail_.clear();
    state_ = State::Command;
}

std::vector<Write> Session::continueOutput() {
    if (state_ != State::Streaming) return takeWrites();
    state_ = State::Command;
    pump();
    if (state_ == State::Command && !typeahead_.isEmpty()) consume(std::exchange(typeahead_, {}));
    return takeWrites();
}

void Session::pagingKey(char c) {
    send(pagingErase());
    if (c == 'Q' || c == 'q') {
        send(pageTail_);
        pageBody_.clear();
        pagePos_ = 0;
        pageTail_.clear();
        pieces_.clear(); // the rest of a long output is never made
        state_ = State::Command;
        return;
    }
    if (options_.eraseApart) breakWrite(0);
    pump();
}

QByteArray Session::pagingPrompt() const {
    return gbk(tr(lang_, "---- More ( Press 'Q' to break ) ----", "---- 任意键继续显示 ( 'Q' 键退出 ) ----"));
}

QByteArray Session::pagingErase() const {
    const int width = int(pagingPrompt().size()); // 37 in English, 39 in Chinese (GBK bytes)
    const QByteArray back = "\x1b[" + QByteArray::number(width) + "D";
    return back + QByteArray(width, ' ') + back;
}

void Session::send(const QString &text) {
    cur_ += gbk(text);
}

QByteArray Session::escaped(const QByteArray &typed) const {
    if (!telnetLayer_) return typed;
    QByteArray out = typed;
    return out.replace(QByteArray(1, char(0xFF)), QByteArray(2, char(0xFF)));
}

void Session::breakWrite(int gapMs) {
    if (!cur_.isEmpty()) {
        writes_.push_back({cur_, curDelay_});
        cur_.clear();
        curDelay_ = gapMs;
    } else {
        curDelay_ = std::max(curDelay_, gapMs);
    }
}

void Session::sendAlone(const QByteArray &bytes) {
    breakWrite(options_.gapMs);
    cur_ = bytes;
    breakWrite(options_.gapMs);
}

std::vector<Write> Session::takeWrites() {
    breakWrite(0);
    curDelay_ = 0;
    return std::exchange(writes_, {});
}

} // namespace tw::sim
