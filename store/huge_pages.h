#pragma once

#include <cstddef>
#include <QtGlobal>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

// A million records fill tens of megabytes, and the first touch of every small page of a new buffer costs a
// fault; on the virtual machines we run on, that is most of the time of a load or a sort. Asked for before
// a large buffer is first written, huge pages make those faults hundreds of times fewer. Where the system
// has none, nothing changes.
inline void preferHugePages(const void* data, std::size_t bytes) {
#ifdef Q_OS_LINUX
    constexpr quintptr HugePage = quintptr(2) << 20;
    if (bytes < 4 * HugePage)
        return;
    const quintptr begin = (reinterpret_cast<quintptr>(data) + HugePage - 1) & ~(HugePage - 1);
    const quintptr end = (reinterpret_cast<quintptr>(data) + bytes) & ~(HugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

// Room for count items, on huge pages when it is large.
template <typename T> void reserveLarge(std::vector<T>& items, std::size_t count) {
    if (count <= items.capacity())
        return;
    items.reserve(count);
    preferHugePages(items.data(), items.capacity() * sizeof(T));
}
