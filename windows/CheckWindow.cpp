// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

#include "Boxes.h"
#include "Clipboard.h"
#include "CsvCells.h"
#include "CheckHistogram.h"
#include "CheckProtocol.h"
#include "CheckTable.h"
#include "Look.h"
#include "NumberBox.h"
#include "NumberText.h"

// A running load or judgement: the worker reads the flags, the window the rest.
struct CheckWindow::Job {
    JobKind kind = JobKind::Load;
    size_t size = 0;
    std::atomic<bool> cancelled{false};
    std::atomic<size_t> done{0};
};

// What a job hands back: a new source (a load or another column), the
// entries, and their verdicts under the limits the job had.
struct CheckWindow::Outcome {
    std::shared_ptr<const TextTable> table;
    QString name;  // the file's name, "" for the clipboard
    int column = 0;
    TextEncoding encoding = TextEncoding::Utf8;
    std::shared_ptr<const BatchValues> values;
    std::shared_ptr<const BatchJudgement> judgement;
    std::optional<CheckLimits> limits;

    // The table's `column` read as sizes and, with limits, judged; false
    // when the job was cancelled.
    bool ReadColumn(const KeepGoing& keepGoing)
    {
        values = std::make_shared<BatchValues>(ValuesOfColumn(*table, column));
        if (!limits)
            return true;
        std::optional<BatchJudgement> j = JudgeBatch(*values, *limits, keepGoing);
        if (!j)
            return false;
        judgement = std::make_shared<BatchJudgement>(std::move(*j));
        return true;
    }
};

namespace {

// Below this many lines a batch is read and judged at once, in the window's
// own thread: it takes less time than a progress dialog would show.
constexpr size_t kAtOnce = 20000;

const QString kDash = QStringLiteral("—");

QLabel* Label(QWidget* parent, const char* name, const QString& accessible)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(accessible);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, const QString& hint)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(hint);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QString Mm(const Millimetres& v) { return Text(FormatGeneral(v.Value())); }
QString Um(const Micrometres& v) { return Text(FormatGeneral(v.Value())); }

// The judgement of one size as the window and the copy write it.
QString MarginsText(const EntryTexts& t)
{
    return QStringLiteral("до наибольшего %1 мкм · до наименьшего %2 мкм · %3 % допуска")
        .arg(Text(t.toUpper), Text(t.toLower), Text(t.position));
}

QString Capitalised(const std::string& utf8)
{
    QString s = Text(utf8);
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

}  // namespace

