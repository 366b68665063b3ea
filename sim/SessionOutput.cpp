// What a session sends: a command's output, page by page, then the prompt; and the writes the
// server performs, each after its pause.
#include "Session.h"

#include "common/Gbk.h"

namespace tw::sim {

namespace {

QByteArray gbk(const QString &text) {
    return tw::toGbk(text);
}

} // namespace

void Session::finishOutput() {
    QString out = std::move(body_);
    body_.clear();
    if (faults_.alarmPending && out.count("\r\n") >= 2) {
        // An alarm that happens while the output is printed lands in the middle of it.
        faults_.alarmPending = false;
        qsizetype mid = out.size() / 2;
        mid = out.indexOf("\r\n", mid);
        if (mid < 0) mid = out.lastIndexOf("\r\n", out.size() - 3);
        out.insert(mid + 2, renderAlarmNotice(lang_, device_).mid(2));
    }
    pageBody_ = gbk(out);
    pagePos_ = 0;
    // After "?" the partial line comes back after the prompt.
    pageTail_ = gbk("\r\n" + prompt()) + escaped(lineBytes_);
    pump();
}

void Session::pump() {
    const int lines = screenLength_;
    qsizetype p = pagePos_;
    int counted = 0;
    while (lines > 0 && counted < lines) {
        const qsizetype end = pageBody_.indexOf("\r\n", p);
        if (end < 0) break;
        p = end + 2;
        ++counted;
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
    pageTail_.clear();
    state_ = State::Command;
}

void Session::pagingKey(char c) {
    send(pagingErase());
    if (c == 'Q' || c == 'q') {
        send(pageTail_);
        pageBody_.clear();
        pageTail_.clear();
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

QByteArray Session::escaped(const QByteArray &typed) {
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
