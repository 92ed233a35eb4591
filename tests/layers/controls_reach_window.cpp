// layer: ui
// refused: core/FrmUtama.h
// The controls know no window.
#include "ui/Seams.h"
#include "core/FrmUtama.h"
