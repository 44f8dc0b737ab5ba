// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up time and memory: a plain Qt Widgets window with the
// same kinds of controls as Kalimar's main window and four hidden dialogs
// built at start, in Qt's default font, showing and quitting the way kalimar
// does (after its first paint).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>

#include <cstdio>

#include "QuitAfterFirstPaint.h"

namespace {

// A grid of controls of every kind the calculator uses.
void Fill(QWidget* area, int labels, int boxes)
{
    for (int i = 0; i < labels; ++i)
        (new QLabel(QStringLiteral("Label %1").arg(i), area))->move(10 + 60 * (i % 8), 10 + 20 * (i / 8));
    for (int i = 0; i < boxes; ++i)
        (new QLineEdit(QString::number(i), area))->setGeometry(10 + 80 * (i % 6), 120 + 30 * (i / 6), 70, 24);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* area = new QWidget(&window);
    window.setCentralWidget(area);
    Fill(area, 16, 8);
    auto* list = new QListWidget(area);
    list->setGeometry(500, 10, 65, 345);
    for (int i = 0; i < 40; ++i)
        list->addItem(QStringLiteral("h%1").arg(i));
    auto* group = new QGroupBox(QStringLiteral("Group"), area);
    group->setGeometry(10, 200, 400, 60);
    for (int i = 0; i < 3; ++i) {
        auto* combo = new QComboBox(group);
        combo->addItems({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")});
        combo->setEditable(true);
        combo->setGeometry(10 + 130 * i, 25, 120, 21);
        (new QRadioButton(area))->move(10 + 30 * i, 270);
        (new QCheckBox(QStringLiteral("Check"), area))->move(120 + 90 * i, 270);
        (new QPushButton(QStringLiteral("Button"), area))->move(10 + 90 * i, 300);
    }
    (new QToolButton(area))->move(300, 300);
    window.statusBar()->addWidget(new QLabel(QStringLiteral("Version")));
    window.setFixedSize(628, 408);

    for (int d = 0; d < 4; ++d) {
        auto* dialog = new QDialog(&window);
        Fill(dialog, 20, 4);
        for (int i = 0; i < 10; ++i)
            (new QToolButton(dialog))->move(10 + 45 * i, 250);
    }

    const bool smoke = qEnvironmentVariableIsSet("KALIMAR_SMOKE_QUIT");
    if (smoke)
        new QuitAfterFirstPaint(&window);
    window.show();
    const int rc = app.exec();
    if (smoke)
        std::printf("bare_window: started\n");
    return rc;
}
