// layer: toko
// refused: QWidget
// The shop's rules run without a window: no widget header is in reach.
#include "toko/Kode.h"
#include <QWidget>
