#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// The fuzzer's bytes, without a copy.
inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}
