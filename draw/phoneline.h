#pragma once

#include <QWidget>

class PhoneSwitch;
class QComboBox;
class QLabel;

// Under the big number, for the operator while the phones follow the draw:
// their address and how many are connected, and the choice of the address
// the hall shows when the laptop is on more than one network.
class PhoneLine : public QWidget
{
    Q_OBJECT

public:
    PhoneLine(PhoneSwitch& phones, QWidget* parent);

    QLabel* status() const { return m_status; }
    QComboBox* addresses() const { return m_addresses; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();

    PhoneSwitch& m_phones;
    QLabel* m_status;
    QComboBox* m_addresses;
};
