#pragma once

#include <QApplication>

// The hourglass for as long as the object lives, whatever happens.
class BusyPointer
{
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// A message box is read and answered with the arrow, even in the middle of
// busy work; the hourglass comes back when it closes.
class ArrowWhileAsking
{
public:
    ArrowWhileAsking() : m_busy(QApplication::overrideCursor() != nullptr)
    {
        if (m_busy)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (m_busy)
            QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool m_busy;
};
