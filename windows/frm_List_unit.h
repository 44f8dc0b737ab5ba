#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_List_unit.h"

class Tfrm_ListOf_PoleDop : public QDialog, public Ui::Tfrm_ListOf_PoleDop {
    Q_OBJECT

public:
    explicit Tfrm_ListOf_PoleDop(QWidget* parent = nullptr);
};

extern Tfrm_ListOf_PoleDop* frm_ListOf_PoleDop;
