#pragma once
// One paint routine for laid-out pages, serving the screen preview, the
// printer and PDF alike, on any paint device.
#include <QString>

#include "documents/Layout.h"

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace reports {

// Scales the painter so that one unit is one dot on the device (times zoom).
void ScaleToDots(QPainter& p, const QPaintDevice& device, double zoom = 1.0);
// Paints a page on a painter already scaled to dots.
void PaintPage(QPainter& p, const Page& page);

// Lays out the document on the device's own paper and paints pages
// first..last (0-based; last < 0: to the end). The pages are painted from the
// device's origin, the margins being ours: whoever owns a printer sets it to
// use the paper from its edge. False when the device refuses.
bool PaintDocument(QPagedPaintDevice* device, const ReportDef& def, const Captions& captions, const Rows& rows,
                   int first = 0, int last = -1);

// The document as a PDF file on A4 paper. False when the file cannot be
// written.
bool WritePdf(const QString& file, const ReportDef& def, const Captions& captions, const Rows& rows);

}  // namespace reports
