// SPDX-License-Identifier: GPL-3.0-or-later
// The batch of the inspection window as a table: one row per entry, its
// verdict coloured, the margins and the position written on demand from
// the entry and the limits, so a batch of any length costs nothing to show.
#pragma once

#include <QAbstractTableModel>

#include <memory>
#include <optional>

#include "BatchText.h"

class CheckTable : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kNumber, kSize, kVerdict, kToUpper, kToLower, kPosition, kColumnCount };

    explicit CheckTable(QObject* parent = nullptr);

    // A new batch, judged against `limits` (none: no verdicts yet).
    void Show(std::shared_ptr<const BatchValues> values, std::optional<CheckLimits> limits,
              std::shared_ptr<const BatchJudgement> judgement);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A size typed into a cell: the entry's new text.
    void SizeEdited(int row, const QString& text);

private:
    std::shared_ptr<const BatchValues> values_;
    std::optional<CheckLimits> limits_;
    std::shared_ptr<const BatchJudgement> judgement_;
};
