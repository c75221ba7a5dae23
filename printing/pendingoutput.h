#pragma once

#include "platform/printeroutput.h"

// What an output makes for a report that never completes is discarded.
class PendingOutput
{
public:
    explicit PendingOutput(PrinterOutput& output) : m_output(output) {}
    ~PendingOutput()
    {
        if (!m_delivered)
            m_output.discard();
    }
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    void deliver(QWidget* parent)
    {
        m_output.deliver(parent);
        m_delivered = true;
    }

private:
    PrinterOutput& m_output;
    bool m_delivered = false;
};
