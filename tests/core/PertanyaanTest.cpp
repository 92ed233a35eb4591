// Questions whose Yes throws data away or replaces it have No as the button
// Enter presses; the others keep Yes.
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "TestSupport.h"
#include "core/mdlUtama.h"
#include "db/Backup.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

namespace {

struct Layar {
  std::unique_ptr<QDialog> w;
  explicit Layar(const char* nama) : w(ui::CreateWindow(QString::fromLatin1(nama))) {
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
  }
  QPushButton* tombol(const char* n) const { return child<QPushButton>(w.get(), n); }
  QLineEdit* kotak(const char* n) const { return child<QLineEdit>(w.get(), n); }
};

// A master screen with its first row loaded, then the delete asked for.
void Hapus(const char* layar) {
  Layar s(layar);
  doubleClickRow(s.w->findChild<ui::FlexGrid*>(), 1);
  s.tombol("TbHapus")->click();
}

// The till or the purchase with one line of item 001.001.001.
void DenganBaris(const Layar& s, bool pembelian) {
  s.tombol("TbBaru")->click();
  if (pembelian) {
    auto* p = child<QComboBox>(s.w.get(), "cmbPemasok");
    p->setCurrentIndex(0);
    emit p->activated(0);
    s.kotak("TxtHBeli")->setText("900");
  }
  typeInto(s.kotak("txtKodeG"), "001");
  typeInto(child<ui::MaskEdBox>(s.w.get(), "TxtKode"), "001001\r");
  s.kotak("TxtJumlah")->setText("2");
  s.tombol("TbMasuk")->click();
}

struct Kasus {
  const char* nama;
  const char* tanya;  // the question's first words
  int awal;           // its default button
  std::function<void()> jalan;
};

const QList<Kasus>& Semua() {
  static const QList<Kasus> k{
      {"delete a group", "YAKIN AKAN MENGHAPUS DATA INI?", ui::vbDefaultButton2, [] { Hapus("frmGrup"); }},
      {"delete a product", "YAKIN AKAN MENGHAPUS DATA INI?", ui::vbDefaultButton2, [] { Hapus("frmProduk"); }},
      {"delete an item", "YAKIN AKAN MENGHAPUS DATA INI?", ui::vbDefaultButton2, [] { Hapus("frmBarang"); }},
      {"delete a customer", "YAKIN AKAN MENGHAPUS DATA INI?", ui::vbDefaultButton2, [] { Hapus("frmPelanggan"); }},
      {"delete a supplier", "YAKIN AKAN MENGHAPUS DATA INI?", ui::vbDefaultButton2, [] { Hapus("frmPemasok"); }},
      {"delete a user", "YAKIN AKAN MENGHAPUS DATA INI?", ui::vbDefaultButton2, [] { Hapus("frmPengguna"); }},
      {"restore a backup", "DATA SEKARANG AKAN DIGANTI DENGAN BACKUP", ui::vbDefaultButton2,
       [] {
         QString tujuan, sebab;
         QVERIFY2(mdlUtama::BuatBackup(&tujuan, &sebab), qPrintable(sebab));
         Layar s("frmBackup");
         s.tombol("TbPulihkan")->click();
       }},
      {"close the till during a sale", "YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbDefaultButton2,
       [] {
         Layar s("frmPenjualan");
         s.tombol("TbBaru")->click();
         s.w->close();
       }},
      {"close the purchase with a document open", "YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbDefaultButton2,
       [] {
         Layar s("frmPembelian");
         s.tombol("TbBaru")->click();
         s.w->close();
       }},
      {"close the ledger with an entry open", "YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbDefaultButton2,
       [] {
         Layar s("frmTransaksi");
         s.tombol("TbBaru")->click();
         s.w->close();
       }},
      {"cancel a sale with lines", "YAKIN AKAN MEMBATALKAN TRANSAKSI INI..?", ui::vbDefaultButton2,
       [] {
         Layar s("frmPenjualan");
         DenganBaris(s, false);
         s.tombol("TbKeluar")->click();
       }},
      {"cancel a purchase with lines", "YAKIN AKAN MEMBATALKAN TRANSAKSI INI..?", ui::vbDefaultButton2,
       [] {
         Layar s("frmPembelian");
         DenganBaris(s, true);
         s.tombol("TbKeluar")->click();
       }},
      // Yes loses nothing here, or confirms what the person typed.
      {"close the till at rest", "YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbDefaultButton1,
       [] {
         Layar s("frmPenjualan");
         s.tombol("TbKeluar")->click();
       }},
      {"change a group's name", "AKAN MERUBAH DATA GRUP?", ui::vbDefaultButton1,
       [] {
         Layar s("frmGrup");
         doubleClickRow(s.w->findChild<ui::FlexGrid*>(), 1);
         s.kotak("txtNama")->setText("ALAT TULIS KANTOR");
         s.tombol("TbSimpan")->click();
       }},
  };
  return k;
}

}  // namespace

class PertanyaanTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    db = new TempDb;
    // The first row of each list is named by nothing, so it may be deleted.
    db->exec("INSERT INTO Grup VALUES ('002','KOSONG')");
    db->exec("INSERT INTO Grup VALUES ('001','ALAT TULIS')");
    db->exec("INSERT INTO Produk VALUES ('001.002','001','PENA')");
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    db->exec("INSERT INTO Barang VALUES ('001.001.001','001.001','PENSIL 2B','Unit',1000,1500,10)");
    db->exec("INSERT INTO Pelanggan VALUES ('PG001','TOKO ANDA','Jl. Pasar 1','[0361]-234567__')");
    db->exec("INSERT INTO Pemasok VALUES ('PS001','UD MAKMUR','Jl. Gudang 2','Denpasar','Bali','','','Wayan')");
    db->exec("INSERT INTO Pengguna VALUES ('ADM','rahasia','BUDI','ADMIN')");
    db->exec("INSERT INTO Pengguna VALUES ('BOS','b0ss','PAK BOS','ADMIN')");
    mdlUtama::UserAktif = "ADM";
    // The till's float of the day is typed already.
    db->exec("INSERT INTO Kas_Awal VALUES ('ADM','" + ui::Today().toString("yyyy-MM-dd") + "',0)");
  }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void questionsThatLoseDataDefaultToNo_data() {
    QTest::addColumn<int>("i");
    for (int i = 0; i < Semua().size(); ++i) QTest::newRow(Semua()[i].nama) << i;
  }
  void questionsThatLoseDataDefaultToNo() {
    QFETCH(int, i);
    const Kasus& k = Semua()[i];
    QList<ui::Message> seen;
    const ui::Prompter semula = ui::CurrentPrompter();
    ui::SetPrompter([&](const ui::Message& m) {
      seen << m;
      return m.buttons == ui::vbYesNo ? int(ui::vbNo) : int(ui::vbOK);
    });
    k.jalan();
    ui::SetPrompter(semula);
    QStringList teks;
    for (const ui::Message& m : seen) teks << m.text;
    const auto it = std::find_if(seen.cbegin(), seen.cend(),
                                 [&](const ui::Message& m) { return m.text.startsWith(QLatin1String(k.tanya)); });
    QVERIFY2(it != seen.cend(), qPrintable(teks.join(" | ")));
    QCOMPARE(it->buttons, int(ui::vbYesNo));
    QCOMPARE(it->defaultButton, k.awal);
  }
};

REGISTER_TEST(PertanyaanTest);
#include "PertanyaanTest.moc"
