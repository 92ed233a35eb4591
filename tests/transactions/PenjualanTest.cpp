// The till: receipt numbers, lines, payment checks, what a save stores, the
// all-or-nothing save, a number taken meanwhile, cancel and close.
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <chrono>
#include <thread>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "transactions/frmCetakJual.h"
#include "transactions/frmPenjualan.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

namespace {
QLineEdit* kotak(QWidget* w, const char* n) { return child<QLineEdit>(w, n); }
QPushButton* tombol(QWidget* w, const char* n) { return child<QPushButton>(w, n); }

// Types a line's code and quantity as a cashier does, and adds it.
void BarisKetik(frmPenjualan* w, const QString& kode, const QString& jumlah) {
  auto* g = kotak(w, "txtKodeG");
  g->setFocus();
  typeInto(g, kode.left(3) + "\r");
  auto* k = child<ui::MaskEdBox>(w, "TxtKode");
  typeInto(k, kode.mid(4, 3) + kode.right(3) + "\r");
  typeInto(kotak(w, "TxtJumlah"), jumlah);
  tombol(w, "TbMasuk")->click();
}

QString Nota(const QString& no) { return "JL-" + no; }
}  // namespace

class PenjualanTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;
  frmPenjualan* w = nullptr;

  void buka() {
    w = new frmPenjualan;
    w->show();
  }

 private slots:
  void init() { db = toko::BukaToko(); }
  void cleanup() {
    delete w;
    w = nullptr;
    delete db;
  }

  void restAfterLoad() {
    buka();
    QCOMPARE(w->windowTitle(), QString("   :: TRANSAKSI PENJUALAN"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Keluar"));
    QVERIFY(tombol(w, "TbBaru")->isEnabled());
    QVERIFY(!tombol(w, "TbSimpan")->isEnabled());
    QVERIFY(!tombol(w, "TbCari")->isEnabled());
    QVERIFY(!tombol(w, "TbMasuk")->isEnabled());
    QVERIFY(!kotak(w, "txtKodeG")->isEnabled());
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtTgl")->Text(), QString("__/__/____"));
    QCOMPARE(kotak(w, "TxtTotBayar")->text(), QString("0"));
    auto* g = child<ui::FlexGrid>(w, "GridJual");
    QCOMPARE(g->Rows(), 2);
    QCOMPARE(g->TextMatrix(0, 4), QString("SUBTOTAL (Rp)"));
    QCOMPARE(g->ColWidth(1), 4200);
  }

  void receiptNumbers() {
    buka();
    tombol(w, "TbBaru")->click();
    QCOMPARE(kotak(w, "TxtNoNota")->text(), Nota("0000001"));
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtTgl")->Text(), QString("15/03/2024"));
    QVERIFY(!child<ui::MaskEdBox>(w, "TxtTgl")->isEnabled());
    QVERIFY(kotak(w, "txtKodeG")->isEnabled());
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Batal"));
    // Cancelling stores nothing: the next sale gets the same number.
    tombol(w, "TbKeluar")->click();
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Keluar"));
    QCOMPARE(kotak(w, "TxtNoNota")->text(), QString());
    db->exec("INSERT INTO Penjualan VALUES ('JL-0000041','2024-03-14',5,'','X')");
    db->exec("INSERT INTO Penjualan VALUES ('JL-0000009','2024-03-14',5,'','X')");
    tombol(w, "TbBaru")->click();
    QCOMPARE(kotak(w, "TxtNoNota")->text(), Nota("0000042"));
  }

  void linesAndTotals() {
    buka();
    tombol(w, "TbBaru")->click();
    BarisKetik(w, "001.002.003", "3");
    BarisKetik(w, "001.002.004", "2");
    auto* g = child<ui::FlexGrid>(w, "GridJual");
    QCOMPARE(g->Rows(), 3);
    QCOMPARE(g->TextMatrix(1, 0), QString("001.002.003"));
    QCOMPARE(g->TextMatrix(1, 1), QString("Sabun Mandi"));
    QCOMPARE(g->TextMatrix(1, 2), QString("1500"));  // the typed code brings its price
    QCOMPARE(g->TextMatrix(1, 4), QString("4500"));
    QCOMPARE(g->TextMatrix(2, 4), QString("24000"));
    QCOMPARE(kotak(w, "TxtTotBayar")->text(), QString("28500"));
    QCOMPARE(kotak(w, "txtKodeG")->text(), QString());
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtKode")->Text(), QString("___.___"));
    QCOMPARE(kotak(w, "TxtHarga")->text(), QString("0"));
    // The change follows the payment and, later, the total too.
    typeInto(kotak(w, "TxtUBayar"), "30000");
    QCOMPARE(kotak(w, "TxtUKembali")->text(), QString("1500"));
    BarisKetik(w, "001.002.003", "1");
    QCOMPARE(kotak(w, "TxtUKembali")->text(), QString("0"));
    BarisKetik(w, "001.002.003", "1");
    QCOMPARE(kotak(w, "TxtUKembali")->text(), QString("-1500"));
  }

  void keyFilters() {
    buka();
    tombol(w, "TbBaru")->click();
    BeepCounter beep;
    auto* j = kotak(w, "TxtJumlah");
    typeInto(j, "1a2.34");
    QCOMPARE(j->text(), QString("123"));  // at most 3 digits: a fourth beeps as a letter does
    QCOMPARE(beep.count, 3);
    auto* g = kotak(w, "txtKodeG");
    typeInto(g, "ab");
    QCOMPARE(g->text(), QString("AB"));
  }

  void lineChecks() {
    buka();
    tombol(w, "TbBaru")->click();
    ScriptedPrompter p;
    p.expect("Barang masih kosong! ", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    p.expect("KODE GRUP HARUS 3 DIGIT", ui::vbOK, "Error", ui::vbCritical);
    typeInto(kotak(w, "txtKodeG"), "01");
    typeInto(child<ui::MaskEdBox>(w, "TxtKode"), "002003\r");
    p.expect("KODE BARANG TIDAK DIKENALI ", ui::vbOK, "Info", ui::vbInformation);
    kotak(w, "txtKodeG")->setText("009");
    child<ui::MaskEdBox>(w, "TxtKode")->setFocus();
    typeInto(child<ui::MaskEdBox>(w, "TxtKode"), "\r");
    // An unknown code makes no line, whatever the quantity.
    typeInto(kotak(w, "TxtJumlah"), "2");
    p.expect("Barang masih kosong! ", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    // A quantity of 0 is no quantity.
    kotak(w, "txtKodeG")->setText("001");
    child<ui::MaskEdBox>(w, "TxtKode")->setFocus();
    typeInto(child<ui::MaskEdBox>(w, "TxtKode"), "\r");
    QCOMPARE(kotak(w, "TxtNama")->text(), QString("Sabun Mandi"));
    kotak(w, "TxtJumlah")->setText("0");
    p.expect("Jumlah barang masih kosong! ", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(w->BarisBerikut(), 1);
  }

  void paymentChecks() {
    buka();
    tombol(w, "TbBaru")->click();
    ScriptedPrompter p;
    kotak(w, "TxtUBayar")->setText("50000");
    p.expect("Belum ada Barang yang akan dijual!", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbSimpan")->click();
    BarisKetik(w, "001.002.003", "3");  // 4500
    kotak(w, "TxtUBayar")->setText("");
    p.expect("Belum melakukan pembayaran ! ", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbSimpan")->click();
    kotak(w, "TxtUBayar")->setText("4499");
    QCOMPARE(kotak(w, "TxtUKembali")->text(), QString("-1"));
    p.expect("Pembayaran masih kurang", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Penjualan"), 0);

    // Paying exactly the total passes with change 0.
    kotak(w, "TxtUBayar")->setText("4500");
    ModalScript m;
    QString kembali;
    m.then([&](QDialog* d) {
      kembali = static_cast<frmCetakJual*>(d)->UangKembali;
      d->accept();
    });
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi", ui::vbInformation);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(kembali, QString("0"));
    QCOMPARE(db->count("Penjualan"), 1);
  }

  // Header, lines and stock decreases; the same item twice; stock below 0.
  void saveStoresTheWholeSale() {
    buka();
    tombol(w, "TbBaru")->click();
    BarisKetik(w, "001.002.003", "3");
    BarisKetik(w, "001.002.004", "5");   // stock 2 -> -3
    BarisKetik(w, "001.002.003", "2");
    kotak(w, "TxtUBayar")->selectAll();  // the box shows "0" until then
    typeInto(kotak(w, "TxtUBayar"), "100000");
    ScriptedPrompter p;
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi", ui::vbInformation);
    ModalScript m;
    frmCetakJual* nota = nullptr;
    QString teks;
    m.then([&](QDialog* d) {
      nota = static_cast<frmCetakJual*>(d);
      QCOMPARE(nota->NoNota, Nota("0000001"));
      QCOMPARE(nota->TotHarga, QString("67500"));
      QCOMPARE(nota->UangBayar, QString("100000"));
      QCOMPARE(nota->UangKembali, QString("32500"));
      teks = nota->Teks();
      d->accept();
    });
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(m.shown, QStringList({"frmCetakJual"}));
    QVERIFY(teks.contains(" 3.  001.002.003  Sabun Mandi"));
    QVERIFY(teks.contains(" Total Jenis Barang = 3  ;      Total Besar Uang = 67,500"));

    QCOMPARE(db->scalar("SELECT No_Nota || '|' || Tgl_Nota || '|' || Total_Bayar || '|' || Kode_Pelanggan || '|' || "
                        "UserID FROM Penjualan"),
             QString("JL-0000001|2024-03-15|67500||KASIR1"));
    QCOMPARE(db->scalar("SELECT typeof(Total_Bayar) FROM Penjualan"), QString("integer"));
    QCOMPARE(db->scalar("SELECT group_concat(Kode_Barang || ':' || Harga_Jual || 'x' || Jumlah || '=' || SubTotal, ' ') "
                        "FROM (SELECT * FROM Penjualan_Detail WHERE No_Nota='JL-0000001' ORDER BY rowid)"),
             QString("001.002.003:1500x3=4500 001.002.004:12000x5=60000 001.002.003:1500x2=3000"));
    QCOMPARE(db->scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.003'"), QString("5"));
    QCOMPARE(db->scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.004'"), QString("-3"));
    // Back at rest.
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Keluar"));
    QCOMPARE(kotak(w, "TxtTotBayar")->text(), QString("0"));
    QCOMPARE(child<ui::FlexGrid>(w, "GridJual")->Rows(), 2);
  }

  // One line refused by the store: nothing of the sale is stored and the
  // sale stays on the screen to be saved again.
  void failedSaveStoresNothing() {
    db->exec("CREATE TRIGGER tolak BEFORE INSERT ON Penjualan_Detail WHEN NEW.Kode_Barang = '001.002.004' "
             "BEGIN SELECT RAISE(ABORT, 'baris ditolak'); END");
    buka();
    tombol(w, "TbBaru")->click();
    BarisKetik(w, "001.002.003", "3");
    BarisKetik(w, "001.002.004", "1");
    typeInto(kotak(w, "TxtUBayar"), "20000");
    QList<ui::Message> pesan;
    const ui::Prompter semula = ui::CurrentPrompter();
    ui::SetPrompter([&](const ui::Message& m) {
      pesan << m;
      return int(ui::vbOK);
    });
    ModalScript m;
    tombol(w, "TbSimpan")->click();
    ui::SetPrompter(semula);
    QCOMPARE(pesan.size(), 1);
    QCOMPARE(pesan[0].title, QString("Error"));
    QCOMPARE(pesan[0].icon, int(ui::vbCritical));
    QVERIFY(pesan[0].text.startsWith("DATA TRANSAKSI GAGAL DISIMPAN!"));
    QVERIFY(pesan[0].text.contains("baris ditolak"));
    QVERIFY(m.shown.isEmpty());  // no receipt
    QCOMPARE(db->count("Penjualan"), 0);
    QCOMPARE(db->count("Penjualan_Detail"), 0);
    QCOMPARE(db->scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.003'"), QString("10"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Batal"));
    QCOMPARE(w->BarisBerikut(), 3);
    QCOMPARE(kotak(w, "TxtTotBayar")->text(), QString("16500"));

    // Once the store takes it, the same sale saves whole.
    db->exec("DROP TRIGGER tolak");
    ScriptedPrompter p;
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi");
    m.then([](QDialog* d) { d->accept(); });
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Penjualan_Detail"), 2);
    QCOMPARE(db->scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.003'"), QString("7"));
  }

  // Another program holding the database: a wait that runs out says the
  // database is in use and keeps the sale to save again; a hold released
  // within the wait does not fail the sale.
  void busyDatabase() {
    FILE_ONLY("another till's open transaction holds no lock that a sale waits for");
    db::Connection::SetBusyTimeout(300);
    buka();
    db::Connection::SetBusyTimeout(db::Connection::kDefaultBusyTimeoutMs);
    tombol(w, "TbBaru")->click();
    BarisKetik(w, "001.002.003", "2");
    typeInto(kotak(w, "TxtUBayar"), "5000");
    db::Connection lain;
    QVERIFY(lain.Open(db->path()));
    QVERIFY(lain.BeginTrans());
    ScriptedPrompter p;
    p.expectStart("DATA TRANSAKSI GAGAL DISIMPAN!\r\nDATABASE SEDANG DIPAKAI PROGRAM LAIN", ui::vbOK, "Error",
                  ui::vbCritical);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Batal"));
    QVERIFY(lain.CommitTrans());
    QCOMPARE(db->count("Penjualan"), 0);

    QVERIFY(lain.BeginTrans());
    std::thread lepas([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      (void)lain.CommitTrans();
    });
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi");
    ModalScript m;
    m.then([](QDialog* d) { d->accept(); });
    tombol(w, "TbSimpan")->click();
    lepas.join();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Penjualan_Detail"), 1);
  }

  // Another till stored this receipt number since the sale began.
  void numberTakenMeanwhile() {
    buka();
    tombol(w, "TbBaru")->click();
    QCOMPARE(kotak(w, "TxtNoNota")->text(), Nota("0000001"));
    BarisKetik(w, "001.002.003", "1");
    typeInto(kotak(w, "TxtUBayar"), "1500");
    db->exec("INSERT INTO Penjualan VALUES ('JL-0000001','2024-03-15',99,'','LAIN')");
    db->exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.002.004',12000,1,12000)");
    ScriptedPrompter p;
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi");
    ModalScript m;
    QString teks;
    m.then([&](QDialog* d) {
      teks = static_cast<frmCetakJual*>(d)->Teks();
      d->accept();
    });
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QVERIFY(teks.contains("No Transaksi: JL-0000002"));
    QVERIFY(teks.contains("Sabun Mandi"));
    QVERIFY(!teks.contains("Pasta Gigi"));  // the other till's lines stay theirs
    QCOMPARE(db->scalar("SELECT UserID FROM Penjualan WHERE No_Nota='JL-0000001'"), QString("LAIN"));
    QCOMPARE(db->scalar("SELECT Total_Bayar FROM Penjualan WHERE No_Nota='JL-0000002'"), QString("1500"));
    QCOMPARE(db->scalar("SELECT count(*) FROM Penjualan_Detail WHERE No_Nota='JL-0000002'"), QString("1"));
  }

  void pickedInTheSearchDialog() {
    buka();
    tombol(w, "TbBaru")->click();
    typeInto(kotak(w, "TxtJumlah"), "2");  // quantity first, then the item
    ModalScript m;
    m.then([](QDialog* d) {
      auto* g = child<ui::FlexGrid>(d, "GridBarang");
      g->SetRow(2);
      emit g->DblClick();
    });
    tombol(w, "TbCari")->click();
    QCOMPARE(m.shown, QStringList({"frmCariBarang2"}));
    QCOMPARE(kotak(w, "txtKodeG")->text(), QString("001"));
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtKode")->Text(), QString("002.004"));
    QCOMPARE(kotak(w, "TxtNama")->text(), QString("PASTA GIGI"));
    QCOMPARE(kotak(w, "TxtHarga")->text(), QString("12000"));
    QCOMPARE(kotak(w, "TxtTotal")->text(), QString("24000"));
    // The cashier goes on with the quantity after a pick.
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(kotak(w, "TxtJumlah")));
  }

  // Clicked into (left of its right-aligned "0") or reached by Tab from the
  // grid, the payment box takes exactly the digits typed: never 5000000
  // for 500000.
  void paymentReplacesTheZero_data() {
    QTest::addColumn<bool>("klik");
    QTest::newRow("click") << true;
    QTest::newRow("tab from the grid") << false;
  }
  void paymentReplacesTheZero() {
    QFETCH(bool, klik);
    buka();
    QVERIFY(activate(w));
    tombol(w, "TbBaru")->click();
    BarisKetik(w, "001.002.003", "3");
    auto* bayar = kotak(w, "TxtUBayar");
    QCOMPARE(bayar->text(), QString("0"));
    if (klik) {
      QTest::mouseClick(bayar, Qt::LeftButton, Qt::NoModifier, QPoint(4, bayar->height() / 2));
    } else {
      auto* g = child<ui::FlexGrid>(w, "GridJual");
      g->setFocus();
      QTest::keyClick(g, Qt::Key_Tab);
    }
    QVERIFY(bayar->hasFocus());
    typeInto(bayar, "500000");
    QCOMPARE(bayar->text(), QString("500000"));
    QCOMPARE(kotak(w, "TxtUKembali")->text(), QString("495500"));
  }

  // Tab and Shift+Tab leave the grid to the controls beside it; the arrows
  // move between its rows. Amounts and quantities stand right-aligned.
  void gridLetsTheKeyboardThrough() {
    buka();
    QVERIFY(activate(w));
    tombol(w, "TbBaru")->click();
    BarisKetik(w, "001.002.003", "3");
    BarisKetik(w, "001.002.004", "1");
    auto* g = child<ui::FlexGrid>(w, "GridJual");
    g->setFocus();
    QCOMPARE(g->Row(), 1);
    QTest::keyClick(g, Qt::Key_Down);
    QCOMPARE(g->Row(), 2);
    QTest::keyClick(g, Qt::Key_Tab);
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(kotak(w, "TxtUBayar")));
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(tombol(w, "TbMasuk")));
    for (int c : {2, 3, 4})
      QVERIFY(Qt::Alignment(g->model()->index(0, c).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight);
    QVERIFY(!(Qt::Alignment(g->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight));
  }

  // In the search dialog: type letters, Down into the list, Down to the
  // second row, Enter picks it; the cashier goes on with the quantity.
  void pickedByKeyboardInTheSearchDialog() {
    buka();
    QVERIFY(activate(w));
    tombol(w, "TbBaru")->click();
    ModalScript m;
    m.then([](QDialog* d) {
      QVERIFY(activate(d));
      Keyboard k;
      k.type("sab");  // Sabun Mandi, Sabun Cuci
      k.key(Qt::Key_Down);
      k.key(Qt::Key_Down);
      k.key(Qt::Key_Return);
      QVERIFY(!d->isVisible());
    });
    tombol(w, "TbCari")->click();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtKode")->Text(), QString("002.007"));
    QCOMPARE(kotak(w, "TxtNama")->text(), QString("SABUN CUCI"));
    QCOMPARE(kotak(w, "TxtHarga")->text(), QString("2500"));
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(kotak(w, "TxtJumlah")));
  }

  // Pasted or composed text is what the box shows, or it is refused: a
  // negative quantity never makes a line, a 20-digit payment is refused whole
  // (never cut to the box's 15 digits) and the change is counted from exactly
  // what the box shows.
  void pastedNumbersAreWhatTheBoxShows() {
    buka();
    QVERIFY(activate(w));
    tombol(w, "TbBaru")->click();
    BeepCounter beep;
    auto* j = kotak(w, "TxtJumlah");
    QGuiApplication::clipboard()->setText("-5");
    j->setFocus();
    j->paste();
    QInputMethodEvent ime;
    ime.setCommitString("5x");
    QApplication::sendEvent(j, &ime);
    QCOMPARE(j->text(), QString());
    QCOMPARE(beep.count, 2);
    ScriptedPrompter p;
    typeInto(kotak(w, "txtKodeG"), "001");
    typeInto(child<ui::MaskEdBox>(w, "TxtKode"), "002003\r");
    p.expect("Jumlah barang masih kosong! ", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(child<ui::FlexGrid>(w, "GridJual")->TextMatrix(1, 0), QString());

    typeInto(j, "3");
    tombol(w, "TbMasuk")->click();
    auto* bayar = kotak(w, "TxtUBayar");
    bayar->setFocus();
    QGuiApplication::clipboard()->setText("12345678901234567890");
    const int bunyi = beep.count;
    bayar->paste();
    QCOMPARE(bayar->text(), QString("0"));
    QCOMPARE(beep.count, bunyi + 1);
    QCOMPARE(kotak(w, "TxtUKembali")->text(), QString("-4500"));
    bayar->selectAll();
    QGuiApplication::clipboard()->setText("123456789012345");
    bayar->paste();
    QCOMPARE(bayar->text(), QString("123456789012345"));
    QCOMPARE(kotak(w, "TxtUKembali")->text(), QString::number(123456789012345LL - 4500));
  }

  void closingQuestion() {
    buka();
    ScriptedPrompter p;
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbNo, "Exit", ui::vbQuestion);
    tombol(w, "TbKeluar")->click();
    QVERIFY(w->isVisible());
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbYes, "Exit", ui::vbQuestion);
    w->close();
    VERIFY_PROMPTS(p);
    QVERIFY(!w->isVisible());
  }
};

REGISTER_TEST(PenjualanTest);
#include "PenjualanTest.moc"