CheckWindow::CheckWindow(QWidget* parent) : ToolWindow(parent, QStringLiteral("check"))
{
    setObjectName(QStringLiteral("CheckWindow"));
    setWindowTitle(QStringLiteral("Контроль"));
    pool_.setMaxThreadCount(1);
    SetUpControls();

    connect(designation_, &QLineEdit::textChanged, this, &CheckWindow::LimitsChanged);
    connect(guard_, &QLineEdit::textChanged, this, &CheckWindow::LimitsChanged);
    connect(value_, &QLineEdit::textChanged, this, &CheckWindow::ShowValue);
    connect(value_, &QLineEdit::returnPressed, this, &CheckWindow::AddClick);
    connect(add_, &QPushButton::clicked, this, &CheckWindow::AddClick);
    connect(paste_, &QPushButton::clicked, this, &CheckWindow::PasteClick);
    connect(open_, &QPushButton::clicked, this, &CheckWindow::OpenClick);
    connect(clear_, &QPushButton::clicked, this, &CheckWindow::ClearClick);
    connect(save_, &QPushButton::clicked, this, &CheckWindow::SaveClick);
    connect(print_, &QPushButton::clicked, this, &CheckWindow::PrintClick);
    connect(column_, QOverload<int>::of(&QComboBox::activated), this, &CheckWindow::ColumnChosen);
    connect(table_, &CheckTable::SizeEdited, this, &CheckWindow::ReplaceEntry);
    // Ctrl+V on the table takes the clipboard as the batch.
    auto* paste = new QShortcut(QKeySequence::Paste, tableView_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(paste, &QShortcut::activated, this, &CheckWindow::PasteClick);

    designation_->setText(QStringLiteral("25H7"));
    guard_->setText(QStringLiteral("0"));
    LimitsChanged();
    ShowBatch();
}

CheckWindow::~CheckWindow()
{
    // The worker touches nothing of the window, but its result would.
    if (job_)
        job_->cancelled = true;
    pool_.waitForDone();
}

void CheckWindow::SetUpControls()
{
    auto* top = new QGridLayout;
    auto* designationLabel = new QLabel(QStringLiteral("Обозначение:"), this);
    designation_ = new QLineEdit(this);
    designation_->setObjectName(QStringLiteral("CheckDesignation"));
    designation_->setAccessibleName(QStringLiteral("Обозначение поля допуска, например 25H7 или Ø40g6"));
    designation_->setToolTip(designation_->accessibleName());
    designation_->setFont(SansFont(14, true));
    designationLabel->setBuddy(designation_);
    auto* guardLabel = new QLabel(QStringLiteral("Приёмка внутрь, мкм:"), this);
    guard_ = new QLineEdit(this);
    guard_->setObjectName(QStringLiteral("CheckGuard"));
    guard_->setAccessibleName(QStringLiteral("Смещение приёмочных границ внутрь допуска, мкм"));
    guard_->setToolTip(QStringLiteral("Приёмочные границы лежат внутри допуска на столько микрометров с каждой "
                                      "стороны, например на погрешность средства измерения; 0 — по предельным "
                                      "размерам"));
    guard_->setMaximumWidth(70);
    AcceptNumberKeysOnly(guard_);
    guardLabel->setBuddy(guard_);
    top->addWidget(designationLabel, 0, 0);
    top->addWidget(designation_, 0, 1);
    top->addWidget(guardLabel, 0, 2);
    top->addWidget(guard_, 0, 3);
    top->setColumnStretch(1, 1);
    limitsText_ = Label(this, "CheckLimits", QStringLiteral("Предельные размеры и приёмочные границы"));
    top->addWidget(limitsText_, 1, 0, 1, 4);

    auto* part = new QGroupBox(QStringLiteral("Деталь"), this);
    part->setObjectName(QStringLiteral("CheckPart"));
    auto* partGrid = new QGridLayout(part);
    auto* valueLabel = new QLabel(QStringLiteral("Размер, мм:"), part);
    value_ = new QLineEdit(part);
    value_->setObjectName(QStringLiteral("CheckValue"));
    value_->setAccessibleName(QStringLiteral("Измеренный размер детали, мм"));
    value_->setToolTip(QStringLiteral("Размер детали, мм; Enter добавляет его в партию"));
    value_->setFont(SansFont(14, true));
    AcceptNumberKeysOnly(value_);
    valueLabel->setBuddy(value_);
    add_ = Button(part, "CheckAdd", QStringLiteral("В партию"),
                  QStringLiteral("Добавить размер в партию (Enter в поле размера)"));
    verdict_ = Label(part, "CheckVerdict", QStringLiteral("Вердикт"));
    verdict_->setFont(SansFont(24, true));
    verdict_->setWordWrap(false);
    margins_ = Label(part, "CheckMargins", QStringLiteral("Запасы до предельных размеров и положение в допуске"));
    decided_ = Label(part, "CheckDecided", QStringLiteral("Какие границы решили"));
    partGrid->addWidget(valueLabel, 0, 0);
    partGrid->addWidget(value_, 0, 1);
    partGrid->addWidget(add_, 0, 2);
    partGrid->addWidget(verdict_, 1, 0, 1, 3);
    partGrid->addWidget(margins_, 2, 0, 1, 3);
    partGrid->addWidget(decided_, 3, 0, 1, 3);
    partGrid->setColumnStretch(1, 1);

    auto* batch = new QGroupBox(QStringLiteral("Партия"), this);
    batch->setObjectName(QStringLiteral("CheckBatch"));
    auto* batchLayout = new QVBoxLayout(batch);
    auto* buttons = new QHBoxLayout;
    paste_ = Button(batch, "CheckPaste", QStringLiteral("Вставить"),
                    QStringLiteral("Партия из буфера обмена: столбец из электронной таблицы (Ctrl+V в таблице)"));
    open_ = Button(batch, "CheckOpen", QStringLiteral("Открыть…"),
                   QStringLiteral("Партия из файла CSV или TXT (UTF-8 или Windows-1251)"));
    clear_ = Button(batch, "CheckClear", QStringLiteral("Очистить"), QStringLiteral("Убрать все размеры партии"));
    save_ = Button(batch, "CheckSave", QStringLiteral("Сохранить протокол…"),
                   QStringLiteral("Протокол контроля в файл CSV или PDF"));
    print_ = Button(batch, "CheckPrint", QStringLiteral("Печать…"),
                    QStringLiteral("Напечатать протокол контроля"));
    for (QPushButton* b : {paste_, open_, clear_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(print_);
    auto* sourceRow = new QHBoxLayout;
    source_ = Label(batch, "CheckSource", QStringLiteral("Откуда партия"));
    columnLabel_ = new QLabel(QStringLiteral("Столбец:"), batch);
    column_ = new QComboBox(batch);
    column_->setObjectName(QStringLiteral("CheckColumn"));
    column_->setAccessibleName(QStringLiteral("Столбец с размерами"));
    column_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    column_->setMaximumWidth(220);
    columnLabel_->setBuddy(column_);
    sourceRow->addWidget(source_, 1);
    sourceRow->addWidget(columnLabel_);
    sourceRow->addWidget(column_);

    table_ = new CheckTable(this);
    tableView_ = new QTableView(batch);
    tableView_->setObjectName(QStringLiteral("CheckTable"));
    tableView_->setAccessibleName(QStringLiteral("Размеры партии и их вердикты"));
    tableView_->setModel(table_);
    tableView_->verticalHeader()->hide();
    tableView_->verticalHeader()->setDefaultSectionSize(tableView_->fontMetrics().height() + 4);
    tableView_->horizontalHeader()->setStretchLastSection(true);
    tableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    const int widths[] = {48, 92, 128, 84, 84};
    for (int c = 0; c < 5; ++c)
        tableView_->setColumnWidth(c, widths[c]);
    tableView_->setMinimumHeight(110);

    auto* summary = new QGridLayout;
    summary->setVerticalSpacing(1);
    counts_ = Label(batch, "CheckCounts", QStringLiteral("Число деталей по вердиктам"));
    range_ = Label(batch, "CheckRange", QStringLiteral("Наименьший и наибольший размер"));
    mean_ = Label(batch, "CheckMean", QStringLiteral("Среднее и его отклонение от середины поля"));
    spread_ = Label(batch, "CheckSpread", QStringLiteral("Стандартное отклонение, Cp и Cpk"));
    formulas_ = Label(batch, "CheckFormulas", QStringLiteral("Формулы"));
    formulas_->setFont(SansFont(11));
    SetTextColour(formulas_, QColor(90, 90, 90));
    QString formulas;
    for (const char* f : kStatisticsFormulas)
        formulas += (formulas.isEmpty() ? QString() : QStringLiteral("; ")) + QString::fromUtf8(f);
    formulas_->setText(formulas + u'.');
    summary->addWidget(counts_, 0, 0);
    summary->addWidget(range_, 1, 0);
    summary->addWidget(mean_, 2, 0);
    summary->addWidget(spread_, 3, 0);
    summary->addWidget(formulas_, 4, 0);
    problem_ = Label(batch, "CheckProblem", QStringLiteral("Что не получилось"));
    SetTextColour(problem_, clMaroon);
    problem_->hide();

    histogram_ = new CheckHistogram(batch);
    histogram_->setObjectName(QStringLiteral("CheckHistogram"));
    histogram_->setAccessibleName(QStringLiteral("Гистограмма размеров партии с границами допуска"));

    batchLayout->addLayout(buttons);
    batchLayout->addLayout(sourceRow);
    batchLayout->addWidget(tableView_, 3);
    batchLayout->addWidget(problem_);
    batchLayout->addLayout(summary);
    batchLayout->addWidget(histogram_, 2);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(part);
    all->addWidget(batch, 1);
    resize(600, 740);
}

void CheckWindow::Preset(const QString& designation)
{
    if (designation == lastPreset_)
        return;
    lastPreset_ = designation;
    designation_->setText(designation);
}

// ---- The limits and the single size

void CheckWindow::LimitsChanged()
{
    const std::optional<Micrometres> guard = ReadGuard(guard_->text().toStdString());
    SetTextColour(guard_, guard ? clWindowText() : clRed);
    CheckSetup setup;
    if (guard)
        setup = ReadCheck(designation_->text().toStdString(), *guard);
    else
        setup.error = "Смещение приёмочных границ — неотрицательное число микрометров, например 2 или 0,5.";
    limits_ = setup.limits;
    SetTextColour(designation_, limits_ || !guard ? clWindowText() : clRed);
    if (!limits_) {
        limitsText_->setText(Text(setup.error));
        SetTextColour(limitsText_, clMaroon);
    } else {
        const CheckLimits& l = *limits_;
        const FieldResult& f = l.field;
        QString text = QStringLiteral("%1 %2: наибольший %3 мм, наименьший %4 мм, допуск %5 мкм.")
                           .arg(l.IsHole() ? QStringLiteral("Отверстие") : QStringLiteral("Вал"),
                                Text(iso286::FieldName(*f.field)), Mm(f.max), Mm(f.min), Um(f.Tolerance()));
        text += l.guard.Sign() > 0 ? QStringLiteral(" Приёмочные границы %1 … %2 мм, на %3 мкм внутри допуска.")
                                         .arg(Mm(l.acceptLower), Mm(l.acceptUpper), Um(l.guard))
                                   : QStringLiteral(" Приёмочные границы — предельные размеры.");
        limitsText_->setText(text);
        SetTextColour(limitsText_, clWindowText());
    }
    ShowValue();
    Rejudge();
}

void CheckWindow::ShowValue()
{
    const QString typed = value_->text();
    const MeasuredReading reading = ReadMeasured(typed.toStdString());
    SetTextColour(value_, reading.value || typed.trimmed().isEmpty() ? clWindowText() : clRed);
    add_->setEnabled(!Busy() && !typed.trimmed().isEmpty());
    decided_->clear();
    if (!reading.value || !limits_) {
        verdict_->setText(kDash);
        SetTextColour(verdict_, clWindowText());
        margins_->setText(typed.trimmed().isEmpty() ? QStringLiteral("Введите размер детали в миллиметрах.")
                          : !reading.value ? Text(reading.error)
                                           : QStringLiteral("Нет поля допуска."));
        return;
    }
    const Judgement j = Judge(*limits_, *reading.value);
    verdict_->setText(Capitalised(VerdictText(j.verdict)));
    SetTextColour(verdict_, VerdictColour(j.verdict));
    BatchEntry entry;
    entry.value = reading.value;
    margins_->setText(MarginsText(WriteEntryTexts(*limits_, entry)));
    const QString by = limits_->guard.Sign() > 0 ? QStringLiteral("По приёмочным границам: ")
                                                 : QStringLiteral("По предельным размерам: ");
    decided_->setText(by + Text(VerdictReason(*limits_, j)) + u'.');
}

// ---- The batch

void CheckWindow::PasteClick()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        SayProblem(QStringLiteral("В буфере обмена нет текста: скопируйте столбец размеров из таблицы."));
        return;
    }
    LoadText(text.toUtf8(), QString());
}

void CheckWindow::OpenClick()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Открыть размеры партии"), QString(),
        QStringLiteral("Таблицы и текст (*.csv *.txt *.tsv);;Все файлы (*)"), nullptr,
        QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        OpenFile(path);
}

