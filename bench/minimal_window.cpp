// The floor for start-up time and memory: the least a Qt Widgets program
// does to show one window, quitting the same way kalimar does.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Kalimar"), &window));
    window.resize(628, 408);
    window.show();
    if (qEnvironmentVariableIsSet("KALIMAR_SMOKE_QUIT"))
        QTimer::singleShot(0, &app, [] {
            std::printf("minimal_window: started\n");
            QApplication::quit();
        });
    return app.exec();
}
