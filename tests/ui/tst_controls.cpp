// The control stand-ins: masked boxes, key filters, colours, the grid, seams.
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>
#include <limits>

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
    // Escape is no typed character: it closes the window, without a beep.
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(beeps.count, 2);
    QVERIFY(!d.isVisible());
  }
  // A digit box never cuts a number to its length: a digit more than it
  // takes, typed, pasted or composed, is refused whole with a beep, so the
  // box shows exactly the amount that is used; what fits is taken.
  void digitBoxTakesANumberWholeOrNotAtAll_data() {
    QTest::addColumn<QString>("awal");
    QTest::addColumn<bool>("pilih");  // the box's text selected first
    QTest::addColumn<QString>("cara");
    QTest::addColumn<QString>("masuk");
    QTest::addColumn<QString>("tampil");
    QTest::addColumn<int>("bunyi");
    QTest::newRow("typed past the limit") << "12345" << false << "type" << "6" << "12345" << 1;
    QTest::newRow("typed over the selection") << "12345" << true << "type" << "6" << "6" << 0;
    QTest::newRow("pasted, too long") << "" << false << "paste" << "1234567" << "" << 1;
    QTest::newRow("pasted, too long beside the text") << "12" << false << "paste" << "3456" << "12" << 1;
    QTest::newRow("pasted, fits") << "12" << false << "paste" << "345" << "12345" << 0;
    QTest::newRow("pasted over the selection") << "99999" << true << "paste" << "12345" << "12345" << 0;
    QTest::newRow("composed, too long") << "" << false << "ime" << "123456" << "" << 1;
  }
  void digitBoxTakesANumberWholeOrNotAtAll() {
    QFETCH(QString, awal);
    QFETCH(bool, pilih);
    QFETCH(QString, cara);
    QFETCH(QString, masuk);
    QFETCH(QString, tampil);
    QFETCH(int, bunyi);
    QDialog d;
    QLineEdit* box = ui::BuatKotak(&d, "TxtUBayar", 5);
    ui::SetKeyFilter(box, ui::DigitsOnly);
    d.show();
    QVERIFY(activate(&d));
    box->setFocus();
    box->setText(awal);
    if (pilih) box->selectAll();
    BeepCounter beeps;
    if (cara == "type") {
      typeInto(box, masuk);
    } else if (cara == "paste") {
      QGuiApplication::clipboard()->setText(masuk);
      box->paste();
    } else {
      QInputMethodEvent ime;
      ime.setCommitString(masuk);
      QApplication::sendEvent(box, &ime);
    }
    QCOMPARE(box->text(), tampil);
    QCOMPARE(beeps.count, bunyi);
    // The box goes on as before: Backspace and a digit that fits.
    box->end(false);
    QTest::keyClick(box, Qt::Key_Backspace);
    typeInto(box, "8");
    QCOMPARE(box->text(), tampil.isEmpty() ? QString("8") : tampil.chopped(1) + "8");
    QCOMPARE(beeps.count, bunyi);
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
  // NUL and other control characters never get into a text box, however
  // they come (pasted, composed, set); a line break or tab in a
  // one-line box becomes a blank, a multi-line box keeps its line breaks.
  void textBoxesDropControlCharacters_data() {
    QTest::addColumn<QString>("kotak");
    QTest::addColumn<QString>("cara");
    QTest::addColumn<QString>("masuk");
    QTest::addColumn<QString>("tampil");
    const QString nul = QString("AB") + QChar(0) + "C";
    QTest::newRow("line, pasted") << "line" << "paste" << nul << "ABC";
    QTest::newRow("line, composed") << "line" << "ime" << nul << "ABC";
    QTest::newRow("line, set") << "line" << "set" << QString("A\tB\r\nC\x1b") << "A B C";
    QTest::newRow("combo, pasted") << "combo" << "paste" << nul << "ABC";
    QTest::newRow("masked, pasted") << "masked" << "paste" << QString("12") + QChar(0) + "34" << "[12_3]-4_______";
    QTest::newRow("address, pasted") << "address" << "paste" << QString("Jl. Mawar 5\nBandung") + QChar(0) + "\t"
                                     << "Jl. Mawar 5\nBandung ";
  }
  void textBoxesDropControlCharacters() {
    QFETCH(QString, kotak);
    QFETCH(QString, cara);
    QFETCH(QString, masuk);
    QFETCH(QString, tampil);
    QDialog d;
    QVBoxLayout l(&d);
    QWidget* w = nullptr;
    QLineEdit* baris = nullptr;
    QPlainTextEdit* alamat = nullptr;
    ui::MaskEdBox* bertopeng = nullptr;
    if (kotak == "line") {
      w = baris = ui::BuatKotak(&d, "txtNama");
    } else if (kotak == "masked") {
      w = baris = bertopeng = new ui::MaskEdBox(&d);
      bertopeng->SetMask("[&&&&]-&&&&&&&&");
    } else if (kotak == "combo") {
      auto* c = new QComboBox(&d);
      c->setEditable(true);
      ui::TanpaKendali(c);
      w = c;
      baris = c->lineEdit();
    } else {
      w = alamat = new QPlainTextEdit(&d);
      ui::TanpaKendali(alamat);
    }
    l.addWidget(w);
    d.show();
    QVERIFY(activate(&d));
    w->setFocus();
    if (bertopeng) bertopeng->setCursorPosition(1);
    QWidget* ke = baris ? static_cast<QWidget*>(baris) : alamat->viewport();
    if (cara == "paste") {
      QGuiApplication::clipboard()->setText(masuk);
      if (baris) baris->paste();
      else alamat->paste();
    } else if (cara == "ime") {
      QInputMethodEvent ime;
      ime.setCommitString(masuk);
      QApplication::sendEvent(ke, &ime);
    } else {
      baris->setText(masuk);
    }
    QCOMPARE(bertopeng ? bertopeng->Text() : baris ? baris->text() : alamat->toPlainText(), tampil);
  }

  // The number a box gives is exactly what it shows, or none at all.
  void numbersAreWhatTheBoxShows_data() {
    QTest::addColumn<QString>("teks");
    QTest::addColumn<bool>("angka");
    QTest::addColumn<qint64>("nilai");
    QTest::newRow("empty") << "" << true << qint64(0);
    QTest::newRow("digits") << "15000" << true << qint64(15000);
    QTest::newRow("negative stock") << "-4" << true << qint64(-4);
    QTest::newRow("largest") << "9223372036854775807" << true << std::numeric_limits<qint64>::max();
    QTest::newRow("smallest") << "-9223372036854775808" << true << std::numeric_limits<qint64>::min();
    QTest::newRow("past 64 bits") << "9223372036854775808" << false << qint64(0);
    QTest::newRow("20 digits") << "12345678901234567890" << false << qint64(0);
    QTest::newRow("letters") << "12abc" << false << qint64(0);
    QTest::newRow("thousands point") << "15.000" << false << qint64(0);
    QTest::newRow("blank") << " 5" << false << qint64(0);
    QTest::newRow("minus alone") << "-" << false << qint64(0);
    QTest::newRow("wide digits") << QString::fromUtf8("\uFF11\uFF12") << false << qint64(0);
  }
  void numbersAreWhatTheBoxShows() {
    QFETCH(QString, teks);
    QFETCH(bool, angka);
    QFETCH(qint64, nilai);
    qint64 v = 0;
    QCOMPARE(ui::Angka(teks, &v), angka);
    if (angka) QCOMPARE(v, nilai);
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
  // An item code of 11 characters fits the 1100 twips its columns have.
  void itemCodeFitsItsColumn() {
    ui::FlexGrid g;
    g.SetCols(2);
    g.SetColWidth(1, 1100);
    QVERIFY(g.fontMetrics().horizontalAdvance("888.888.888") + 8 <= g.columnWidth(1));
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
  // The real message box: Enter presses the default button the style names,
  // and Escape answers No to a question whichever is the default.
  void realBoxHonoursTheDefaultButton_data() {
    QTest::addColumn<int>("gaya");
    QTest::addColumn<int>("tombol");
    QTest::addColumn<int>("jawab");
    QTest::newRow("question, Enter") << int(ui::vbYesNo) << int(Qt::Key_Return) << int(ui::vbYes);
    QTest::newRow("question defaulting to No, Enter")
        << int(ui::vbYesNo | ui::vbDefaultButton2) << int(Qt::Key_Return) << int(ui::vbNo);
    QTest::newRow("question, Escape") << int(ui::vbYesNo) << int(Qt::Key_Escape) << int(ui::vbNo);
    QTest::newRow("OK/Cancel defaulting to Cancel, Enter")
        << int(ui::vbOKCancel | ui::vbDefaultButton2) << int(Qt::Key_Return) << int(ui::vbCancel);
  }
  void realBoxHonoursTheDefaultButton() {
    QFETCH(int, gaya);
    QFETCH(int, tombol);
    QFETCH(int, jawab);
    const ui::Prompter semula = ui::CurrentPrompter();
    ui::SetPrompter({});
    QTimer t;
    int tunggu = 0;
    QObject::connect(&t, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        t.stop();
        QTest::keyClick(box, Qt::Key(tombol));
      } else if (++tunggu > 500) {
        t.stop();  // no box came: leave it to the answer below
      }
    });
    t.start(10);
    const int a = ui::MsgBox("YAKIN?", gaya | ui::vbQuestion, "Awass");
    ui::SetPrompter(semula);
    QCOMPARE(a, jawab);
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
