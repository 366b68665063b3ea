#pragma once
// The output collected since the last completed one. Appending keeps track of the first NUL (the
// text view ends there) and of the current-configuration echo, searching only the new bytes, so a
// listing of many megabytes costs time linear in its size.

#include <QByteArray>
#include <QByteArrayView>

namespace tw {

class ResponseBuffer {
  public:
    void append(QByteArrayView chunk);
    // Hands the collected bytes over and starts empty.
    QByteArray take();
    void clear() { take(); }

    const QByteArray &bytes() const { return bytes_; }
    bool isEmpty() const { return bytes_.isEmpty(); }
    // The text view: the bytes up to the first NUL.
    QByteArrayView text() const {
        return textEnd_ < 0 ? QByteArrayView(bytes_) : QByteArrayView(bytes_).first(textEnd_);
    }
    // Whether the text holds the echo of "display current-configuration".
    bool holdsConfigurationEcho() const { return configurationEcho_; }
    // Whether it holds the echo of a listing that fills a grid (ONT list, autofind, versions).
    bool holdsGridEcho() const { return gridEcho_; }
    // Line breaks collected so far (how far a long listing has come).
    qsizetype lines() const { return lines_; }
    // ONTs of an ONT list collected so far (its rows carry the control flag "激活"/"去激活");
    // -1 when the output is no ONT list.
    qsizetype onts() const { return ontListEcho_ ? onts_ : -1; }

    static const QByteArray ConfigurationEcho; // "isplay current-configuration"

  private:
    QByteArray bytes_;
    qsizetype textEnd_ = -1; // index of the first NUL, -1 while there is none
    bool configurationEcho_ = false;
    bool gridEcho_ = false;
    bool ontListEcho_ = false;
    qsizetype lines_ = 0;
    qsizetype onts_ = 0;
    qsizetype ontScanFrom_ = 0; // where the next search for a control flag starts
};

} // namespace tw
