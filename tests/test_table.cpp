// The tolerance table as the user sees it: headings, cell texts and colours,
// scrolling, the resize limit and where the window opens.
#include <QComboBox>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "Data_Unit.h"
#include "DrawGrid.h"
#include "QtTestSupport.h"
#include "frm_Tabl_unit.h"

namespace {

// What one drawText call put on the grid.
struct PaintedText {
    QString text;
    QColor colour;
    bool bold;
    QRectF box;
};

// Records the texts a painter draws, with their pen and font.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& s) override
    {
        if (s.state() & DirtyPen)
            pen = s.pen();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QRectF box(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        texts.push_back({item.text(), pen.color(), item.font().bold(), box});
    }

    QPen pen;
    QList<PaintedText> texts;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size) : size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable TextRecorder engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        case PdmWidthMM: return size_.width() * 254 / 960;
        case PdmHeightMM: return size_.height() * 254 / 960;
        default: return 96;  // dpi
        }
    }

private:
    QSize size_;
};

DrawGrid* Grid() { return frm_Table->DrawGrid1; }

void SetGradeOrder(bool byGrade) { Form1->ComboBox1->setCurrentIndex(byGrade ? 4 : 0); }

// Everything the grid paints now, as texts.
QList<PaintedText> PaintTexts()
{
    RecordingDevice device(Grid()->viewport()->size());
    QPainter p(&device);
    Grid()->paintCells(p);
    p.end();
    return device.engine.texts;
}

// The texts painted inside one cell, top to bottom.
QList<PaintedText> TextsOfCell(int col, int row)
{
    const QRect cell = Grid()->cellRect(col, row);
    QList<PaintedText> found;
    for (const PaintedText& t : PaintTexts())
        if (cell.contains(t.box.center().toPoint()))
            found.push_back(t);
    std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.box.top() < b.box.top(); });
    return found;
}

QStringList Strings(const QList<PaintedText>& texts)
{
    QStringList s;
    for (const PaintedText& t : texts)
        s << t.text;
    return s;
}

int Distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Pixels of a cell in the ink rather than the paper (text is antialiased).
int InkPixels(const QImage& image, const QRect& cell, const QColor& ink, const QColor& paper)
{
    int n = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (3 * Distance(c, ink) < Distance(c, paper))
                ++n;
        }
    return n;
}

const QColor kPaleGreen{192, 220, 192}, kWhite{255, 255, 255}, kSkyBlue{166, 202, 240};
const QColor kGreen{0, 128, 0}, kMaroon{128, 0, 0}, kBlue{0, 0, 255};

}  // namespace

