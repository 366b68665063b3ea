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

// Length of the longest prefix that ends on a character boundary (drops a trailing lead byte).
qsizetype completeGbkPrefix(QByteArrayView bytes);

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
