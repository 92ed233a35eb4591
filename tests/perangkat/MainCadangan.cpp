// The program's entry when no other file of this folder brings one: the
// classes registered through Registry.h run on a QCoreApplication. It is
// weak, so a main of the program's own replaces it at link time.
#include <QCoreApplication>

#include "Registry.h"

__attribute__((weak)) int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return testregistry::Run(app.arguments());
}
