#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_Tabl_unit.h"

class Tfrm_Table : public QDialog, public Ui::Tfrm_Table {
    Q_OBJECT

public:
    explicit Tfrm_Table(QWidget* parent = nullptr);
};

extern Tfrm_Table* frm_Table;
