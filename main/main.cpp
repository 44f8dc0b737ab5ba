#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "Look.h"
#include "frm_Main_Unit.h"

static bool HasDisplay()
{
    if (std::getenv("QT_QPA_PLATFORM"))
        return true;
#ifdef Q_OS_LINUX
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

int main(int argc, char* argv[])
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "kalimar: no display to open the window on (DISPLAY is not set)\n");
        return 1;
    }
    QApplication app(argc, argv);
    // Number texts never depend on the C locale, but keep it neutral anyway.
    std::setlocale(LC_NUMERIC, "C");
    InstallFontSubstitutions();

    CreateForms();
    Form1->show();
    const int rc = app.exec();
    DestroyForms();
    return rc;
}
