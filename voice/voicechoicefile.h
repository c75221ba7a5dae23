#pragma once

#include <QString>

// The voice the draw calls in, remembered from one evening to the next in a
// one-line file: "femme", "homme" or "club " followed by the voice's name.
struct VoiceChoice
{
    int builtInOffset = 0; // 0 female, 90 male, when no club voice is chosen
    QString clubVoice;

    // Where the choice is kept among the voices; empty keeps none.
    static QString pathIn(const QString& voiceFolder);
    static VoiceChoice read(const QString& path); // the female voice when none is kept
    QString write(const QString& path) const;     // the refusal in French, or nothing
    bool operator==(const VoiceChoice&) const = default;

    // The choice in force for the whole run: restored at start-up, changed by
    // the draw screen and the club voices' window.
    static VoiceChoice& inUse();
};
