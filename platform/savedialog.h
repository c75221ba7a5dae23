#pragma once

#include <QString>

class MessageBox;
class QWidget;

// The dialog where the organiser names a file to write; tests answer it in advance.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;
    // The path chosen, or an empty string when the organiser cancels.
    // proposed is a whole path: the folder shown and the name filled in.
    virtual QString ask(QWidget* parent, const QString& title, const QString& proposed,
                        const QString& filter) = 0;

    // Where a saved file is proposed: the documents folder, or the home
    // folder on a system without one.
    static QString documentsFolder();
    // True for a new name, or once the organiser agrees to replace what is
    // there; the question defaults to Non.
    static bool mayReplace(MessageBox& messages, QWidget* parent, const QString& path);
};

// Qt's file dialog, in French whatever translation is loaded, and leaving no
// settings file behind.
class QtSaveDialog : public SaveDialog
{
public:
    QString ask(QWidget* parent, const QString& title, const QString& proposed,
                const QString& filter) override;
};
