// SPDX-License-Identifier: GPL-3.0-or-later
// «Контроль»: measured sizes against the limits of one field. One size as
// it is typed, with its verdict in large coloured text; a batch pasted from
// a spreadsheet or opened from a CSV or TXT file, judged row by row, with
// its summary and histogram; the protocol saved as CSV or PDF, or printed.
// Long batches are read and judged in a worker thread: the window keeps
// answering, a progress dialog shows, and a cancel keeps the batch that was
// there. Non-modal; the main window creates it once.
#pragma once

#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "BatchText.h"
#include "ToolWindow.h"

class CheckHistogram;
class CheckTable;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressDialog;
class QPushButton;
class QTableView;
class QTimer;

class CheckWindow : public ToolWindow {
    Q_OBJECT

public:
    explicit CheckWindow(QWidget* parent = nullptr);
    ~CheckWindow() override;

    // The designation the main window stands on ("25H7"). Taken over unless
    // it is the one handed over last time: then what was typed here stays.
    void Preset(const QString& designation);

    void CopyClick() override;

    // The batch: the clipboard's text, a file chosen or named, typed text.
    void PasteClick();
    void OpenClick();
    // False, with the reason shown, when the file cannot be read.
    bool OpenFile(const QString& path);
    void LoadText(const QByteArray& bytes, const QString& source);
    void ClearClick();
    // The typed size as the batch's next entry.
    void AddClick();

    // The protocol: .pdf as PDF, anything else as CSV; false, with the
    // reason shown, when it cannot be written or was stopped.
    void SaveClick();
    bool SaveProtocol(const QString& path);
    void PrintClick();
    bool PrintProtocol(QPrinter& printer);

    // A load or a judgement of the batch is running.
    bool Busy() const { return job_ != nullptr; }

private:
    struct Job;
    struct Outcome;
    using Work = std::function<std::optional<Outcome>(const KeepGoing&)>;
    enum class JobKind { Load, Judge };

    void SetUpControls();
    void LimitsChanged();
    void ShowValue();
    void ShowBatch();
    void ShowSummary();
    void Rejudge();
    void ReplaceEntry(int row, const QString& text);
    void Edited();
    void ColumnChosen(int index);
    void StartJob(JobKind kind, size_t size, Work work);
    void Finish(const std::shared_ptr<Job>& job, std::optional<Outcome> outcome);
    void CancelJob();
    void SayProblem(const QString& text);
    // Whether there is a protocol to write; else why not.
    bool HasProtocol(QString& why) const;

    QLineEdit *designation_, *guard_, *value_;
    QLabel *limitsText_, *verdict_, *margins_, *decided_;
    QPushButton *add_, *paste_, *open_, *clear_, *save_, *print_;
    QLabel *source_, *columnLabel_;
    QComboBox* column_;
    QTableView* tableView_;
    CheckTable* table_;
    QLabel *counts_, *range_, *mean_, *spread_, *formulas_, *problem_;
    CheckHistogram* histogram_;

    std::optional<CheckLimits> limits_;
    QString lastPreset_;

    // The batch as shown: where it came from, its entries and their verdicts.
    std::shared_ptr<const TextTable> sourceTable_;
    int sourceColumn_ = 0;
    QString sourceName_;
    TextEncoding sourceEncoding_ = TextEncoding::Utf8;
    bool edited_ = false;  // sizes typed or corrected since the text was read
    std::shared_ptr<const BatchValues> values_;
    std::shared_ptr<const BatchJudgement> judgement_;

    std::shared_ptr<Job> job_;
    bool judgeAfterLoad_ = false;
    QProgressDialog* progress_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QThreadPool pool_;
};
