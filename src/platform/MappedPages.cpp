#include "MappedPages.h"

#include <sys/mman.h>
#include <unistd.h>

void MappedPages::release(QByteArrayView range)
{
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr begin = (quintptr(range.data()) + page - 1) / page * page;
    const quintptr end = (quintptr(range.data()) + quintptr(range.size())) / page * page;
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}
