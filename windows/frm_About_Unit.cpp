#include "frm_About_Unit.h"

Tfrm_About* frm_About = nullptr;

Tfrm_About::Tfrm_About(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
}
