// layer: toko
// The shop's rules build on the store and QtCore alone.
#include "toko/Barang.h"
#include "toko/Kode.h"
#include "db/Connection.h"
