#pragma once
// GBK (code page 936) is the encoding on the wire, in config.ini, in the log and in extracted
// files. Inside the program text is QString; these helpers are the only crossing points.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tw {

// The bytes up to (not including) the first NUL, or all of them when there is none.
QByteArrayView untilNul(QByteArrayView bytes);

QByteArray toGbk(QStringView text);
// Decodes up to the first NUL byte. A trailing lone lead byte decodes as a replacement character.
QString fromGbk(QByteArrayView bytes);
// Where the first character GBK cannot encode starts (the encoder would send "?" for it, which the
// OLT's CLI takes as its help key); -1 when every character can be encoded.
qsizetype firstNonGbk(QStringView text);

// Length of the longest prefix that ends on a character boundary (drops a trailing lead byte).
qsizetype completeGbkPrefix(QByteArrayView bytes);

// The character of one GBK double-byte pair as the decoder gives it for the pair alone, for code
// that decodes while it walks the bytes; 0 when the pair is not one mapped character (an invalid
// trail byte, an unassigned code): such text is for fromGbk.
class GbkPairs {
  public:
    GbkPairs();
    char16_t operator()(uchar lead, uchar trail) const {
        if (lead < LeadFirst || trail < TrailFirst || lead == 0xFF || trail == 0xFF) return 0;
        return units_[(lead - LeadFirst) * TrailCount + (trail - TrailFirst)];
    }

    static constexpr uchar LeadFirst = 0x81, TrailFirst = 0x40;
    static constexpr int LeadCount = 0xFE - LeadFirst + 1, TrailCount = 0xFE - TrailFirst + 1;

  private:
    const char16_t *units_;
};

// Decodes a stream that arrives in arbitrary chunks: a double-byte character split across two
// chunks is carried over and decoded whole with the next chunk.
class GbkStreamDecoder {
  public:
    QString decode(QByteArrayView chunk);
    void reset();

  private:
    QByteArray carry_;
};

} // namespace tw
