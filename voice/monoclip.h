#pragma once

#include <QList>
#include <QtGlobal>

// A mono 16-bit recording: what the club's clips are made of.
struct MonoClip
{
    int rate = 0;
    QList<qint16> samples;

    double seconds() const { return rate > 0 ? double(samples.size()) / rate : 0.0; }
    // The loudest sample, as a fraction of full scale (0 to 1).
    double peak() const;
    // The same sound at another rate, by linear interpolation: good enough
    // for speech, and the clips of one voice then share one output format.
    MonoClip resampled(int newRate) const;
};

// Levels in decibels relative to full scale; silence is very low, not -inf.
double toDecibels(double fraction);
