// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckTable.h"

#include <QBrush>
#include <QColor>

#include "Boxes.h"
#include "CheckHistogram.h"
#include "NumberText.h"

namespace {

const char* const kHeads[CheckTable::kColumnCount] = {
    "№", "Размер, мм", "Вердикт", "До наиб., мкм", "До наим., мкм", "Положение, %",
};
const char* const kHeadHints[CheckTable::kColumnCount] = {
    "Номер по порядку",
    "Измеренный размер, мм",
    "Годен, брак исправимый или брак неисправимый",
    "Запас до наибольшего предельного размера, мкм (за границей — со знаком минус)",
    "Запас до наименьшего предельного размера, мкм (за границей — со знаком минус)",
    "Положение в допуске: 0 % — наименьший предельный размер, 100 % — наибольший",
};

}  // namespace

CheckTable::CheckTable(QObject* parent) : QAbstractTableModel(parent) {}

void CheckTable::Show(std::shared_ptr<const BatchValues> values, std::optional<CheckLimits> limits,
                           std::shared_ptr<const BatchJudgement> judgement)
{
    beginResetModel();
    values_ = std::move(values);
    limits_ = std::move(limits);
    judgement_ = std::move(judgement);
    endResetModel();
}

int CheckTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !values_ ? 0 : static_cast<int>(values_->entries.size());
}

int CheckTable::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant CheckTable::data(const QModelIndex& index, int role) const
{
    if (!values_ || index.row() < 0 || static_cast<size_t>(index.row()) >= values_->entries.size())
        return {};
    const size_t row = static_cast<size_t>(index.row());
    const BatchEntry& entry = values_->entries[row];
    const bool judged = limits_ && judgement_ && row < judgement_->verdicts.size();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        if (column == kNumber)
            return static_cast<qulonglong>(row + 1);
        if (column == kSize)
            return entry.value && role == Qt::DisplayRole ? Text(ExactPositional(entry.value->Value(), ','))
                                                          : Text(entry.typed);
        if (!entry.value)
            return column == kVerdict ? Text("ошибка: " + entry.error) : QVariant();
        if (!judged)
            return {};
        const EntryTexts t = WriteEntryTexts(*limits_, entry);
        switch (column) {
        case kVerdict: return Text(t.verdict);
        case kToUpper: return Text(t.toUpper);
        case kToLower: return Text(t.toLower);
        case kPosition: return Text(t.position);
        }
        return {};
    }
    case Qt::ForegroundRole:
        if (!entry.value)
            return column == kNumber ? QVariant() : QBrush(QColor(200, 0, 0));
        if (column == kVerdict && judged)
            return QBrush(VerdictColour(judgement_->verdicts[row].verdict));
        return {};
    case Qt::BackgroundRole: return entry.value ? QVariant() : QBrush(QColor(255, 228, 228));
    case Qt::TextAlignmentRole:
        return column == kVerdict ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                  : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole: {
        QString where = QStringLiteral("Строка %1 источника").arg(entry.line);
        if (!entry.value)
            return where + QStringLiteral(": «") + Text(entry.typed) + QStringLiteral("» — ") + Text(entry.error);
        if (judged)
            return where + QStringLiteral(": ") + Text(VerdictReason(*limits_, Judge(*limits_, *entry.value)));
        return where;
    }
    default: return {};
    }
}

QVariant CheckTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(kHeads[section]);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(kHeadHints[section]);
    return {};
}

Qt::ItemFlags CheckTable::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == kSize)
        f |= Qt::ItemIsEditable;
    return f;
}

bool CheckTable::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != kSize || !values_)
        return false;
    emit SizeEdited(index.row(), value.toString());
    return true;
}
