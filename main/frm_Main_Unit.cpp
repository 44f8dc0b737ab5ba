#include "frm_Main_Unit.h"

#include <QComboBox>

#include "frm_About_Unit.h"
#include "frm_FastNamber_Unit.h"
#include "frm_List_unit.h"
#include "frm_Tabl_unit.h"

TForm1* Form1 = nullptr;
QString PickedFieldName;

int ComboItemIndex(const QComboBox* box)
{
    const int current = box->currentIndex();
    if (current >= 0 && box->itemText(current) == box->currentText())
        return current;
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setupUi(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) { return QMainWindow::eventFilter(watched, event); }

void CreateForms()
{
    Form1 = new TForm1;
    frm_Table = new Tfrm_Table(Form1);
    frm_About = new Tfrm_About(Form1);
    frm_ListOf_PoleDop = new Tfrm_ListOf_PoleDop(Form1);
    frm_FastNamber = new Tfrm_FastNamber(Form1);
}

void DestroyForms()
{
    delete Form1;  // owns the side windows
    Form1 = nullptr;
    frm_Table = nullptr;
    frm_About = nullptr;
    frm_ListOf_PoleDop = nullptr;
    frm_FastNamber = nullptr;
}
