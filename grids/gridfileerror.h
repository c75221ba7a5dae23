#pragma once

#include <QString>

#include <stdexcept>

// A grid file or its folder could not be read or written; the text is the
// French message shown to the organiser.
class GridFileError : public std::runtime_error
{
public:
    explicit GridFileError(const QString& message, const QString& detail = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_detail(detail)
    {}
    const QString& message() const { return m_message; }
    // What the engine or the system said, when there is more to tell.
    const QString& detail() const { return m_detail; }

private:
    QString m_message;
    QString m_detail;
};
