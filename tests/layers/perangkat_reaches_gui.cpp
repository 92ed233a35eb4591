// layer: perangkat
// refused: QPainter
// The receipt is bytes for a printer of its own: nothing here paints.
#include "perangkat/Struk.h"
#include <QPainter>
