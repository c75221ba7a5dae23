#pragma once

#include <QCursor>
#include <QGuiApplication>

// The hourglass for as long as the object lives, whatever happens.
class BusyPointer
{
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// A message box is read and answered with the arrow, even in the middle of
// busy work; the hourglass comes back when it closes.
class ArrowWhileAsking
{
public:
    ArrowWhileAsking() : m_busy(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_busy)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (m_busy)
            QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool m_busy;
};
