// layer: documents
// The report engine builds on the store and QtGui alone: it lays out, paints
// on a PDF writer and writes CSV without a widget.
#include <QPdfWriter>

#include "documents/Csv.h"
#include "documents/Layout.h"
#include "documents/Paint.h"
#include "documents/ReportDef.h"
#include "documents/Rows.h"

int probe_documents_alone() { return int(reports::Reports().size()); }
