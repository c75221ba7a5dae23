#pragma once

class QFileDialog;
class QString;

// Qt's own file dialog in French whatever translation is loaded, its lists
// of folders and of file types read out by name.
void frenchFileDialog(QFileDialog& dialog, const QString& acceptLabel);