bool CheckWindow::OpenFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SayProblem(QStringLiteral("Файл «%1» не открылся: %2.").arg(QFileInfo(path).fileName(), file.errorString()));
        return false;
    }
    LoadText(file.readAll(), QFileInfo(path).fileName());
    return true;
}

void CheckWindow::LoadText(const QByteArray& bytes, const QString& source)
{
    const std::string text = bytes.toStdString();
    const std::optional<CheckLimits> limits = limits_;
    const size_t lines = static_cast<size_t>(bytes.count('\n')) + 1;
    StartJob(JobKind::Load, lines, [text, source, limits](const KeepGoing& keepGoing) -> std::optional<Outcome> {
        Outcome o;
        o.name = source;
        DecodedText decoded = DecodeText(text);
        o.encoding = decoded.encoding;
        auto table = std::make_shared<TextTable>(SplitTable(decoded.utf8));
        o.column = LikelyValueColumn(*table);
        o.table = std::move(table);
        o.limits = limits;
        if (!o.ReadColumn(keepGoing))
            return std::nullopt;
        return o;
    });
}

void CheckWindow::ColumnChosen(int index)
{
    if (!sourceTable_ || edited_ || index == sourceColumn_ || Busy())
        return;
    const std::shared_ptr<const TextTable> table = sourceTable_;
    const std::optional<CheckLimits> limits = limits_;
    const QString name = sourceName_;
    StartJob(JobKind::Load, table->lines.size(),
             [table, name, index, limits](const KeepGoing& keepGoing) -> std::optional<Outcome> {
                 Outcome o;
                 o.table = table;
                 o.name = name;
                 o.column = index;
                 o.limits = limits;
                 if (!o.ReadColumn(keepGoing))
                     return std::nullopt;
                 return o;
             });
}

