// layer: perangkat
// The receipt printer's layer builds on the shop core, QtCore and QtNetwork.
#include "perangkat/EscPos.h"
#include "perangkat/Struk.h"
#include "toko/Dokumen.h"
#include <QTcpSocket>
