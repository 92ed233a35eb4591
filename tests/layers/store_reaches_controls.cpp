// layer: db
// refused: ui/FlexGrid.h
// The store knows no widgets.
#include "db/Sql.h"
#include "ui/FlexGrid.h"