void CheckWindow::ClearClick()
{
    CancelJob();
    sourceTable_.reset();
    sourceName_.clear();
    edited_ = false;
    values_.reset();
    judgement_.reset();
    problem_->hide();
    ShowBatch();
}

void CheckWindow::AddClick()
{
    if (Busy() || value_->text().trimmed().isEmpty())
        return;
    auto values = std::make_shared<BatchValues>(values_ ? *values_ : BatchValues());
    BatchEntry entry;
    entry.typed = value_->text().trimmed().toStdString();
    MeasuredReading reading = ReadMeasured(entry.typed);
    entry.value = std::move(reading.value);
    entry.error = std::move(reading.error);
    values->entries.push_back(std::move(entry));
    values_ = std::move(values);
    Edited();
    value_->selectAll();
    Rejudge();
    tableView_->scrollToBottom();
}

void CheckWindow::ReplaceEntry(int row, const QString& text)
{
    if (Busy() || !values_ || row < 0 || static_cast<size_t>(row) >= values_->entries.size())
        return;
    auto values = std::make_shared<BatchValues>(*values_);
    BatchEntry& entry = values->entries[static_cast<size_t>(row)];
    entry.typed = text.trimmed().toStdString();
    MeasuredReading reading = ReadMeasured(entry.typed);
    entry.value = std::move(reading.value);
    entry.error = std::move(reading.error);
    values_ = std::move(values);
    Edited();
    Rejudge();
}

