#pragma once

#include <QString>

class QWidget;

enum class MsgIcon { Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest
{
    MsgIcon icon = MsgIcon::Information;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultAnswer = MsgAnswer::Ok;
    QString title;
    QString text;
};

// Every message box of the program goes through here, so tests can answer it.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual MsgAnswer show(QWidget* parent, const MessageRequest& request) = 0;
};

// The real boxes, with French button captions whatever translation is loaded.
class QtMessageBox : public MessageBox
{
public:
    MsgAnswer show(QWidget* parent, const MessageRequest& request) override;
};
