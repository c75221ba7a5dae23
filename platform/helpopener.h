#pragma once

#include <QObject>
#include <QPointer>

class MessageBox;
class QTextBrowser;
class QWidget;

// Help topics asked for by the screens; the main window has none.
namespace HelpTopic {
inline constexpr int Contents = 0;
inline constexpr int Generator = 1;
inline constexpr int Printing = 2;
inline constexpr int Draw = 3;
} // namespace HelpTopic

class HelpOpener
{
public:
    virtual ~HelpOpener() = default;
    // Shows the help on a topic and returns at once.
    virtual void open(QWidget* from, int topic) = 0;
};

// Shows the help file in a browser window of its own, beside the screen that
// asked for it; it outlives that screen, and the program's end closes it.
class HelpWindowOpener : public HelpOpener
{
public:
    HelpWindowOpener(MessageBox& messages, QString helpFile);
    ~HelpWindowOpener() override;
    void open(QWidget* from, int topic) override;
    QWidget* window() const;

private:
    void place(QWidget* from);

    MessageBox& m_messages;
    QString m_helpFile;
    QPointer<QTextBrowser> m_window;
    QPointer<QWidget> m_placedFor; // the screen it was last placed beside
};

// The F1 key, in any window, opens the help on that window's topic.
class HelpKey : public QObject
{
public:
    explicit HelpKey(HelpOpener& opener, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

    static void setTopic(QWidget* window, int topic);
    // The topic of a window, or of the screen a dialog or a list opened over.
    static int topicOf(const QWidget* window);
    // The screen whose help a window asks for: itself, or the screen under it.
    static QWidget* screenOf(QWidget* window);
    // What the help window must never cover on that screen (the big number).
    static void setKeptInView(QWidget* window, QWidget* part);
    static QRect keptInView(const QWidget* window);
    // What the "Aide" keys do: queue an F1 press for the window and return.
    static void pressF1(QWidget* window);

private:
    HelpOpener& m_opener;
};

QString helpAnchor(int topic);
