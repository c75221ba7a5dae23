#pragma once

#include <QByteArray>
#include <QtGlobal>

// One opened sound output, set to the format of the clips it plays.
class ClipSink
{
public:
    virtual ~ClipSink() = default;
    // Starts playing these samples at once, cutting off whatever was playing;
    // the sink keeps its own copy while they play.
    virtual void start(const QByteArray& samples) = 0;
    // Microseconds of sound the output has taken since the last start.
    virtual qint64 processedMicroseconds() const = 0;
    // True once the output has broken under the sink (the sound server
    // restarted, the device went): it will play nothing more.
    virtual bool failed() const = 0;
};
