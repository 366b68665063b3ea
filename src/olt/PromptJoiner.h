#pragma once
// The OLT's prompts are recognised only when a chunk holds them whole, but TCP may cut a chunk
// anywhere. The joiner holds back the tail of a chunk that could be the start of such a prompt (or
// of the paging erase) and puts it in front of the next chunk, so a prompt cut in two is seen whole.

#include <QByteArray>

namespace tw {

class PromptJoiner {
  public:
    // The bytes to handle now; possibly empty when the whole chunk is held back.
    QByteArray feed(const QByteArray &chunk);
    // Whatever is held back (for a connection that ends).
    QByteArray flush();
    void reset() { held_.clear(); }
    qsizetype held() const { return held_.size(); }

  private:
    QByteArray held_;
};

// Length of the longest tail of `bytes` that is a proper prefix of one of the watched patterns.
qsizetype unfinishedPromptTail(const QByteArray &bytes);

} // namespace tw
