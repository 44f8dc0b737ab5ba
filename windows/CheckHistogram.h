// SPDX-License-Identifier: GPL-3.0-or-later
// The histogram of a batch of measured sizes, to scale: bars per bin
// stacked by verdict, the limit sizes as solid lines on bin edges, the
// acceptance limits dashed, the mean in blue. One painter draws it into the
// window and into the protocol.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <optional>

#include "PartCheck.h"

class QPainter;

// The colours of the three verdicts, in the window's texts and the bars.
QColor VerdictColour(Verdict verdict);
// The lines of the picture.
inline const QColor kLimitLineColour{128, 0, 0};
inline const QColor kAcceptLineColour{230, 120, 0};
inline const QColor kMeanLineColour{0, 0, 255};

// What the picture shows, in bin units: the smallest limit size at 0, the
// largest at HistogramBins::kBinsPerTolerance.
struct HistogramPicture {
    HistogramBins bins;
    bool guard = false;
    double acceptLower = 0, acceptUpper = 0;
    std::optional<double> mean;
    QString lowerText, upperText, meanText;  // "25 мм", "25,021 мм", "x̄ 25,0103"
};
// The picture of a batch judged against its limits; no mean for an empty one.
HistogramPicture HistogramPictureOf(const CheckLimits& limits, const HistogramBins& bins,
                                    const BatchSummary& summary);

// Draws into `area` with the painter's font; `note` is written in the
// middle when there is nothing to count.
void DrawHistogram(QPainter& painter, const QRect& area, const HistogramPicture& picture, const QString& note);

class CheckHistogram : public QWidget {
    Q_OBJECT

public:
    explicit CheckHistogram(QWidget* parent = nullptr);

    void SetPicture(std::optional<HistogramPicture> picture);
    const std::optional<HistogramPicture>& Picture() const { return picture_; }
    // The x of a place in bin units, as last drawn.
    int XOf(double binUnits) const;

    QSize sizeHint() const override { return {560, 150}; }
    QSize minimumSizeHint() const override { return {300, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<HistogramPicture> picture_;
};
