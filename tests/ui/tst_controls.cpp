// The control stand-ins: masked boxes, key filters, colours, the grid, seams.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "TestSupport.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace testsupport;

class MaskEdBoxTest : public QObject {
  Q_OBJECT
 private slots:
  void untouchedBoxesShowPrompts() {
    ui::MaskEdBox kode, tel, tgl;
    kode.SetMask("###.###");
    tel.SetMask("[&&&&]-&&&&&&&&");
    tgl.SetMask("##/##/####");
    QCOMPARE(kode.Text(), QString("___.___"));
    QCOMPARE(tel.Text(), QString("[____]-________"));
    QCOMPARE(tgl.Text(), QString("__/__/____"));
    QCOMPARE(kode.ClipText(), QString());
  }
  void setAndTypeText() {
    ui::MaskEdBox tgl;
    tgl.SetMask("##/##/####");
    tgl.SetText("05/03/2024");
    QCOMPARE(tgl.Text(), QString("05/03/2024"));
    tgl.SetText("");
    QCOMPARE(tgl.Text(), QString("__/__/____"));

    QDialog d;
    auto* kode = new ui::MaskEdBox(&d);
    kode->SetMask("###.###");
    kode->SetText("002.003");
    auto* other = new QLineEdit(&d);
    QVBoxLayout l(&d);
    l.addWidget(other);
    l.addWidget(kode);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    kode->SetText("");
    kode->setFocus();
    QApplication::processEvents();
    typeInto(kode, "001002");
    QCOMPARE(kode->Text(), QString("001.002"));
    QCOMPARE(kode->ClipText(), QString("001002"));
    // A letter does not fit a digit place.
    kode->SetText("");
    kode->setFocus();
    QApplication::processEvents();
    typeInto(kode, "a1");
    QCOMPARE(kode->Text(), QString("1__.___"));
  }
  void telephoneKeepsLiterals() {
    ui::MaskEdBox tel;
    tel.SetMask("[&&&&]-&&&&&&&&");
    // A stored text comes back exactly, unfilled places included.
    for (const QString t : {"[0274]-512345__", "[____]-________", "[02_4]-_12 45__", "[abcd]-efghijkl", "[024_]-3551987_"}) {
      tel.SetText(t);
      QCOMPARE(tel.Text(), t);
    }
  }
};

class KeyFilterTest : public QObject {
  Q_OBJECT
 private slots:
  void digitsOnlyBeepsAtOtherKeys() {
    QDialog d;
    auto* box = new QLineEdit(&d);
    ui::SetKeyFilter(box, ui::DigitsOnly);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    box->setFocus();
    BeepCounter beeps;
    typeInto(box, "12a.3");
    QCOMPARE(box->text(), QString("123"));
    QCOMPARE(beeps.count, 2);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString("12"));
    QCOMPARE(beeps.count, 2);
  }
  void enterMovesFocusAndIsSwallowed() {
    QDialog d;
    auto* a = new QLineEdit(&d);
    auto* b = new QLineEdit(&d);
    auto* c = new QComboBox(&d);
    c->setEditable(true);
    auto* e = new QLineEdit(&d);
    QVBoxLayout l(&d);
    for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(b), static_cast<QWidget*>(c), static_cast<QWidget*>(e)})
      l.addWidget(w);
    ui::SetKeyFilter(a, ui::EnterMovesFocus | ui::UpperCase);
    ui::SetKeyFilter(b, ui::EnterMovesFocus);
    ui::SetKeyFilter(c, ui::EnterMovesFocus);
    bool accepted = false;
    QObject::connect(&d, &QDialog::accepted, [&] { accepted = true; });
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    a->setFocus();
    typeInto(a, "kain batik");
    QCOMPARE(a->text(), QString("KAIN BATIK"));
    QTest::keyClick(a, Qt::Key_Return);
    QVERIFY(b->hasFocus());
    typeInto(b, "abc");
    QCOMPARE(b->text(), QString("abc"));
    QTest::keyClick(b, Qt::Key_Return);
    QVERIFY(c->hasFocus());
    QTest::keyClick(c->lineEdit(), Qt::Key_Return);
    QVERIFY(e->hasFocus());
    QVERIFY(!accepted);  // the dialog's default button never saw the Enter
  }
  // A button made by the builder: Enter on it presses it (not when it is
  // disabled); Enter in a plain text box beside it presses nothing.
  void enterPressesOnlyTheFocusedButton() {
    QDialog d;
    auto* box = new QLineEdit(&d);
    QPushButton* simpan = ui::Tombol(&d, "TbSimpan", "&Simpan");
    QPushButton* hapus = ui::Tombol(&d, "TbHapus", "&Hapus");
    QVBoxLayout l(&d);
    l.addWidget(box);
    l.addWidget(simpan);
    l.addWidget(hapus);
    int disimpan = 0, dihapus = 0;
    QObject::connect(simpan, &QPushButton::clicked, [&] { ++disimpan; });
    QObject::connect(hapus, &QPushButton::clicked, [&] { ++dihapus; });
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(disimpan + dihapus, 0);
    QVERIFY(d.isVisible());
    simpan->setFocus();
    QTest::keyClick(simpan, Qt::Key_Return);
    QTest::keyClick(simpan, Qt::Key_Enter);
    QCOMPARE(disimpan, 2);
    hapus->setEnabled(false);
    QTest::keyClick(hapus, Qt::Key_Return);
    QCOMPARE(dihapus, 0);
  }
  void coloursFollowTheState() {
    QLineEdit box;
    ui::SetInputEnabled(&box, false);
    QVERIFY(!box.isEnabled());
    QCOMPARE(box.palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 255, 192));
    ui::SetInputEnabled(&box, true);
    QCOMPARE(box.palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 255));
  }
};

