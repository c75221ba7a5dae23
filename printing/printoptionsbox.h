#pragma once

#include "printoptions.h"

#include <QFrame>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
struct Services;

// The printing screen's choices beside its buttons: cards a page, large
// print, the range of grids, and the preview.
class PrintOptionsBox : public QFrame
{
    Q_OBJECT

public:
    PrintOptionsBox(Services& services, QWidget* parent);

    // The chosen file's grids, numbered from 1; 0 while none is chosen.
    void setGridCount(int count);
    // The options, or none once a range has been refused and said.
    std::optional<PrintOptions> read();

signals:
    void previewClicked();

private:
    void cardsChanged();

    Services& m_services;
    QComboBox* m_cards;
    QCheckBox* m_large;
    QLineEdit* m_first;
    QLineEdit* m_last;
    QPushButton* m_preview;
    int m_gridCount = 0;
};
