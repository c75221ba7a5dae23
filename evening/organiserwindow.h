#pragma once

#include "organiser.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
struct Services;

// "Organisateur": the name, the place and the logo printed on the cards and
// the evening's papers, and shown on the hall display.
class OrganiserWindow : public QDialog
{
    Q_OBJECT

public:
    OrganiserWindow(Services& services, QString file, QWidget* parent = nullptr);

    // Asks for the logo's file; tests answer it themselves.
    std::function<QString(QWidget*)> chooseLogoFile;

    QLineEdit* nameField() const { return m_name; }
    QLineEdit* placeField() const { return m_place; }
    void chooseLogo();
    void removeLogo();
    // True once what the window shows is kept.
    bool save();
    // Closing with changes not kept asks first whether to keep them.
    void reject() override;

private:
    void showLogo();

    Services& m_services;
    QString m_file;
    Organiser m_organiser;
    Organiser m_kept; // as read, or as last saved
    QLineEdit* m_name;
    QLineEdit* m_place;
    QLabel* m_logo;
    QPushButton* m_remove;
};
