#pragma once

#include <QByteArrayView>

// Pages of a file mapped for reading.
namespace MappedPages {

// Lets the system take back the whole pages within range, which must lie in a
// read-only file mapping: they no longer count as this process's memory, and
// reading them again reads the file again.
void release(QByteArrayView range);

} // namespace MappedPages
