#include "photographer/shoot/jpeg_whole.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace capture {

namespace {

constexpr qint64 kBlock = 4096;
// What one read brings in: a camera file's markers and scans are walked through a window this large.
constexpr qint64 kChunk = 256 * kBlock;

bool isStandalone(int marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// The offset of the first 4-KiB block of zeros in bytes, which start at offset (a multiple of
// kBlock), counting only whole blocks; -1 when none.
qint64 firstZeroBlock(QByteArrayView bytes, qint64 offset)
{
    static const char zeros[kBlock] = {};
    for (qint64 block = 0; block + kBlock <= bytes.size(); block += kBlock) {
        if (std::memcmp(bytes.data() + block, zeros, size_t(kBlock)) == 0)
            return offset + block;
    }
    return -1;
}

// The bytes of a camera file already in memory.
class InMemory {
public:
    explicit InMemory(QByteArrayView bytes) : bytes_(bytes) {}

    // The byte at offset, -1 past the end.
    int at(qint64 offset) const { return offset >= 0 && offset < bytes_.size() ? uchar(bytes_[offset]) : -1; }
    // Where the next 0xFF lies at or after from; -1 when none.
    qint64 nextFF(qint64 from) const
    {
        if (from >= bytes_.size())
            return -1;
        const void* found = std::memchr(bytes_.data() + from, 0xFF, size_t(bytes_.size() - from));
        return found ? static_cast<const char*>(found) - bytes_.data() : -1;
    }
    bool zeroBlockBefore(qint64 end) const { return firstZeroBlock(bytes_.first(std::min<qint64>(end, bytes_.size())), 0) >= 0; }

private:
    QByteArrayView bytes_;
};

// A camera file on disk, read forward a window at a time: each window is read once, and its blocks
// of zeros noted as it comes in.
class OnDisk {
public:
    OnDisk(int fd, qint64 size) : fd_(fd), size_(size) {}

    int at(qint64 offset)
    {
        if (offset < 0 || offset >= size_ || !bring(offset))
            return -1;
        return uchar(window_[offset - start_]);
    }
    qint64 nextFF(qint64 from)
    {
        for (; from < size_ && bring(from); from = start_ + window_.size()) {
            const qsizetype in = qsizetype(from - start_);
            if (const void* found = std::memchr(window_.constData() + in, 0xFF, size_t(window_.size() - in)))
                return start_ + (static_cast<const char*>(found) - window_.constData());
        }
        return -1;
    }
    bool zeroBlockBefore(qint64 end) const { return firstZero_ >= 0 && firstZero_ + kBlock <= end; }

private:
    // Makes the window hold offset: the windows up to it are read in turn, so that every block
    // before it is looked at once. False when the file cannot be read there.
    bool bring(qint64 offset)
    {
        if (offset >= start_ && offset < start_ + window_.size())
            return true;
        if (offset < readTo_)
            return load(offset / kChunk * kChunk);
        while (readTo_ <= offset) {
            if (!load(readTo_))
                return false;
            if (firstZero_ < 0)
                firstZero_ = firstZeroBlock(window_, start_);
            readTo_ = start_ + window_.size();
        }
        return true;
    }
    bool load(qint64 from)
    {
        window_.resize(qsizetype(std::min(kChunk, size_ - from)));
        for (qsizetype got = 0; got < window_.size();) {
            const ssize_t read = ::pread(fd_, window_.data() + got, size_t(window_.size() - got), off_t(from + got));
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0) {
                window_.clear();
                return false;
            }
            got += read;
        }
        start_ = from;
        return true;
    }

    int fd_;
    qint64 size_;
    QByteArray window_;
    qint64 start_ = 0;
    qint64 readTo_ = 0;     // every byte before it has been read once
    qint64 firstZero_ = -1; // the first block of zeros read, -1 while none
};

// An image that an MPF index lists after the primary one: where it starts from the index's own
// TIFF header, and how long it is.
struct ListedImage {
    qint64 offset = 0;
    qint64 size = 0;
};

// The images after the primary one that the MPF index in tiff (the segment's TIFF-like header and
// what follows it) lists; none when it lists none or cannot be read.
std::vector<ListedImage> listedImages(QByteArrayView tiff)
{
    const bool little = tiff.startsWith(QByteArrayView("II*\0", 4));
    if (!little && !tiff.startsWith(QByteArrayView("MM\0*", 4)))
        return {};
    const auto number = [&](qint64 at, int bytes) -> qint64 {
        if (at < 0 || at + bytes > tiff.size())
            return -1;
        qint64 value = 0;
        for (int byte = 0; byte < bytes; ++byte)
            value |= qint64(uchar(tiff[at + (little ? byte : bytes - 1 - byte)])) << (8 * byte);
        return value;
    };
    constexpr int kMpEntry = 0xB002;
    constexpr qint64 kEntrySize = 16;
    const qint64 ifd = number(4, 4);
    const qint64 tags = number(ifd, 2);
    for (qint64 tag = 0; tag < tags; ++tag) {
        const qint64 field = ifd + 2 + 12 * tag;
        if (number(field, 2) != kMpEntry)
            continue;
        const qint64 length = number(field + 4, 4);
        const qint64 at = number(field + 8, 4);
        if (length < kEntrySize || at < 0 || at + length > tiff.size())
            return {};
        std::vector<ListedImage> images;
        // The first entry is the primary image itself.
        for (qint64 entry = at + kEntrySize; entry + kEntrySize <= at + length; entry += kEntrySize) {
            if (const qint64 offset = number(entry + 8, 4); offset > 0)
                images.push_back({offset, number(entry + 4, 4)});
        }
        return images;
    }
    return {};
}

// The offset of the marker that ends the entropy-coded data starting at from; -1 when none yet.
template <class Source>
qint64 scanEnd(Source& source, qint64 from)
{
    for (qint64 i = from;;) {
        i = source.nextFF(i);
        if (i < 0)
            return -1;
        const int next = source.at(i + 1);
        if (next < 0)
            return -1;
        if (next != 0x00 && next != 0xFF && !isStandalone(next))
            return i;
        i += next == 0xFF ? 1 : 2;
    }
}

// Where the primary image ends, as jpegImageEnd; the MPF index it carries, when asked for, goes to
// listed, with the offset its offsets count from.
template <class Source>
qint64 primaryEnd(Source& source, std::vector<ListedImage>* listed, qint64* listedFrom)
{
    if (source.at(0) != 0xFF || source.at(1) != 0xD8)
        return -1;
    qint64 i = 2;
    bool scanned = false;
    for (;;) {
        if (source.at(i) != 0xFF)
            return -1;
        const int marker = source.at(i + 1);
        if (marker < 0)
            return -1;
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        i += 2;
        if (marker == 0xD9)
            return scanned ? i : -1;
        if (isStandalone(marker))
            continue;
        const int high = source.at(i), low = source.at(i + 1);
        if (low < 0)
            return -1;
        const qint64 length = (qint64(high) << 8) | low;
        if (length < 2)
            return -1;
        constexpr qint64 kMpfMark = 4; // "MPF\0"
        if (marker == 0xE2 && listed && listed->empty() && length > 2 + kMpfMark && source.at(i + 2) == 'M'
            && source.at(i + 3) == 'P' && source.at(i + 4) == 'F' && source.at(i + 5) == 0) {
            QByteArray tiff(qsizetype(length - 2 - kMpfMark), Qt::Uninitialized);
            for (qsizetype byte = 0; byte < tiff.size(); ++byte)
                tiff[byte] = char(source.at(i + 2 + kMpfMark + byte));
            *listed = listedImages(tiff);
            *listedFrom = i + 2 + kMpfMark;
        }
        i += length;
        if (marker == 0xDA) {
            scanned = true;
            i = scanEnd(source, i);
            if (i < 0)
                return -1;
        }
    }
}

template <class Source>
Wholeness judge(Source& source)
{
    std::vector<ListedImage> listed;
    qint64 listedFrom = 0;
    const qint64 primary = primaryEnd(source, &listed, &listedFrom);
    if (primary < 0)
        return {};
    std::sort(listed.begin(), listed.end(), [](const ListedImage& a, const ListedImage& b) { return a.offset < b.offset; });
    qint64 end = primary;
    for (const ListedImage& image : listed) {
        const qint64 start = listedFrom + image.offset;
        if (source.at(start) != 0xFF || source.at(start + 1) != 0xD8 || source.at(start + image.size - 1) < 0)
            return {};
        end = std::max(end, start + image.size);
    }
    return {end, source.zeroBlockBefore(end)};
}

} // namespace

qsizetype jpegImageEnd(QByteArrayView bytes)
{
    InMemory source(bytes);
    return qsizetype(primaryEnd(source, nullptr, nullptr));
}

Wholeness wholeness(QByteArrayView bytes)
{
    InMemory source(bytes);
    return judge(source);
}

Wholeness wholeness(int fd, qint64 size)
{
    OnDisk source(fd, size);
    return judge(source);
}

bool endsWhole(QByteArrayView bytes, int unchangedCalls)
{
    const qint64 end = wholeness(bytes).end;
    return end == bytes.size() || (end > 0 && unchangedCalls > 0);
}

} // namespace capture
