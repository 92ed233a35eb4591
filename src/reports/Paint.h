#pragma once
// One paint routine for laid-out pages, serving the screen preview, the
// printer and PDF alike; and the two files a document can be saved as.
#include <QString>

#include "reports/Layout.h"

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace reports {

// Scales the painter so that one unit is one dot on the device (times zoom).
void ScaleToDots(QPainter& p, const QPaintDevice& device, double zoom = 1.0);
// Paints a page on a painter already scaled to dots.
void PaintPage(QPainter& p, const Page& page);

// Lays out the document on the device's own paper and paints pages
// first..last (0-based; last < 0: to the end). A printer is used from the
// paper's edge, so the margins are ours. False when the device refuses.
bool PrintDocument(QPagedPaintDevice* device, const ReportDef& def, const Captions& captions, const Rows& rows,
                   int first = 0, int last = -1);

// The document as a PDF file on A4 paper. False with a reason on failure.
bool WritePdf(const QString& file, const ReportDef& def, const Captions& captions, const Rows& rows,
              QString* error);

// The document's rows as CSV for a spreadsheet: UTF-8, a heading line with
// the column headings, then one line per row, fields separated by ";" as
// spreadsheets set to Indonesian read them. Amounts are plain whole
// numbers and dates yyyy-MM-dd, so that a spreadsheet reads them as such.
bool WriteCsv(const QString& file, const ReportDef& def, const Captions& captions, const Rows& rows,
              QString* error);

}  // namespace reports
