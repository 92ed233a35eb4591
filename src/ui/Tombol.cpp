#include "ui/Tombol.h"

#include <QPushButton>

#include "ui/Input.h"

namespace ui {

QPushButton* Tombol(QWidget* parent, const char* name, const QString& caption, int minWidth, int minHeight) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  b->setDefault(false);
  b->setMinimumSize(minWidth, minHeight);
  // A button that is not a default button ignores Enter by itself.
  SetEnterAction(b, [b] {
    if (b->isEnabled()) b->click();
  });
  return b;
}

}  // namespace ui
