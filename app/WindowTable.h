#pragma once
// The one table of the windows that the program opens by name.
#include "ui/Seams.h"

ui::WindowTable ProgramWindows();
