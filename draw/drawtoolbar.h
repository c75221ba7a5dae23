#pragma once

#include <QHash>
#include <QWidget>

class QToolButton;

// The draw screen's toolbar: icon buttons in two rows, identified by text keys.
class DrawToolBar : public QWidget
{
    Q_OBJECT

public:
    explicit DrawToolBar(QWidget* parent);

    QToolButton* button(const QString& key) const { return m_buttons.value(key); }
    QStringList keys() const { return m_keys; }

signals:
    // A key pressed, or a switch turned on or off.
    void buttonClicked(const QString& key);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* addButton(const QString& key, const QString& toolTip, const QString& name = {});

    QStringList m_keys;
    QHash<QString, QToolButton*> m_buttons;
};
