#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_FastNamber_Unit.h"

class Tfrm_FastNamber : public QDialog, public Ui::Tfrm_FastNamber {
    Q_OBJECT

public:
    explicit Tfrm_FastNamber(QWidget* parent = nullptr);
    // The value handed back to the caller.
    QString QuickValueText;
};

extern Tfrm_FastNamber* frm_FastNamber;
