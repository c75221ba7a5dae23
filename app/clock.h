#pragma once

#include <QDateTime>

#include <chrono>

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
        return static_cast<quint64>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count());
    }
};