class TestTable : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        testsupport::RestartProgram();
        if (SizeRanges[kRangeCount].upper == 0) {  // until the main window builds them itself
            BuildSizeRanges();
            BuildDeviationTable();
            BuildFieldNames();
        }
        frm_Table->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm_Table));
    }
    void cleanup() { frm_Table->hide(); }

    void opensAsLaidOut()
    {
        QCOMPARE(frm_Table->windowTitle(), QStringLiteral("Поля допусков (отклонения показаны в мкм)"));
        QCOMPARE(frm_Table->size(), QSize(1132, 627));
        QCOMPARE(Grid()->geometry(), frm_Table->rect());
        QCOMPARE(Grid()->font().pixelSize(), 11);
        // 41 x 29 cells of 64 x 30 do not fit: both scroll bars are there.
        QVERIFY(Grid()->horizontalScrollBar()->isVisible());
        QVERIFY(Grid()->verticalScrollBar()->isVisible());
    }

    void columnHeadings_data()
    {
        QTest::addColumn<bool>("byGrade");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("name");
        QTest::newRow("9 by grade") << true << 9 << "H7";
        QTest::newRow("9 catalogue") << false << 9 << "S7";
        QTest::newRow("11 by grade") << true << 11 << "Js7";
        QTest::newRow("21 catalogue") << false << 21 << "Js7";
        QTest::newRow("26 by grade") << true << 26 << "h12";
        QTest::newRow("1 either") << true << 1 << "g6";
        QTest::newRow("8 either") << false << 8 << "h7";
        QTest::newRow("40 by grade") << true << 40 << "Js16";
        QTest::newRow("40 catalogue") << false << 40 << "Js16";
    }
    void columnHeadings()
    {
        QFETCH(bool, byGrade);
        QFETCH(int, col);
        QFETCH(QString, name);
        SetGradeOrder(byGrade);
        Grid()->setCurrent(col, 1);
        const QList<PaintedText> texts = TextsOfCell(col, 0);
        QCOMPARE(Strings(texts), QStringList{name});
        QCOMPARE(texts[0].colour, QColor(Qt::black));
        QVERIFY(texts[0].bold);
        QVERIFY(QRectF(Grid()->cellRect(col, 0)).contains(texts[0].box));
    }

    void rowHeadings_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("range");
        QTest::newRow("first") << 1 << "0-1";
        QTest::newRow("24-30") << 7 << "24-30";
        QTest::newRow("last") << 28 << "800-1000";
    }
    void rowHeadings()
    {
        QFETCH(int, row);
        QFETCH(QString, range);
        Grid()->setCurrent(1, row);
        const QList<PaintedText> texts = TextsOfCell(0, row);
        QCOMPARE(Strings(texts), QStringList{range});
        QVERIFY(texts[0].bold);
        QVERIFY(QRectF(Grid()->cellRect(0, row)).contains(texts[0].box));
    }

    void dataCells_data()
    {
        QTest::addColumn<bool>("byGrade");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QColor>("ink");  // invalid: the grid's own text colour
        QTest::addColumn<QColor>("paper");
        const QColor plain;
        QTest::newRow("h7 3-6") << false << 8 << 3 << QStringList{"0", "-12"} << kBlue << kPaleGreen;
        QTest::newRow("K6 1-3") << false << 4 << 2 << QStringList{"+6", "0"} << kMaroon << kWhite;
        QTest::newRow("U8 1-3") << false << 12 << 2 << QStringList{"+32", "+18"} << kMaroon << kWhite;
        QTest::newRow("k7 3-6 by upper") << false << 22 << 3 << QStringList{"+3", "-9"} << kMaroon << kPaleGreen;
        QTest::newRow("h11 500-630") << false << 17 << 26 << QStringList{"0", "-440"} << kBlue << kWhite;
        QTest::newRow("S7 450-500") << false << 9 << 25 << QStringList{"+315", "+252"} << kMaroon << kPaleGreen;
        QTest::newRow("H7 under S7's place") << true << 9 << 2 << QStringList{"+10", "0"} << kMaroon << kWhite;
        QTest::newRow("Js6 1-3") << false << 3 << 2 << QStringList{"±3"} << kGreen << kWhite;
        QTest::newRow("Js6 6-10 half") << false << 3 << 4 << QStringList{"±4,5"} << kGreen << kWhite;
        QTest::newRow("Js7 6-10") << false << 21 << 4 << QStringList{"±7"} << kGreen << kWhite;
        QTest::newRow("Js7 by grade") << true << 11 << 4 << QStringList{"±7"} << kGreen << kWhite;
        QTest::newRow("Js13 800-1000") << false << 31 << 28 << QStringList{"±700"} << kGreen << kWhite;
        QTest::newRow("g6 0-1 absent") << false << 1 << 1 << QStringList{"---"} << plain << kSkyBlue;
        QTest::newRow("H7 500-630 absent") << false << 20 << 26 << QStringList{"---"} << plain << kSkyBlue;
        QTest::newRow("H7 630-800 absent") << false << 20 << 27 << QStringList{"---"} << plain << kSkyBlue;
        QTest::newRow("H7 800-1000 absent") << true << 9 << 28 << QStringList{"---"} << plain << kSkyBlue;
    }
    void dataCells()
    {
        QFETCH(bool, byGrade);
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QStringList, lines);
        QFETCH(QColor, ink);
        QFETCH(QColor, paper);
        if (!ink.isValid())
            ink = Grid()->palette().color(QPalette::WindowText);
        SetGradeOrder(byGrade);
        Grid()->setCurrent(col, row);
        const QRect cell = Grid()->cellRect(col, row);
        QVERIFY(!cell.isEmpty());

        const QList<PaintedText> texts = TextsOfCell(col, row);
        QCOMPARE(Strings(texts), lines);
        for (const PaintedText& t : texts) {
            QCOMPARE(t.colour, ink);
            QVERIFY(!t.bold);
            QVERIFY2(QRectF(cell).contains(t.box), qPrintable(t.text + " does not fit its cell"));
        }

        const QImage image = Grid()->viewport()->grab().toImage();
        QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(2, 2)), paper);
        QCOMPARE(image.pixelColor(cell.bottomRight() - QPoint(2, 2)), paper);
        QVERIFY(InkPixels(image, cell, ink, paper) >= 3);
    }

    void headingsStayWhenScrolled_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QPoint>("current");
        QTest::newRow("End") << "End" << QPoint(40, 1);
        QTest::newRow("Ctrl+End") << "Ctrl+End" << QPoint(40, 28);
        QTest::newRow("PageDown twice") << "PageDown PageDown" << QPoint(1, 28);
        QTest::newRow("there and back") << "Ctrl+End Ctrl+Home" << QPoint(1, 1);
        QTest::newRow("arrows") << "Right Right Down Left" << QPoint(2, 2);
        QTest::newRow("arrows stop at the edge") << "Up Left" << QPoint(1, 1);
    }
    void headingsStayWhenScrolled()
    {
        QFETCH(QString, keys);
        QFETCH(QPoint, current);
        SetGradeOrder(false);
        const QMap<QString, Qt::Key> named{{"End", Qt::Key_End},     {"Home", Qt::Key_Home},
                                           {"PageDown", Qt::Key_PageDown}, {"Up", Qt::Key_Up},
                                           {"Down", Qt::Key_Down},   {"Left", Qt::Key_Left},
                                           {"Right", Qt::Key_Right}};
        for (const QString& key : keys.split(' ')) {
            const bool ctrl = key.startsWith("Ctrl+");
            QTest::keyClick(Grid(), named.value(key.mid(ctrl ? 5 : 0)), ctrl ? Qt::ControlModifier : Qt::NoModifier);
        }
        QCOMPARE(QPoint(Grid()->col(), Grid()->row()), current);
        QVERIFY(!Grid()->cellRect(current.x(), current.y()).isEmpty());

        // The headings of the first visible row and column sit in the fixed strips.
        const int top = Grid()->topRow(), left = Grid()->leftCol();
        QCOMPARE(Grid()->cellRect(0, top).left(), 0);
        QCOMPARE(Grid()->cellRect(left, 0).top(), 0);
        QCOMPARE(Strings(TextsOfCell(0, top)),
                 QStringList{QStringLiteral("%1-%2").arg(SizeRanges[top].lower).arg(SizeRanges[top].upper)});
        const ToleranceField& field = FieldCatalogue.fields[left];
        QCOMPARE(Strings(TextsOfCell(left, 0)), QStringList{QString(field.letter) + QString::number(field.grade)});
        QCOMPARE(Strings(TextsOfCell(current.x(), 0)).size(), 1);
        QCOMPARE(Strings(TextsOfCell(0, current.y())).size(), 1);
    }

    void clickMovesCurrentCell()
    {
        QTest::keyClick(Grid(), Qt::Key_End, Qt::ControlModifier);
        const int col = Grid()->leftCol() + 1, row = Grid()->topRow() + 2;
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->cellRect(col, row).center());
        QCOMPARE(QPoint(Grid()->col(), Grid()->row()), QPoint(col, row));
        // Headings are not cells one can stand on.
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->cellRect(0, row + 1).center());
        QCOMPARE(QPoint(Grid()->col(), Grid()->row()), QPoint(col, row));
    }

    void resizeLimit_data()
    {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("399 x 300") << QSize(399, 300) << false;
        QTest::newRow("400 x 299") << QSize(400, 299) << false;
        QTest::newRow("300 x 200") << QSize(300, 200) << false;
        QTest::newRow("wide but low") << QSize(1500, 250) << false;
        QTest::newRow("400 x 300") << QSize(400, 300) << true;
        QTest::newRow("800 x 500") << QSize(800, 500) << true;
    }
    void resizeLimit()
    {
        QFETCH(QSize, outer);
        QFETCH(bool, accepted);
        QCOMPARE(frm_Table->FormCanResize(outer.width(), outer.height()), accepted);

        const QSize before = frm_Table->size();
        const QSize frame = frm_Table->frameGeometry().size() - before;
        frm_Table->resize(outer - frame);
        // A window system may confirm sizes late.
        QTRY_COMPARE(frm_Table->size(), accepted ? outer - frame : before);
        QTRY_COMPARE(Grid()->geometry(), frm_Table->rect());
    }

    void firstShowingCentredOnDesktop_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("fits the desktop") << QSize(600, 400);
        QTest::newRow("as laid out") << QSize(1132, 627);
    }
    void firstShowingCentredOnDesktop()
    {
        QFETCH(QSize, size);
        frm_Table->hide();
        testsupport::RestartProgram();
        frm_Table->resize(size);
        const QRect desk = frm_Table->screen()->virtualGeometry();
        QRect first, second;
        testsupport::WhenModalShows([&](QWidget* w) {
            first = w->frameGeometry();
            w->move(desk.topLeft() + QPoint(30, 40));
            w->close();
        });
        frm_Table->exec();
        testsupport::WhenModalShows([&](QWidget* w) {
            second = w->frameGeometry();
            w->close();
        });
        frm_Table->exec();

        // Off by at most half a window frame, which is not known before showing.
        auto near = [](int a, int b) { return std::abs(a - b) <= 20; };
        if (first.width() <= desk.width())
            QVERIFY(near(first.center().x(), desk.center().x()));
        else
            QVERIFY(near(first.left(), desk.left()));
        if (first.height() <= desk.height())
            QVERIFY(near(first.center().y(), desk.center().y()));
        else
            QVERIFY(near(first.top(), desk.top()));
        QVERIFY(desk.contains(first.topLeft()));
        // Later showings open where it was left.
        QCOMPARE(second.topLeft(), desk.topLeft() + QPoint(30, 40));
    }
};

QTEST_MAIN(TestTable)
#include "test_table.moc"
