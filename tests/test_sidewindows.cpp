// SPDX-License-Identifier: GPL-3.0-or-later
// The field picker, the quick-value palette and the About window, driven as
// a user drives them: modal showings, real clicks, pointer moves, keys.
// Mouse input through the window, as a real pointer: grabs, enter and leave.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include <QDesktopServices>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolButton>

#include "Look.h"
#include "Version.h"
#include "QtTestSupport.h"
#include "frm_About_Unit.h"
#include "frm_FastNamber_Unit.h"
#include "frm_List_unit.h"
#include "frm_Tabl_unit.h"

using testsupport::Child;
using testsupport::M;
using testsupport::RestartProgram;
using testsupport::WhenModalShows;

namespace {

// Clicks `target` in the shown dialog; closes the dialog when the click did
// not, so that a fault fails the case instead of hanging exec().
bool ClickCloses(QDialog* dialog, QWidget* target)
{
    QTest::mouseClick(target, Qt::LeftButton);
    const bool closed = !dialog->isVisible();
    if (!closed)
        dialog->reject();
    return closed;
}

QColor ShownColour(const QWidget* w, QPalette::ColorRole role = QPalette::WindowText)
{
    return w->palette().color(QPalette::Active, role);
}

const QColor clLime{0, 255, 0};

}  // namespace

