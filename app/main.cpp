// Starts the program; everything else is in the library.
#include <QApplication>

#include "WindowTable.h"
#include "core/Mulai.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Merapu");
  ui::SetWindows(ProgramWindows());
  return Mulai();
}
