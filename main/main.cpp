#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "Version.h"
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
    QApplication::setApplicationName(QStringLiteral("kalimar"));
    QApplication::setApplicationVersion(QStringLiteral(KALIMAR_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Kalimar"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kalimar"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kalimar"), QIcon(QStringLiteral(":/kalimar.png"))));
    // Number texts never depend on the C locale, but keep it neutral anyway.
    std::setlocale(LC_NUMERIC, "C");

    CreateForms();
    Form1->show();
    // Smoke check of an installed build: start, show the window, quit.
    if (qEnvironmentVariableIsSet("KALIMAR_SMOKE_QUIT"))
        QTimer::singleShot(0, &app, [] {
            std::printf("kalimar: started\n");
            QApplication::quit();
        });
    const int rc = app.exec();
    DestroyForms();
    return rc;
}
