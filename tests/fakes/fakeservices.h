#pragma once

#include "platform/clock.h"
#include "platform/desktopshell.h"
#include "platform/helpopener.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "platform/printers.h"
#include "platform/randomsource.h"
#include "platform/savedialog.h"
#include "platform/screeninfo.h"
#include "platform/services.h"
#include "platform/soundoutput.h"
#include "printing/defaultprinteroutput.h"
#include "voice/wavclip.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QPrinter>

#include <QList>
#include <QQueue>

#include <functional>

// Message boxes answered in advance; every box shown is kept for the test to read.
class ScriptedMessages : public MessageBox
{
public:
    MsgAnswer show(QWidget*, const MessageRequest& request) override
    {
        shown.append(request);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        cursors.append(cursor ? cursor->shape() : Qt::ArrowCursor);
        if (whileOpen)
            whileOpen();
        if (!answers.isEmpty())
            return answers.dequeue();
        return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    void answer(MsgAnswer a) { answers.enqueue(a); }
    const MessageRequest& last() const { return shown.last(); }

    QList<MessageRequest> shown;
    QList<Qt::CursorShape> cursors; // the pointer over each box
    QQueue<MsgAnswer> answers;
    std::function<void()> whileOpen; // runs while the box is "open"
};

class ScriptedInput : public InputBox
{
public:
    std::optional<QString> ask(QWidget*, const QString& title, const QString& prompt,
                               const QString&) override
    {
        asked.append({title, prompt});
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
    QList<QPair<QString, QString>> asked;
    QQueue<std::optional<QString>> answers;
};

class FixedClock : public Clock
{
public:
    QDateTime now() const override { return time; }
    quint64 ticks() const override { return quint64(time.toMSecsSinceEpoch()); }
    QDateTime time{QDate(2000, 12, 25), QTime(20, 30)};
};

class RecordingHelp : public HelpOpener
{
public:
    void open(QWidget*, int topic) override { topics.append(topic); }
    QList<int> topics;
};

class RecordingShell : public DesktopShell
{
public:
    bool open(const QString& target) override
    {
        targets.append(target);
        return opens;
    }
    QStringList targets;
    bool opens = false; // whether the desktop finds a program for it
};

// The save dialog answered in advance: a path, or an empty string for Annuler.
class ScriptedSaveDialog : public SaveDialog
{
public:
    QString ask(QWidget*, const QString& title, const QString& proposed, const QString&) override
    {
        asked.append({title, proposed});
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
    QList<QPair<QString, QString>> asked; // title, proposed path
    QQueue<QString> answers;
};

// Printers as a test sets them: a default one or none, and the print dialog
// answered in advance (unanswered, it is cancelled). Whatever a printer
// prints lands in the PDF file "paper".
class ScriptedPrinters : public Printers
{
public:
    struct Answer
    {
        QString printer;
        int copies = 1;
    };

    QString defaultName() const override { return name; }
    void useDefault(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(paper);
        printer.setCopyCount(1);
    }
    QString choose(QPrinter& printer, QWidget*) override
    {
        ++asked;
        if (answers.isEmpty())
            return {};
        const Answer answer = answers.dequeue();
        printer.setCopyCount(answer.copies);
        return answer.printer;
    }

    QString name; // the default printer; empty for none
    QString paper;
    QQueue<Answer> answers;
    int asked = 0;
};

class FixedScreen : public ScreenInfo
{
public:
    int width() const override { return pixels; }
    int pixels = 1024;
};

// Every clip played, by its built-in number; a club voice's own clip
// counts as 0 and is kept whole.
class RecordingSound : public SoundOutput
{
public:
    void play(int clip) override { clips.append(clip); }
    void playImage(const QByteArray& wavImage) override
    {
        int id = VoiceClipCount;
        while (id > 0 && voiceClipImage(id) != wavImage)
            --id;
        clips.append(id);
        images.append(wavImage);
    }
    QList<int> clips;
    QList<QByteArray> images;
};

// One of each fake, bundled as the screens expect them.
struct FakeServices
{
    ScriptedMessages messages;
    ScriptedInput input;
    FixedClock clock;
    SeededRandom random{20001225};
    RecordingHelp help;
    RecordingShell shell;
    FixedScreen screen;
    ScriptedSaveDialog saveDialog;
    PdfFileOutput printer{QDir::temp().filePath(
        QStringLiteral("numerella-test-%1.pdf").arg(QCoreApplication::applicationPid()))};
    RecordingSound sound;
    Services services{messages, input,  clock,   random,     help,
                      shell,    screen, printer, saveDialog, sound};
};
