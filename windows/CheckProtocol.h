// SPDX-License-Identifier: GPL-3.0-or-later
// The inspection protocol on paper or in a PDF: the head (title,
// designation, limits, date, summary, formulas), the histogram and the
// table of every size, over as many A4 pages as the batch takes.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BatchText.h"
#include "CheckHistogram.h"

class QPagedPaintDevice;

struct ProtocolContent {
    CheckLimits limits;
    std::vector<std::string> headLines;  // ProtocolHeadLines
    HistogramPicture histogram;
    std::shared_ptr<const BatchValues> values;
};

// Called before each page with its number (from 1) and the page count;
// false stops the painting.
using PageProgress = std::function<bool(int page, int pages)>;

// Paints every page onto the device; false when stopped.
bool PaintProtocol(QPagedPaintDevice& device, const ProtocolContent& content, const PageProgress& progress);
// An A4 PDF at `path`; false when stopped or when the file cannot be written.
bool WriteProtocolPdf(const QString& path, const ProtocolContent& content, const PageProgress& progress);
