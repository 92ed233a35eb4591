#pragma once
// Small drivers shared by the master-screen tests: what a person does with
// the mouse (pick from a list, double-click a grid row) and what they see
// (box colours, grid rows).
#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QtTest>

#include "TestSupport.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"

namespace mastertest {

// Picks the list entry that starts with `prefix`, as a click in the popup does.
inline bool pick(QComboBox* c, const QString& prefix) {
  for (int i = 0; i < c->count(); ++i) {
    if (c->itemText(i).startsWith(prefix)) {
      c->setCurrentIndex(i);
      emit c->activated(i);
      return true;
    }
  }
  return false;
}

inline QColor back(QWidget* w) {
  if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit()) w = c->lineEdit();
  return w->palette().color(QPalette::Base);
}

inline QStringList gridRow(ui::FlexGrid* g, int row) {
  QStringList r;
  for (int c = 0; c < g->Cols(); ++c) r << g->TextMatrix(row, c);
  return r;
}

inline void showActive(QWidget* w) {
  w->show();
  QApplication::setActiveWindow(w);
  QVERIFY(QTest::qWaitForWindowActive(w));
}

}  // namespace mastertest
