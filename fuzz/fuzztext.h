#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as the text a person could have typed or a file name held.
inline QString fuzzText(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Stops the run on a broken promise, so the fuzzer keeps the input.
inline void require(bool holds)
{
    if (!holds)
        __builtin_trap();
}
