// layer: documents
// refused: QWidget
// The report engine has no widgets: the windows that show it lie above.
#include "documents/Layout.h"
#include <QWidget>
