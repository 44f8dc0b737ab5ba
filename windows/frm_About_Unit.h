#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_About_Unit.h"

class Tfrm_About : public QDialog, public Ui::Tfrm_About {
    Q_OBJECT

public:
    explicit Tfrm_About(QWidget* parent = nullptr);
};

extern Tfrm_About* frm_About;
