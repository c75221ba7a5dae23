#pragma once

#include <QDialog>

// Stands in for a screen of the program that is not built yet.
class PendingScreen : public QDialog
{
    Q_OBJECT

public:
    PendingScreen(const QString& caption, int helpTopic, QWidget* parent = nullptr);

signals:
    void quitClicked();
};
