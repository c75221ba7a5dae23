#pragma once

#include "recordingsession.h"

#include <QString>

// What the recording window says of the take under way, in French: the
// number to say, what became of the last take, what to press next.
class RecordingStatus
{
public:
    static QString text(const RecordingSession& session);
};
