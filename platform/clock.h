#pragma once

#include <QDateTime>

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // A fast, fine-grained reading to stir random sources with.
    virtual quint64 ticks() const = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    quint64 ticks() const override
    {
        // Read a quarter of a million times for a big grid file: the processor's
        // cycle counter costs a few cycles where a system call would not.
#if defined(__x86_64__) || defined(__i386__)
        return __rdtsc();
#else
        return static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
    }
};
