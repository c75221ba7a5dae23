#pragma once

#include <QString>

#include <optional>

class QWidget;

// A one-line question; nullopt when the user cancels.
class InputBox
{
public:
    virtual ~InputBox() = default;
    virtual std::optional<QString> ask(QWidget* parent, const QString& title, const QString& prompt,
                                       const QString& defaultText) = 0;
};

class QtInputBox : public InputBox
{
public:
    std::optional<QString> ask(QWidget* parent, const QString& title, const QString& prompt,
                               const QString& defaultText) override;
};
