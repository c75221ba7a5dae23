#include "services.h"

#include "busypointer.h"
#include "param.h"

MsgAnswer Services::message(QWidget* parent, MsgIcon icon, const QString& text, MsgButtons buttons,
                            MsgAnswer defaultAnswer) const
{
    if (buttons == MsgButtons::YesNo && defaultAnswer == MsgAnswer::Ok)
        defaultAnswer = MsgAnswer::Yes;
    const ArrowWhileAsking arrow;
    return messages.show(parent, {icon, buttons, defaultAnswer, Param::AppTitle(), text});
}
