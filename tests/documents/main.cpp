// The report engine's tests run without widgets, on a QGuiApplication: the
// layout measures with the fonts of QtGui, and a PDF is written by QtGui alone.
#include <QGuiApplication>

#include "Registry.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  return testregistry::Run(app.arguments());
}
