#pragma once

#include <QCryptographicHash>
#include <QFile>
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

// A file's content, to prove reading left it as it was.
inline QByteArray digest(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}
