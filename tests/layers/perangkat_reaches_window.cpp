// layer: perangkat
// refused: transactions/mdlCetak.h
// The page receipt lies above: the narrow one keeps its own copy of the heading.
#include "perangkat/Struk.h"
#include "transactions/mdlCetak.h"
