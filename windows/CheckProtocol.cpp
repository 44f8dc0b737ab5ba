// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckProtocol.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "Boxes.h"
#include "Look.h"
#include "NumberText.h"

namespace {

// Shares of the table's width, column by column.
constexpr double kColumnShares[6] = {0.07, 0.16, 0.25, 0.17, 0.17, 0.18};

QFont PointFont(double points, bool bold = false)
{
    QFont f(SansFamily());
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

struct TableGeometry {
    int rowHeight, firstPageRows, pageRows, pages;
};

}  // namespace

bool PaintProtocol(QPagedPaintDevice& device, const ProtocolContent& content, const PageProgress& progress)
{
    QPainter p;
    if (!p.begin(&device))
        return false;
    const QRect page(0, 0, device.width(), device.height());
    const double mm = device.logicalDpiY() / 25.4;

    const QFont title = PointFont(14, true), text = PointFont(9.5), head = PointFont(9, true), cell = PointFont(9);
    const int textLine = QFontMetrics(text, &device).lineSpacing();
    const int rowHeight = QFontMetrics(cell, &device).lineSpacing() + static_cast<int>(1.2 * mm);
    const int footer = QFontMetrics(text, &device).lineSpacing() + static_cast<int>(3 * mm);

    // The first page: title, head lines, histogram; then the table on every page.
    const int titleHeight = QFontMetrics(title, &device).lineSpacing() + static_cast<int>(2 * mm);
    const int linesHeight = textLine * static_cast<int>(content.headLines.size() - 1) + static_cast<int>(3 * mm);
    const int histogramHeight = static_cast<int>(60 * mm);
    const int firstTableTop = titleHeight + linesHeight + histogramHeight + static_cast<int>(4 * mm);
    const size_t rows = content.values ? content.values->entries.size() : 0;
    TableGeometry g;
    g.rowHeight = rowHeight;
    // The heads take two lines: "До наибольшего, мкм" is wider than its numbers.
    const int headHeight = 2 * QFontMetrics(head, &device).lineSpacing() + static_cast<int>(1.2 * mm);
    g.firstPageRows = std::max(0, (page.height() - footer - firstTableTop - headHeight) / rowHeight);
    g.pageRows = std::max(1, (page.height() - footer - headHeight) / rowHeight);
    g.pages = 1;
    if (rows > static_cast<size_t>(g.firstPageRows))
        g.pages += static_cast<int>((rows - static_cast<size_t>(g.firstPageRows) + g.pageRows - 1) / g.pageRows);

    int columnX[7];
    columnX[0] = 0;
    for (int c = 0; c < 6; ++c)
        columnX[c + 1] = columnX[c] + static_cast<int>(kColumnShares[c] * page.width());
    const auto tableRow = [&](int y, const QString cells[6], bool isHead, const QColor& verdictColour) {
        p.setFont(isHead ? head : cell);
        const int height = isHead ? headHeight : rowHeight;
        for (int c = 0; c < 6; ++c) {
            const QRect box(columnX[c] + static_cast<int>(mm), y,
                            columnX[c + 1] - columnX[c] - static_cast<int>(2 * mm), height);
            p.setPen(c == 2 && !isHead ? verdictColour : clBlack);
            const Qt::Alignment align = (c == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
            if (isHead)
                p.drawText(box, align | Qt::TextWordWrap, cells[c]);
            else
                p.drawText(box, align,
                           QFontMetrics(p.font(), &device).elidedText(cells[c], Qt::ElideRight, box.width()));
        }
        p.setPen(QPen(QColor(180, 180, 180), 0));
        p.drawLine(0, y + height, page.width(), y + height);
    };
    QString heads[6];
    for (int c = 0; c < 6; ++c)
        heads[c] = QString::fromUtf8(kProtocolColumns[c]);

    size_t row = 0;
    for (int number = 1; number <= g.pages; ++number) {
        if (progress && !progress(number, g.pages)) {
            p.end();
            return false;
        }
        if (number > 1)
            device.newPage();
        int y = 0;
        if (number == 1) {
            p.setFont(title);
            p.setPen(clBlack);
            p.drawText(QRect(0, 0, page.width(), titleHeight), Qt::AlignLeft | Qt::AlignTop,
                       Text(content.headLines.front()));
            y = titleHeight;
            p.setFont(text);
            for (size_t i = 1; i < content.headLines.size(); ++i, y += textLine)
                p.drawText(QRect(0, y, page.width(), textLine), Qt::AlignLeft | Qt::AlignVCenter,
                           Text(content.headLines[i]));
            y += static_cast<int>(3 * mm);
            p.setFont(PointFont(8));
            DrawHistogram(p, QRect(0, y, page.width(), histogramHeight), content.histogram,
                          QStringLiteral("Размеров нет"));
            y = firstTableTop;
        }
        tableRow(y, heads, true, clBlack);
        y += headHeight;
        const size_t onPage = static_cast<size_t>(number == 1 ? g.firstPageRows : g.pageRows);
        for (size_t i = 0; i < onPage && row < rows; ++i, ++row, y += rowHeight) {
            const BatchEntry& entry = content.values->entries[row];
            const EntryTexts t = WriteEntryTexts(content.limits, entry);
            const QString cells[6] = {
                QString::number(row + 1),
                entry.value ? Text(ExactPositional(entry.value->Value(), ',')) : Text(entry.typed),
                Text(t.verdict),
                Text(t.toUpper),
                Text(t.toLower),
                Text(t.position)};
            const QColor colour = entry.value ? VerdictColour(Judge(content.limits, *entry.value).verdict)
                                              : QColor(200, 0, 0);
            tableRow(y, cells, false, colour);
        }
        p.setFont(text);
        p.setPen(clBlack);
        p.drawText(QRect(0, page.height() - footer, page.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("Kalimar, протокол контроля — страница %1 из %2").arg(number).arg(g.pages));
    }
    p.end();
    return true;
}

bool WriteProtocolPdf(const QString& path, const ProtocolContent& content, const PageProgress& progress)
{
    {
        // QPdfWriter says nothing of a file it cannot open: try it first.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return false;
    }
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setResolution(300);
    pdf.setTitle(QStringLiteral("Протокол контроля"));
    pdf.setCreator(QStringLiteral("Kalimar"));
    return PaintProtocol(pdf, content, progress);
}
