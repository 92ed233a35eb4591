// Starts the program; everything else is in the library.
#include <QApplication>

#include "core/Mulai.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Merapu");
  return Mulai();
}
