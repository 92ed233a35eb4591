// layer: documents
// refused: QPrinter
// The printer (PrintSupport, which pulls widgets in) is the preview window's;
// the engine paints on whatever paged device it is handed.
#include "documents/Paint.h"
#include <QPrinter>
