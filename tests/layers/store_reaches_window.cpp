// layer: db
// refused: transactions/frmPenjualan.h
// A store file that reaches for a window must not build.
#include "db/Connection.h"
#include "transactions/frmPenjualan.h"
