#pragma once

#include "messagebox.h"

class Clock;
class DesktopShell;
class HelpOpener;
class InputBox;
class PrinterOutput;
class RandomSource;
class SaveDialog;
class SoundOutput;
class ScreenInfo;
class QWidget;

// The platform services the screens call; tests hand in their own.
struct Services
{
    MessageBox& messages;
    InputBox& input;
    Clock& clock;
    RandomSource& random;
    HelpOpener& help;
    DesktopShell& shell;
    ScreenInfo& screen;
    PrinterOutput& printer;
    SaveDialog& saveDialog;
    // The spoken numbers; the voice plays through it.
    SoundOutput& sound;

    // A message box titled with the application title.
    MsgAnswer message(QWidget* parent, MsgIcon icon, const QString& text,
                      MsgButtons buttons = MsgButtons::Ok,
                      MsgAnswer defaultAnswer = MsgAnswer::Ok) const;
};
