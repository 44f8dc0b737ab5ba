#include "frm_Tabl_unit.h"

Tfrm_Table* frm_Table = nullptr;

Tfrm_Table::Tfrm_Table(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
}
