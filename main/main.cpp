// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "QuitAfterFirstPaint.h"
#include "Version.h"
#include "frm_Main_Unit.h"

namespace {

bool HasDisplay()
{
    if (std::getenv("QT_QPA_PLATFORM"))
        return true;
#ifdef Q_OS_LINUX
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// What Qt said while it looked for a platform to open windows on.
QStringList& PlatformMessages()
{
    static QStringList messages;
    return messages;
}

QString Env(const char* name) { return qEnvironmentVariable(name); }

// Qt aborts when no platform opens, with advice to reinstall; say instead
// what is missing and end with status 1.
QString MissingDisplay()
{
    const QString said = PlatformMessages().join(QLatin1Char('\n'));
    const QString platform = Env("QT_QPA_PLATFORM");
    const int listed = said.indexOf(QLatin1String("Available platform plugins are:"));
    const QString available = listed < 0 ? QString() : said.mid(listed).section(QLatin1Char('\n'), 0, 0);
    if (!platform.isEmpty() && said.contains(QStringLiteral("plugin \"%1\"").arg(platform)))
        return QStringLiteral("QT_QPA_PLATFORM names the platform \"%1\", which cannot be opened here. %2")
            .arg(platform, available)
            .trimmed();
    if (!Env("DISPLAY").isEmpty())
        return QStringLiteral("no X server answers at DISPLAY=%1").arg(Env("DISPLAY"));
    if (!Env("WAYLAND_DISPLAY").isEmpty())
        return QStringLiteral("DISPLAY is not set, and there is no usable Wayland compositor at WAYLAND_DISPLAY=%1"
                              " (Qt's Wayland support is the Debian package qt6-wayland)")
            .arg(Env("WAYLAND_DISPLAY"));
    return QStringLiteral("no display to open the window on (DISPLAY is not set)");
}

void WhileOpeningThePlatform(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    PlatformMessages() << message;
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "kalimar: cannot open a window: %s\n", qPrintable(MissingDisplay()));
        std::_Exit(1);
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "kalimar: no display to open the window on (DISPLAY is not set)\n");
        return 1;
    }
    const QtMessageHandler previous = qInstallMessageHandler(WhileOpeningThePlatform);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    // A platform that opened after others failed: keep what Qt said about those.
    for (const QString& message : std::as_const(PlatformMessages()))
        qWarning().noquote() << message;
    QApplication::setApplicationName(QStringLiteral("kalimar"));
    QApplication::setApplicationVersion(QStringLiteral(KALIMAR_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Kalimar"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kalimar"));
    QApplication::setWindowIcon(ProgramIcon());
    // Number texts never depend on the C locale, but keep it neutral anyway.
    std::setlocale(LC_NUMERIC, "C");

    CreateForms();
    // Smoke check of an installed build, and the start-up benchmark: start,
    // show and paint the window, quit.
    const bool smoke = qEnvironmentVariableIsSet("KALIMAR_SMOKE_QUIT");
    if (smoke)
        new QuitAfterFirstPaint(Form1);
    Form1->show();
    const int rc = app.exec();
    if (smoke)
        std::printf("kalimar: started\n");
    DestroyForms();
    return rc;
}
