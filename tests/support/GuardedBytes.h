#pragma once
// Bytes placed right after a page the process may not read: a read before their start faults at
// once, in a plain build as under AddressSanitizer. For tests of searches on short chunks.

#include <QByteArray>
#include <QByteArrayView>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace tw::test {

class GuardedBytes {
  public:
    explicit GuardedBytes(QByteArrayView bytes) : size_(bytes.size()) {
        page_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        length_ = page_ + (static_cast<size_t>(size_) / page_ + 1) * page_;
        void *map = mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) throw std::runtime_error("mmap failed");
        base_ = static_cast<char *>(map);
        if (mprotect(base_, page_, PROT_NONE) != 0) throw std::runtime_error("mprotect failed");
        if (size_ > 0) std::memcpy(base_ + page_, bytes.data(), static_cast<size_t>(size_));
    }
    ~GuardedBytes() { munmap(base_, length_); }
    GuardedBytes(const GuardedBytes &) = delete;
    GuardedBytes &operator=(const GuardedBytes &) = delete;

    QByteArrayView view() const { return {base_ + page_, size_}; }
    // Shares the guarded memory (no copy), as a QByteArray handed on unchanged would.
    QByteArray bytes() const { return QByteArray::fromRawData(base_ + page_, size_); }

  private:
    char *base_ = nullptr;
    size_t page_ = 0;
    size_t length_ = 0;
    qsizetype size_ = 0;
};

} // namespace tw::test