class TestSideWindows : public QObject {
    Q_OBJECT

public slots:
    // Stands in for the desktop's browser and mail program.
    void openUrl(const QUrl& url) { opened << url.toString(); }

private:
    QStringList opened;

private slots:
    void initTestCase()
    {
        SetApplicationFont();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "openUrl");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        DestroyForms();
    }
    void init()
    {
        RestartProgram();
        opened.clear();
    }

    // ---- Field picker ----

    void pickerButton_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QColor>("colour");
        const QColor blue = clBlue, red = clRed, green = clGreen;
        auto Row = [](int n, const char* caption, int left, int top, const QColor& colour) {
            QTest::newRow(qPrintable(QStringLiteral("SpeedButton%1").arg(n)))
                << QString::fromLatin1(caption) << QPoint(left, top) << colour;
        };
        Row(1, "g6", 184, 64, blue);
        Row(2, "K6", 472, 64, red);
        Row(3, "N6", 520, 64, red);
        Row(4, "R6", 568, 64, red);
        Row(5, "f7", 232, 112, blue);
        Row(6, "F8", 280, 160, red);
        Row(7, "H6", 376, 64, red);
        Row(8, "h6", 328, 64, blue);
        Row(9, "Js6", 424, 64, green);
        Row(10, "h7", 328, 112, blue);
        Row(11, "H7", 376, 112, red);
        Row(12, "S7", 616, 112, red);
        Row(13, "Js7", 424, 112, green);
        Row(14, "h8", 328, 160, blue);
        Row(15, "H8", 376, 160, red);
        Row(17, "h9", 328, 208, blue);
        Row(18, "H9", 376, 208, red);
        Row(20, "d11", 136, 256, blue);
        Row(21, "b12", 88, 304, blue);
        Row(23, "h11", 328, 256, blue);
        Row(24, "H11", 376, 256, red);
        Row(26, "h12", 328, 304, blue);
        Row(27, "H12", 376, 304, red);
        Row(28, "Js12", 424, 304, green);
        Row(29, "h13", 328, 352, blue);
        Row(30, "H13", 376, 352, red);
        Row(31, "Js13", 424, 352, green);
        Row(32, "h14", 328, 400, blue);
        Row(33, "H14", 376, 400, red);
        Row(34, "Js14", 424, 400, green);
        Row(35, "h15", 328, 448, blue);
        Row(36, "H15", 376, 448, red);
        Row(37, "Js15", 424, 448, green);
        Row(38, "h16", 328, 496, blue);
        Row(39, "H16", 376, 496, red);
        Row(40, "Js16", 424, 496, green);
        Row(41, "k7", 472, 112, blue);
        Row(42, "U8", 664, 160, red);
        Row(43, "f8", 232, 160, blue);
        Row(44, "d9", 136, 208, blue);
        Row(45, "f9", 232, 208, blue);
    }

    void pickerButton()
    {
        QFETCH(QString, caption);
        QFETCH(QPoint, place);
        QFETCH(QColor, colour);
        auto* button = SideWindow<Tfrm_ListOf_PoleDop>()->findChild<QToolButton*>(QLatin1String(QTest::currentDataTag()));
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->geometry(), QRect(place, QSize(41, 33)));
        QVERIFY(button->autoRaise());
        QCOMPARE(button->font().pixelSize(), 13);
        QVERIFY(button->font().bold());
        QCOMPARE(ShownColour(button, QPalette::ButtonText), colour);

        SideWindow<Tfrm_ListOf_PoleDop>()->SetPickedFieldName(QStringLiteral("H9"));
        bool closed = false;
        WhenModalShows([&](QWidget*) { closed = ClickCloses(SideWindow<Tfrm_ListOf_PoleDop>(), button); });
        SideWindow<Tfrm_ListOf_PoleDop>()->exec();
        QVERIFY(closed);
        QCOMPARE(SideWindow<Tfrm_ListOf_PoleDop>()->pickedFieldName(), caption);
    }

    void pickerChart()
    {
        QCOMPARE(SideWindow<Tfrm_ListOf_PoleDop>()->windowTitle(), QStringLiteral("Поля допусков (список полей)"));
        QCOMPARE(SideWindow<Tfrm_ListOf_PoleDop>()->minimumSize(), QSize(711, 542));
        QCOMPARE(SideWindow<Tfrm_ListOf_PoleDop>()->maximumSize(), QSize(711, 542));
        QVERIFY(!(SideWindow<Tfrm_ListOf_PoleDop>()->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        QCOMPARE(SideWindow<Tfrm_ListOf_PoleDop>()->findChildren<QToolButton*>().size(), 41);

        QStringList letters, grades;
        for (const char* name : {"LabelB", "LabelD", "LabelG", "LabelF", "LabelH", "LabelJs", "LabelK", "LabelN",
                                 "LabelR", "LabelS", "LabelU"}) {
            QLabel* l = Child<QLabel>(SideWindow<Tfrm_ListOf_PoleDop>(), name);
            letters << QStringLiteral("%1@%2").arg(l->text()).arg(l->x());
            QCOMPARE(l->y(), 24);
            QCOMPARE(l->font().pixelSize(), 24);
        }
        QCOMPARE(letters.join(' '), QStringLiteral("b@104 d@152 g@200 F@272 H@368 Js@432 K@488 N@536 R@584 S@624 U@672"));
        for (const char* name : {"LabelGrade6", "LabelGrade7", "LabelGrade8", "LabelGrade9", "LabelGrade11",
                                 "LabelGrade12", "LabelGrade13", "LabelGrade14", "LabelGrade15", "LabelGrade16"}) {
            QLabel* l = Child<QLabel>(SideWindow<Tfrm_ListOf_PoleDop>(), name);
            grades << QStringLiteral("%1@%2").arg(l->text()).arg(l->x());
        }
        QCOMPARE(grades.join(' '), QStringLiteral("6@48 7@48 8@48 9@48 11@40 12@40 13@40 14@40 15@40 16@40"));

        const QLabel* letter = Child<QLabel>(SideWindow<Tfrm_ListOf_PoleDop>(), "LabelLetter");
        QCOMPARE(letter->text(), QStringLiteral("Буква"));
        QCOMPARE(letter->pos(), QPoint(352, 4));
        QCOMPARE(letter->font().pixelSize(), 13);
        QLabel* grade = Child<QLabel>(SideWindow<Tfrm_ListOf_PoleDop>(), "LabelKvalitet");
        QCOMPARE(grade->text(), QStringLiteral("К в а л и т е т"));
        QCOMPARE(grade->geometry().topLeft(), QPoint(8, 200));
        QCOMPARE(grade->width(), 14);
        // One letter a line: the box is tall enough for all eight.
        QVERIFY(grade->heightForWidth(14) <= grade->height());
        QVERIFY(grade->heightForWidth(14) >= 8 * grade->fontMetrics().height());
    }

    void pickerClosedWithoutPickKeepsPreset()
    {
        SideWindow<Tfrm_ListOf_PoleDop>()->SetPickedFieldName(QStringLiteral("H9"));
        bool stillOpen = false;
        WhenModalShows([&](QWidget* modal) {
            // No default button: Enter and Space pick nothing.
            QTest::keyClick(modal, Qt::Key_Return);
            QTest::keyClick(modal, Qt::Key_Space);
            stillOpen = modal->isVisible();
            modal->close();
        });
        SideWindow<Tfrm_ListOf_PoleDop>()->exec();
        QVERIFY(stillOpen);
        QCOMPARE(SideWindow<Tfrm_ListOf_PoleDop>()->pickedFieldName(), QStringLiteral("H9"));
    }

    // Centred on the main window at the first showing, then where it was left.
    void centredOnceThenStaysPut_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QPoint>("mainAt");
        QTest::newRow("picker") << QStringLiteral("picker") << QPoint(90, 115);
        QTest::newRow("about") << QStringLiteral("about") << QPoint(20, 20);
    }

    void centredOnceThenStaysPut()
    {
        QFETCH(QString, window);
        QFETCH(QPoint, mainAt);
        QDialog* dialog = window == QLatin1String("picker") ? static_cast<QDialog*>(SideWindow<Tfrm_ListOf_PoleDop>()) : SideWindow<Tfrm_About>();
        Form1->move(mainAt);
        QPoint first;
        const QPoint dragged = mainAt + QPoint(7, 5);
        WhenModalShows([&](QWidget* modal) {
            const QRect frame = modal->frameGeometry();
            first = QPoint(2 * frame.left() + frame.width(), 2 * frame.top() + frame.height());
            modal->windowHandle()->setPosition(dragged);  // as the user drags it
            QCoreApplication::processEvents();
            modal->close();
        });
        dialog->exec();
        // Frame on frame, to half a pixel where the sizes differ by an odd number.
        const QRect main = Form1->frameGeometry();
        const QPoint off = first - QPoint(2 * main.left() + main.width(), 2 * main.top() + main.height());
        QVERIFY2(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1,
                 qPrintable(QStringLiteral("off by %1,%2 half pixels").arg(off.x()).arg(off.y())));

        Form1->move(mainAt + QPoint(60, 40));
        QPoint second;
        WhenModalShows([&](QWidget* modal) {
            second = modal->geometry().topLeft();
            modal->close();
        });
        dialog->exec();
        QCOMPARE(second, dragged);
    }

    // Escape closes the picker, the palette and About; the table closes
    // with its title-bar button only.
    void escape_data()
    {
        using Make = QDialog* (*)();
        QTest::addColumn<Make>("window");
        QTest::addColumn<bool>("closes");
        QTest::newRow("picker") << Make([]() -> QDialog* { return SideWindow<Tfrm_ListOf_PoleDop>(); }) << true;
        QTest::newRow("palette") << Make([]() -> QDialog* { return SideWindow<Tfrm_FastNamber>(); }) << true;
        QTest::newRow("about") << Make([]() -> QDialog* { return SideWindow<Tfrm_About>(); }) << true;
        QTest::newRow("table") << Make([]() -> QDialog* { return SideWindow<Tfrm_Table>(); }) << false;
    }

    void escape()
    {
        using Make = QDialog* (*)();
        QFETCH(Make, window);
        QFETCH(bool, closes);
        QDialog* dialog = window();
        bool openAfterEscape = true;
        WhenModalShows([&](QWidget* modal) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : modal;
            QTest::keyClick(target, Qt::Key_Escape);
            openAfterEscape = modal->isVisible();
            if (openAfterEscape)
                modal->close();
        });
        dialog->exec();
        QCOMPARE(openAfterEscape, !closes);
        QVERIFY(!dialog->isVisible());
    }

    // ---- Quick-value palette ----

    void paletteValues()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        auto Row = [](const char* label, int left, int top, const char* shown, const char* stored) {
            QTest::newRow(label) << QString::fromLatin1(label) << QPoint(left, top) << QString::fromLatin1(shown)
                                 << QString::fromLatin1(stored);
        };
        Row("Label1", 16, 8, "0,10", "0,1");
        Row("Label19", 16, 32, "0,12", "0,12");
        Row("Label2", 16, 56, "0,15", "0,15");
        Row("Label20", 16, 80, "0,18", "0,18");
        Row("Label3", 16, 104, "0,20", "0,2");
        Row("Label4", 16, 128, "0,25", "0,25");
        Row("Label5", 16, 152, "0,30", "0,3");
        Row("Label16", 72, 8, "0,35", "0,35");
        Row("Label6", 72, 32, "0,40", "0,4");
        Row("Label7", 72, 56, "0,45", "0,45");
        Row("Label8", 72, 80, "0,50", "0,5");
        Row("Label9", 72, 104, "0,55", "0,55");
        Row("Label10", 72, 128, "0,60", "0,6");
        Row("Label17", 72, 152, "0,65", "0,65");
        Row("Label11", 128, 8, "0,70", "0,7");
        Row("Label12", 128, 32, "0,80", "0,8");
        Row("Label13", 128, 56, "0,90", "0,9");
        Row("Label14", 128, 80, "1,00", "1,0");
        Row("Label15", 128, 104, "1,10", "1,1");
        Row("Label18", 128, 128, "1,20", "1,2");
    }

    void paletteValueClickStoresItsText_data() { paletteValues(); }
    void paletteValueClickStoresItsText()
    {
        QFETCH(QString, label);
        QFETCH(QPoint, place);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        auto* value = SideWindow<Tfrm_FastNamber>()->findChild<QLabel*>(label);
        QVERIFY(value);
        QCOMPARE(value->text(), shown);
        QCOMPARE(value->pos(), place);
        QCOMPARE(value->font().pixelSize(), 13);
        QVERIFY(value->font().bold());

        SideWindow<Tfrm_FastNamber>()->SetQuickValueText(QStringLiteral("0,33"));
        bool closed = false;
        WhenModalShows([&](QWidget*) { closed = ClickCloses(SideWindow<Tfrm_FastNamber>(), value); });
        SideWindow<Tfrm_FastNamber>()->exec();
        QVERIFY(closed);
        QCOMPARE(SideWindow<Tfrm_FastNamber>()->quickValueText(), stored);
    }

    void paletteHoverReddensOnlyThatValue_data() { paletteValues(); }
    void paletteHoverReddensOnlyThatValue()
    {
        QFETCH(QString, label);
        auto* value = SideWindow<Tfrm_FastNamber>()->findChild<QLabel*>(label);
        QStringList redOnEnter, redAfterLeave;
        auto RedOnes = [] {
            QStringList red;
            for (QLabel* l : Child(SideWindow<Tfrm_FastNamber>(), "Panel1")->findChildren<QLabel*>()) {
                const QColor c = ShownColour(l);
                if (c == clRed)
                    red << l->objectName();
                else if (c != clMaroon)
                    red << l->objectName() + QStringLiteral("?");
            }
            return red;
        };
        QStringList atRest;
        WhenModalShows([&](QWidget* modal) {
            QTest::mouseMove(modal, QPoint(3, 171));  // an empty corner of the panel
            QTest::mouseMove(modal, QPoint(4, 172));
            atRest = RedOnes();
            QTest::mouseMove(value, value->rect().center());
            redOnEnter = RedOnes();
            QTest::mouseMove(modal, QPoint(4, 172));
            redAfterLeave = RedOnes();
            modal->close();
        });
        SideWindow<Tfrm_FastNamber>()->exec();
        QCOMPARE(atRest, QStringList());
        QCOMPARE(redOnEnter, QStringList{label});
        QCOMPARE(redAfterLeave, QStringList());
    }

    void paletteReopensWithNoValueRed()
    {
        WhenModalShows([&](QWidget* modal) {
            QTest::mouseMove(modal, QPoint(3, 171));
            QTest::mouseMove(Child<QLabel>(SideWindow<Tfrm_FastNamber>(), "Label14"));
            QTest::mouseClick(Child<QLabel>(SideWindow<Tfrm_FastNamber>(), "Label14"), Qt::LeftButton);
        });
        SideWindow<Tfrm_FastNamber>()->exec();
        QColor reshown;
        WhenModalShows([&](QWidget* modal) {
            reshown = ShownColour(Child<QLabel>(SideWindow<Tfrm_FastNamber>(), "Label14"));
            modal->close();
        });
        SideWindow<Tfrm_FastNamber>()->exec();
        QCOMPARE(reshown, clMaroon);
    }

    void paletteClosedWithoutClickKeepsPreset()
    {
        SideWindow<Tfrm_FastNamber>()->SetQuickValueText(QStringLiteral("0,33"));
        bool stillOpen = false;
        WhenModalShows([&](QWidget* modal) {
            // Pressed on a value but released off it: no click.
            QTest::mousePress(Child<QLabel>(SideWindow<Tfrm_FastNamber>(), "Label14"), Qt::LeftButton);
            QTest::mouseRelease(Child<QLabel>(SideWindow<Tfrm_FastNamber>(), "Label14"), Qt::LeftButton, {}, QPoint(-20, 40));
            stillOpen = modal->isVisible();
            modal->close();
        });
        SideWindow<Tfrm_FastNamber>()->exec();
        QVERIFY(stillOpen);
        QCOMPARE(SideWindow<Tfrm_FastNamber>()->quickValueText(), QStringLiteral("0,33"));
    }

    void paletteOpensWhereTheCallerPutIt()
    {
        QVERIFY(SideWindow<Tfrm_FastNamber>()->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(SideWindow<Tfrm_FastNamber>()->windowTitle(), QStringLiteral("быстрая вставка"));
        QCOMPARE(SideWindow<Tfrm_FastNamber>()->minimumSize(), QSize(169, 177));
        QCOMPARE(SideWindow<Tfrm_FastNamber>()->maximumSize(), QSize(169, 177));
        Form1->move(100, 100);
        QList<QPoint> seen;
        for (const QPoint at : {QPoint(333, 222), QPoint(120, 260)}) {
            SideWindow<Tfrm_FastNamber>()->move(at);
            WhenModalShows([&](QWidget* modal) {
                seen << modal->pos();
                modal->close();
            });
            SideWindow<Tfrm_FastNamber>()->exec();
        }
        QCOMPARE(seen, (QList<QPoint>{QPoint(333, 222), QPoint(120, 260)}));
    }

    // The palette's two etched lines: dark at left 56 and 112, light beside.
    void paletteEtchedLines()
    {
        QWidget* panel = Child(SideWindow<Tfrm_FastNamber>(), "Panel1");
        const QImage image = panel->grab().toImage();
        // As painted: 8 bits a channel.
        const QRgb dark = panel->palette().color(QPalette::Dark).rgb();
        const QRgb light = panel->palette().color(QPalette::Light).rgb();
        const QRgb face = panel->palette().color(QPalette::Window).rgb();
        for (const int left : {56, 112}) {
            for (int y = 8; y < 8 + 137; ++y) {
                QCOMPARE(image.pixel(left, y), dark);
                QCOMPARE(image.pixel(left + 1, y), light);
                QCOMPARE(image.pixel(left - 1, y), face);
            }
            QCOMPARE(image.pixel(left, 7), face);
            QCOMPARE(image.pixel(left, 8 + 137), face);
        }
    }

    // ---- About ----

    void aboutLook_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("title") << "Label4" << QStringLiteral("Калимар " KALIMAR_VERSION) << 15 << clMaroon;
        QTest::newRow("heading") << "Label3" << "Описание" << 15 << clNavy;
        QTest::newRow("web") << "LabelWWW" << kAboutWebPage << 12 << clBlue;
        QTest::newRow("mail") << "LabelMail" << QStringLiteral("EMail : ") + kAboutMail << 12 << clBlue;
    }

    void aboutLook()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(QColor, colour);
        auto* label = SideWindow<Tfrm_About>()->findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->font().pixelSize(), pixelSize);
        QVERIFY(label->font().bold());
        QCOMPARE(ShownColour(label), colour);
        // The whole text fits: nothing is cut off.
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->width());
        QVERIFY(label->geometry().right() < Child(SideWindow<Tfrm_About>(), "Panel2")->width());
        if (name.startsWith(QLatin1String("LabelW")) || name == QLatin1String("LabelMail")) {
            QVERIFY(label->font().underline());
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    // About's line under the title runs along the bottom edge of its bevel.
    void aboutEtchedLine()
    {
        QWidget* bevel = Child(SideWindow<Tfrm_About>(), "Bevel2");
        QCOMPARE(bevel->geometry(), QRect(8, 46, 361, 6));
        QWidget* panel = Child(SideWindow<Tfrm_About>(), "Panel2");
        const QImage image = panel->grab().toImage();
        // As painted: 8 bits a channel.
        const QRgb dark = panel->palette().color(QPalette::Dark).rgb();
        const QRgb light = panel->palette().color(QPalette::Light).rgb();
        const QRgb face = panel->palette().color(QPalette::Window).rgb();
        for (int x = 8; x < 8 + 361; ++x) {
            QCOMPARE(image.pixel(x, 50), dark);
            QCOMPARE(image.pixel(x, 51), light);
            QCOMPARE(image.pixel(x, 48), face);
            QCOMPARE(image.pixel(x, 49), face);
        }
    }

    void aboutDescription()
    {
        QCOMPARE(SideWindow<Tfrm_About>()->windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(SideWindow<Tfrm_About>()->maximumSize(), QSize(386, 361));
        QTextEdit* memo = Child<QTextEdit>(SideWindow<Tfrm_About>(), "Memo2");
        const QStringList lines = memo->toPlainText().split('\n');
        QCOMPARE(lines.value(0), QStringLiteral("ОПИСАНИЕ"));
        QCOMPARE(lines.value(6), QStringLiteral("ВЕРСИЯ " KALIMAR_VERSION "."));
        QCOMPARE(lines.value(13), QStringLiteral("ЕЩЕ:"));
        QVERIFY(lines.contains(QStringLiteral("Программа распространяется абсолютно БЕСПЛАТНО.")));
        QVERIFY(memo->toPlainText().contains(kAboutMail));
        for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
            QVERIFY(b.blockFormat().alignment() & Qt::AlignHCenter);
        QCOMPARE(BaseColour(memo), clBlack);
        QCOMPARE(ShownColour(memo, QPalette::Text), clLime);
        QCOMPARE(memo->font().pixelSize(), 11);

        QString typedAway, selected;
        int scrollRange = 0;
        WhenModalShows([&](QWidget* modal) {
            QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
            QTest::keyClicks(memo, QStringLiteral("xyz"));
            QTest::keyClick(memo, Qt::Key_Delete);
            typedAway = memo->toPlainText();
            QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
            selected = memo->textCursor().selectedText();
            scrollRange = memo->verticalScrollBar()->maximum();
            modal->close();
        });
        SideWindow<Tfrm_About>()->exec();
        QCOMPARE(typedAway, memo->toPlainText());
        QCOMPARE(typedAway, lines.join('\n'));
        QCOMPARE(selected.size(), typedAway.size());
        QVERIFY(scrollRange > 0);
    }

    void aboutLinksOpenAndDialogStays()
    {
        bool openAfterLinks = false;
        WhenModalShows([&](QWidget* modal) {
            QTest::mouseClick(Child<QLabel>(SideWindow<Tfrm_About>(), "LabelWWW"), Qt::LeftButton);
            QTest::mouseClick(Child<QLabel>(SideWindow<Tfrm_About>(), "LabelWWW"), Qt::LeftButton);
            QTest::mouseClick(Child<QLabel>(SideWindow<Tfrm_About>(), "LabelMail"), Qt::LeftButton);
            openAfterLinks = modal->isVisible() && QApplication::activeModalWidget() == modal;
            ClickCloses(SideWindow<Tfrm_About>(), Child<QPushButton>(SideWindow<Tfrm_About>(), "BitBtn1"));
        });
        QCOMPARE(SideWindow<Tfrm_About>()->exec(), int(QDialog::Accepted));
        QVERIFY(openAfterLinks);
        QCOMPARE(opened, (QStringList{kAboutWebPage, kAboutWebPage, QStringLiteral("mailto:") + kAboutMail}));
    }

    void aboutOkIsTheDefaultButton()
    {
        QCOMPARE(Child<QPushButton>(SideWindow<Tfrm_About>(), "BitBtn1")->text(), QStringLiteral("OK"));
        QVERIFY(!Child<QPushButton>(SideWindow<Tfrm_About>(), "BitBtn1")->icon().isNull());
        WhenModalShows([](QWidget* modal) {
            QTest::keyClick(modal, Qt::Key_Return);
            if (modal->isVisible())
                modal->close();
        });
        QCOMPARE(SideWindow<Tfrm_About>()->exec(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestSideWindows)
#include "test_sidewindows.moc"
