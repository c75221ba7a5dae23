#pragma once

#include <QLineEdit>

#include <functional>

// The field where the operator types each number out of the ball machine.
// Entrée reads it: a number not out yet is handed on, anything else is
// refused with the reason; either way the field is emptied for the next.
class BallMachineEntry : public QLineEdit
{
    Q_OBJECT

public:
    // isOut: whether a number is already out in the series.
    BallMachineEntry(QWidget* parent, std::function<bool(int)> isOut);

signals:
    void numberEntered(int n);
    void numberRefused(const QString& reason);

private:
    void read();

    std::function<bool(int)> m_isOut;
};
