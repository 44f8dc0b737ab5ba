#include "frm_List_unit.h"

Tfrm_ListOf_PoleDop* frm_ListOf_PoleDop = nullptr;

Tfrm_ListOf_PoleDop::Tfrm_ListOf_PoleDop(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
}
