#pragma once

#include <QComboBox>

// The list of grid files the draw may be tied to, shown in the draw screen's
// corner while the operator chooses.
class DrawFileList : public QComboBox
{
    Q_OBJECT

public:
    explicit DrawFileList(QWidget* parent);

    // Lists the grid files of the program folder by their draw titles, none chosen.
    void showFiles(const QString& appPath);
};
