#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class ClubVoiceStore;

// The voice the draw calls the numbers in: one of the two built into the
// program, or a club voice read whole into memory when it is chosen, so that
// calling a number never waits for the disk.
class CallingVoice
{
public:
    static CallingVoice builtIn(int offset); // 0 female, 90 male
    static CallingVoice club(const ClubVoiceStore& store, const QString& name);

    bool isClub() const { return !m_name.isEmpty(); }
    const QString& clubName() const { return m_name; }
    int builtInOffset() const { return m_offset; }

    // The WAV image that calls this number (1..90): the club's own clip, or
    // else the female voice's clip of it, in the club clips' format.
    QByteArray clip(int number) const;
    // The numbers the club voice lacks a usable clip for.
    QList<int> missing() const;
    // What is missing and why, in French; empty when the voice is whole.
    QString report() const;

private:
    int m_offset = 0;
    QString m_name;
    QList<QByteArray> m_clips; // numbers 1..90 of the club voice
    QList<int> m_absent, m_damaged, m_silent, m_folders;
};

// "1-10, 12, 14-16": a list of numbers written short.
QString numberRanges(const QList<int>& numbers);