class FlexGridTest : public QObject {
  Q_OBJECT
 private slots:
  void cellsHeaderAndWidths() {
    ui::FlexGrid g;
    g.SetCols(3);
    g.SetRows(4);
    g.SetTextMatrix(0, 0, "Kode");
    g.SetTextMatrix(2, 1, "SABUN");
    QCOMPARE(g.TextMatrix(0, 0), QString("Kode"));
    QCOMPARE(g.model()->headerData(0, Qt::Horizontal).toString(), QString("Kode"));
    QCOMPARE(g.model()->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold(), true);
    QCOMPARE(g.model()->rowCount(), 3);
    QCOMPARE(g.model()->index(1, 1).data().toString(), QString("SABUN"));
    g.SetColWidth(1, 3000);
    QCOMPARE(g.columnWidth(1), 200);
    QCOMPARE(g.ColWidth(1), 3000);
    // Growing keeps what is there; widths survive the change of size.
    g.SetRows(6);
    QCOMPARE(g.TextMatrix(2, 1), QString("SABUN"));
    QCOMPARE(g.columnWidth(1), 200);
    g.Clear();
    QCOMPARE(g.TextMatrix(2, 1), QString());
    QCOMPARE(g.Rows(), 6);
    // Out-of-range cells are ignored, not a crash.
    g.SetTextMatrix(99, 99, "x");
    QCOMPARE(g.TextMatrix(99, 99), QString());
  }
  void doubleClickOnAFarRow() {
    ui::FlexGrid g;
    g.SetCols(2);
    g.SetRows(40001);
    for (int r = 1; r < 40001; ++r) g.SetTextMatrix(r, 0, QString::number(r));
    g.resize(400, 300);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    int clicks = 0;
    int rowSeen = 0;
    QObject::connect(&g, &ui::FlexGrid::DblClick, [&] { ++clicks; rowSeen = g.Row(); });
    doubleClickRow(&g, 300);
    QCOMPARE(clicks, 1);
    QCOMPARE(rowSeen, 300);
    QCOMPARE(g.TextMatrix(g.Row(), 0), QString("300"));
    g.SetRow(33000);
    QCOMPARE(g.Row(), 33000);
    QCOMPARE(g.TextMatrix(40000, 0), QString("40000"));
  }
};

class SeamTest : public QObject {
  Q_OBJECT
 private slots:
  void prompterRecordsAndAnswers() {
    ScriptedPrompter p;
    p.expect("YAKIN?", ui::vbNo, "Awass", ui::vbQuestion);
    QCOMPARE(ui::MsgBox("YAKIN?", ui::vbYesNo | ui::vbQuestion, "Awass"), int(ui::vbNo));
    VERIFY_PROMPTS(p);
    QCOMPARE(p.seen.size(), 1);
    QCOMPARE(p.seen[0].buttons, int(ui::vbYesNo));
    // An unexpected message is reported.
    ui::MsgBox("LAIN", ui::vbOKOnly, "Info");
    QVERIFY(!p.ok());
  }
  void windowsByNameAndModalHandler() {
    static int made = 0;
    static const ui::WindowEntry table[] = {{"frmContoh", [](QWidget* parent) -> QDialog* {
                                               ++made;
                                               auto* d = new QDialog(parent);
                                               d->setObjectName("frmContoh");
                                               return d;
                                             }}};
    const ui::WindowTable program = ui::Windows();
    ui::SetWindows(table);
    QVERIFY(ui::HasWindow("frmContoh"));
    QVERIFY(!ui::OpenModal("frmTidakAda"));
    ModalScript m;
    m.then([](QDialog* d) { d->accept(); });
    QVERIFY(ui::OpenModal("frmContoh"));
    ui::SetWindows(program);
    QCOMPARE(made, 1);
    QCOMPARE(m.shown, QStringList{"frmContoh"});
    QVERIFY(m.failures.isEmpty());
  }
  void clockAndEnd() {
    ui::SetToday(QDate(2024, 3, 5));
    QCOMPARE(ui::Today(), QDate(2024, 3, 5));
    ui::SetToday(QDate());
    QCOMPARE(ui::Today(), QDate::currentDate());
    EndCatcher end;
    ui::EndApplication();
    QCOMPARE(end.count, 1);
  }
};

REGISTER_TEST(MaskEdBoxTest);
REGISTER_TEST(KeyFilterTest);
REGISTER_TEST(FlexGridTest);
REGISTER_TEST(SeamTest);
#include "tst_controls.moc"
