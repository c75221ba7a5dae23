#pragma once

#include <QString>

// Opens a document, a mail address or a web address with the desktop's program.
class DesktopShell
{
public:
    virtual ~DesktopShell() = default;
    virtual bool open(const QString& target) = 0;
};

class QtDesktopShell : public DesktopShell
{
public:
    bool open(const QString& target) override;
};
