// SPDX-License-Identifier: GPL-3.0-or-later
// The tolerance zones of a hole and a shaft drawn to scale about the zero
// line: the hole's zone in the hole colour on the left, the shaft's in the
// shaft colour on the right, each with its limit deviations and a dashed mid
// line. The scale is chosen so that both zones and the zero line fit.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

#include "Iso286.h"

class FitPicture : public QWidget {
    Q_OBJECT

public:
    struct Zone {
        QString name;                     // "H7"
        iso286::Nanometres upper, lower;  // deviations
        QString upperText, lowerText;     // their labels, in micrometres
    };

    explicit FitPicture(QWidget* parent = nullptr);

    // A missing zone with a name is one the standard does not define, and is
    // named as such; one without a name is left out.
    void SetZones(const std::optional<Zone>& hole, const std::optional<Zone>& shaft,
                  const QString& holeName, const QString& shaftName);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<Zone> hole_, shaft_;
    QString holeName_, shaftName_;
};