void CheckWindow::Edited()
{
    // Another column would read the text again and lose what was typed here.
    if (sourceTable_)
        edited_ = true;
}

void CheckWindow::Rejudge()
{
    if (job_ && job_->kind == JobKind::Load) {
        // The load judges with the limits it started with; judge again after it.
        judgeAfterLoad_ = true;
        return;
    }
    if (!values_ || !limits_) {
        CancelJob();
        judgement_.reset();
        ShowBatch();
        return;
    }
    const std::shared_ptr<const BatchValues> values = values_;
    const CheckLimits limits = *limits_;
    StartJob(JobKind::Judge, values->entries.size(),
             [values, limits](const KeepGoing& keepGoing) -> std::optional<Outcome> {
                 std::optional<BatchJudgement> j = JudgeBatch(*values, limits, keepGoing);
                 if (!j)
                     return std::nullopt;
                 Outcome o;
                 o.values = values;
                 o.judgement = std::make_shared<BatchJudgement>(std::move(*j));
                 o.limits = limits;
                 return o;
             });
}

// ---- Jobs

void CheckWindow::StartJob(JobKind kind, size_t size, Work work)
{
    CancelJob();
    auto job = std::make_shared<Job>();
    job->kind = kind;
    job->size = size;
    job_ = job;
    add_->setEnabled(false);
    if (size < kAtOnce) {
        Finish(job, work([](size_t) { return true; }));
        return;
    }
    progress_ = new QProgressDialog(kind == JobKind::Load ? QStringLiteral("Чтение и проверка размеров…")
                                                          : QStringLiteral("Проверка размеров…"),
                                    QStringLiteral("Отмена"), 0, 1000, this);
    progress_->setObjectName(QStringLiteral("CheckProgress"));
    progress_->setWindowTitle(QStringLiteral("Контроль"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(kind == JobKind::Load ? 0 : 400);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    connect(progress_, &QProgressDialog::canceled, this, [job] { job->cancelled = true; });
    progressTimer_ = new QTimer(this);
    connect(progressTimer_, &QTimer::timeout, this, [this, job] {
        if (progress_ && job->size > 0)
            progress_->setValue(static_cast<int>(std::min<size_t>(999, job->done * 1000 / job->size)));
    });
    progressTimer_->start(50);
    pool_.start([this, job, work = std::move(work)] {
        std::optional<Outcome> outcome = work([job](size_t done) {
            job->done = done;
            return !job->cancelled;
        });
        if (job->cancelled)
            outcome.reset();
        // Queued to the window's thread; the window waits for the pool before it goes.
        QMetaObject::invokeMethod(
            this, [this, job, outcome = std::move(outcome)]() mutable { Finish(job, std::move(outcome)); },
            Qt::QueuedConnection);
    });
}

void CheckWindow::CancelJob()
{
    if (!job_)
        return;
    job_->cancelled = true;
    job_.reset();
    if (progressTimer_) {
        progressTimer_->deleteLater();
        progressTimer_ = nullptr;
    }
    if (progress_) {
        progress_->deleteLater();
        progress_ = nullptr;
    }
}

void CheckWindow::Finish(const std::shared_ptr<Job>& job, std::optional<Outcome> outcome)
{
    if (job != job_)
        return;  // replaced by a newer job
    const JobKind kind = job->kind;
    CancelJob();
    if (!outcome) {
        SayProblem(kind == JobKind::Load ? QStringLiteral("Чтение отменено: партия осталась прежней.")
                                         : QStringLiteral("Проверка отменена."));
        ShowValue();
        return;
    }
    problem_->hide();
    if (outcome->table) {
        sourceTable_ = std::move(outcome->table);
        sourceName_ = std::move(outcome->name);
        sourceColumn_ = outcome->column;
        sourceEncoding_ = outcome->encoding;
        edited_ = false;
    }
    values_ = std::move(outcome->values);
    judgement_ = std::move(outcome->judgement);
    ShowBatch();
    ShowValue();
    if (kind == JobKind::Load && judgeAfterLoad_) {
        judgeAfterLoad_ = false;
        Rejudge();
    }
}

void CheckWindow::SayProblem(const QString& text)
{
    problem_->setText(text);
    problem_->show();
}

// ---- What the batch shows

void CheckWindow::ShowBatch()
{
    const bool judged = limits_ && judgement_;
    table_->Show(values_, judged ? limits_ : std::nullopt, judged ? judgement_ : nullptr);

    const size_t entries = values_ ? values_->entries.size() : 0;
    QString source;
    if (!values_) {
        source = QStringLiteral("Партия пуста: вставьте столбец размеров (Ctrl+V) или откройте файл.");
    } else {
        source = sourceTable_ ? (sourceName_.isEmpty() ? QStringLiteral("Вставлено из буфера обмена")
                                                       : QStringLiteral("Файл «%1»").arg(sourceName_))
                              : QStringLiteral("Введено в окне");
        if (sourceTable_ && sourceEncoding_ == TextEncoding::Windows1251)
            source += QStringLiteral(", Windows-1251");
        source += QStringLiteral(": строк с размерами %1").arg(entries);
        if (values_->headLines > 0)
            source += QStringLiteral("; строк заголовка не взято: %1").arg(values_->headLines);
        if (edited_)
            source += QStringLiteral("; изменено в окне");
        source += u'.';
    }
    source_->setText(source);

    const bool columns = sourceTable_ && sourceTable_->columns > 1 && !edited_;
    columnLabel_->setVisible(columns);
    column_->setVisible(columns);
    if (columns) {
        const QSignalBlocker block(column_);
        column_->clear();
        for (int c = 0; c < sourceTable_->columns; ++c) {
            const QString head = Text(ColumnHead(*sourceTable_, c));
            column_->addItem(head.isEmpty() ? QString::number(c + 1) : QStringLiteral("%1: %2").arg(c + 1).arg(head));
        }
        column_->setCurrentIndex(sourceColumn_);
    }
    ShowSummary();
}

void CheckWindow::ShowSummary()
{
    const bool judged = limits_ && judgement_;
    if (!judged) {
        counts_->setText(values_ && !limits_ ? QStringLiteral("Нет поля допуска: вердиктов и итогов нет.")
                                             : QStringLiteral("Измерено 0."));
        for (QLabel* l : {range_, mean_, spread_})
            l->clear();
        histogram_->SetPicture(limits_ ? std::optional<HistogramPicture>(
                                   HistogramPictureOf(*limits_, HistogramTally(*limits_).Bins(), BatchSummary()))
                                       : std::nullopt);
        return;
    }
    const BatchSummary& s = judgement_->summary;
    const SummaryTexts t = WriteSummaryTexts(s);
    counts_->setText(QStringLiteral("Измерено %1: годен %2, брак исправимый %3, брак неисправимый %4; с ошибками %5.")
                         .arg(Text(t.count), Text(t.good), Text(t.rework), Text(t.scrap), Text(t.invalid)));
    if (s.count == 0) {
        for (QLabel* l : {range_, mean_, spread_})
            l->clear();
    } else {
        range_->setText(QStringLiteral("Наименьший %1 мм, наибольший %2 мм.").arg(Text(t.min), Text(t.max)));
        mean_->setText(
            QStringLiteral("Среднее x̄ = %1 мм, от середины поля %2 мкм.").arg(Text(t.mean), Text(t.meanFromMid)));
        spread_->setText(s.stdev ? QStringLiteral("s = %1 мкм, Cp = %2, Cpk = %3%4.")
                                       .arg(Text(t.stdev), Text(t.cp), Text(t.cpk),
                                            s.cp ? QString() : QStringLiteral(" (при s = 0 не определены)"))
                                 : QStringLiteral("s, Cp и Cpk — при двух размерах и более."));
    }
    histogram_->SetPicture(HistogramPictureOf(*limits_, judgement_->histogram, s));
}

// ---- Copy, protocol, print

void CheckWindow::CopyClick()
{
    std::optional<ClipboardTexts> texts;
    const MeasuredReading reading = ReadMeasured(value_->text().toStdString());
    const bool batch = limits_ && judgement_ && values_ && !values_->entries.empty();
    if (limits_ && (reading.value || batch)) {
        ClipboardTexts t;
        const std::string name = designation_->text().trimmed().toStdString();
        if (reading.value) {
            BatchEntry entry;
            entry.value = reading.value;
            const EntryTexts e = WriteEntryTexts(*limits_, entry);
            t.drawing = name + " " + ExactPositional(reading.value->Value(), ',') + " мм: " + e.verdict
                        + "; до наибольшего " + e.toUpper + " мкм, до наименьшего " + e.toLower + " мкм; " + e.position
                        + " % допуска";
            t.table = ExactPositional(reading.value->Value(), ',') + "\t" + e.verdict + "\t" + e.toUpper + "\t"
                      + e.toLower + "\t" + e.position + "\n";
        }
        if (batch) {
            // The batch as a protocol's head and table: a spreadsheet takes the cells.
            const std::vector<std::string> head = ProtocolHeadLines(
                *limits_, {name, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString()},
                judgement_->summary);
            t.drawing.clear();
            t.table.clear();
            for (const std::string& line : head)
                t.drawing += line + "\n";
            for (int c = 0; c < 6; ++c)
                t.table += std::string(c ? "\t" : "") + kProtocolColumns[c];
            t.table += "\n";
            for (size_t i = 0; i < values_->entries.size(); ++i) {
                const BatchEntry& entry = values_->entries[i];
                const EntryTexts e = WriteEntryTexts(*limits_, entry);
                t.table += std::to_string(i + 1) + "\t"
                           + (entry.value ? ExactPositional(entry.value->Value(), ',') : InertCell(entry.typed)) + "\t"
                           + e.verdict + "\t" + e.toUpper + "\t" + e.toLower + "\t" + e.position + "\n";
            }
        }
        texts = std::move(t);
    }
    CopyOrSayWhy(texts, value_,
                 limits_ ? QStringLiteral("нет ни размера детали, ни партии.")
                         : QStringLiteral("поле допуска не задано."));
}

bool CheckWindow::HasProtocol(QString& why) const
{
    if (Busy())
        why = QStringLiteral("партия ещё читается.");
    else if (!limits_)
        why = QStringLiteral("поле допуска не задано.");
    else if (!values_ || values_->entries.empty() || !judgement_)
        why = QStringLiteral("партия пуста.");
    else
        return true;
    return false;
}

namespace {

ProtocolContent ContentOf(const CheckLimits& limits, const QString& designation,
                          const std::shared_ptr<const BatchValues>& values, const BatchJudgement& judgement)
{
    ProtocolContent c;
    c.limits = limits;
    c.headLines = ProtocolHeadLines(limits,
                                    {designation.trimmed().toStdString(),
                                     QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString()},
                                    judgement.summary);
    c.histogram = HistogramPictureOf(limits, judgement.histogram, judgement.summary);
    c.values = values;
    return c;
}

}  // namespace

void CheckWindow::SaveClick()
{
    QString why;
    if (!HasProtocol(why)) {
        SayProblem(QStringLiteral("Сохранять нечего: ") + why);
        return;
    }
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Сохранить протокол контроля"), QStringLiteral("протокол.csv"),
        QStringLiteral("Таблица CSV (*.csv);;Документ PDF (*.pdf)"), &filter, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("pdf")) ? QStringLiteral(".pdf") : QStringLiteral(".csv");
    SaveProtocol(path);
}

bool CheckWindow::SaveProtocol(const QString& path)
{
    QString why;
    if (!HasProtocol(why)) {
        SayProblem(QStringLiteral("Сохранять нечего: ") + why);
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
        QProgressDialog progress(QStringLiteral("Протокол в PDF…"), QStringLiteral("Отмена"), 0, 1, this);
        progress.setObjectName(QStringLiteral("CheckPdfProgress"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        const bool written = WriteProtocolPdf(path, ContentOf(*limits_, designation_->text(), values_, *judgement_),
                                              [&progress](int page, int pages) {
                                                  progress.setMaximum(pages);
                                                  progress.setValue(page - 1);
                                                  return !progress.wasCanceled();
                                              });
        if (!written) {
            SayProblem(progress.wasCanceled()
                           ? QStringLiteral("Протокол не сохранён: отменено.")
                           : QStringLiteral("Протокол не сохранён: файл «%1» не записывается.").arg(name));
            QFile::remove(path);
            return false;
        }
        problem_->hide();
        return true;
    }
    QSaveFile file(path);
    const std::string csv = ProtocolCsv(*limits_,
                                        {designation_->text().trimmed().toStdString(),
                                         QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString()},
                                        *values_, *judgement_);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size())
        || !file.commit()) {
        SayProblem(QStringLiteral("Протокол не сохранён в «%1»: %2.").arg(name, file.errorString()));
        return false;
    }
    problem_->hide();
    return true;
}

void CheckWindow::PrintClick()
{
    QString why;
    if (!HasProtocol(why)) {
        SayProblem(QStringLiteral("Печатать нечего: ") + why);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Протокол контроля"));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("CheckPrintDialog"));
    if (dialog.exec() == QDialog::Accepted)
        PrintProtocol(printer);
}

bool CheckWindow::PrintProtocol(QPrinter& printer)
{
    QString why;
    if (!HasProtocol(why)) {
        SayProblem(QStringLiteral("Печатать нечего: ") + why);
        return false;
    }
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    if (!PaintProtocol(printer, ContentOf(*limits_, designation_->text(), values_, *judgement_), {})) {
        SayProblem(QStringLiteral("Протокол не напечатан: принтер недоступен."));
        return false;
    }
    return true;
}
