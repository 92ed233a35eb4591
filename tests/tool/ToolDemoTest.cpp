// The demo shop: enough believable rows that every screen and report shows
// something, with codes in their formats and figures that add up.
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "base/DateText.h"
#include "ToolRun.h"
#include "TestSupport.h"
#include "db/Connection.h"
#include "db/Password.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "toko/Barcode.h"

using namespace tooltest;

namespace {

const QDate kLastDay(2024, 3, 15);

// Every row of a query, opened and checked.
std::unique_ptr<db::Recordset> query(const db::ConnectionPtr& conn, const QString& sql) {
  auto rs = std::make_unique<db::Recordset>();
  if (!rs->Open(sql, conn)) qWarning("query failed: %s: %s", qPrintable(sql), qPrintable(rs->LastError()));
  return rs;
}

// Codes prefix + serial must run 1, 2, 3 ... in the order given.
bool consecutive(const QStringList& codes, int prefixLength, QString* why) {
  for (int i = 0; i < codes.size(); ++i)
    if (codes[i].mid(prefixLength).toInt() != i + 1) {
      *why = QString("code %1 at position %2").arg(codes[i]).arg(i + 1);
      return false;
    }
  return true;
}

}  // namespace

class ToolDemoTest : public QObject {
  Q_OBJECT

  std::unique_ptr<NewShop> shop_;
  db::ConnectionPtr conn_;
  ToolResult made_;

  QStringList codes(const QString& sql, const QString& field) {
    QStringList out;
    auto rs = query(conn_, sql);
    for (; !rs->Eof(); rs->MoveNext()) out << rs->Text(field);
    return out;
  }

 private slots:
  void initTestCase() {
    shop_ = std::make_unique<NewShop>();
    made_ = runTool(QStringList{"create", "--demo"} + shop_->createArgs() +
                    QStringList{"--today", kLastDay.toString("yyyy-MM-dd")});
    QVERIFY2(made_.exitCode == 0, qPrintable(made_.err));
    conn_ = openDb(shop_->where());
    QVERIFY(conn_);
  }
  void cleanupTestCase() {
    conn_.reset();
    shop_.reset();
  }

  void reportsWhatItMadeAndTheLogins() {
    QVERIFY2(made_.err.isEmpty(), qPrintable(made_.err));
    QCOMPARE(made_.outLines().size(), 1);
    QVERIFY2(made_.out.contains(shop_->where().Target()), qPrintable(made_.out));
    QVERIFY2(made_.out.contains("ADMIN admin / admin") && made_.out.contains("KASIR kasir / kasir"),
             qPrintable(made_.out));
    const QString items = QString("%1 items").arg(count(conn_, "SELECT * FROM Barang"));
    QVERIFY2(made_.out.contains(items), qPrintable(made_.out));
  }

  void hasOneAdminAndOneCashier() {
    QCOMPARE(count(conn_, "SELECT * FROM Pengguna"), 2);
    auto rs = query(conn_, "SELECT * FROM Pengguna ORDER BY Level");
    QCOMPARE(rs->RecordCount(), 2);
    QCOMPARE(rs->Text("UserId") + "/" + rs->Text("Level"), QString("admin/ADMIN"));
    QVERIFY(db::IsPasswordHash(rs->Text("PassId")) && db::PasswordMatches(rs->Text("PassId"), "admin"));
    QCOMPARE(rs->Text("Nama"), rs->Text("Nama").toUpper());
    rs->MoveNext();
    QCOMPARE(rs->Text("UserId") + "/" + rs->Text("Level"), QString("kasir/KASIR"));
    QVERIFY(db::IsPasswordHash(rs->Text("PassId")) && db::PasswordMatches(rs->Text("PassId"), "kasir"));
    QCOMPARE(rs->Text("Nama"), rs->Text("Nama").toUpper());
  }

  void masterCodesFollowTheirFormats() {
    QString why;
    const QStringList groups = codes("SELECT * FROM Grup ORDER BY Kode_Grup", "Kode_Grup");
    QVERIFY(groups.size() >= 3);
    for (const QString& g : groups) QVERIFY2(QRegularExpression("^[A-Z]{3}$").match(g).hasMatch(), qPrintable(g));

    // Products: group code + "." + serial from 001 within each group; items
    // likewise under their product.
    const struct { QString table, code, parent, parentTable, parentCode; int minimum; } levels[] = {
        {"Produk", "Kode_Produk", "Kode_Grup", "Grup", "Kode_Grup", 6},
        {"Barang", "Kode_Barang", "Kode_Produk", "Produk", "Kode_Produk", 30},
    };
    for (const auto& l : levels) {
      QHash<QString, QStringList> byParent;
      auto rs = query(conn_, "SELECT * FROM " + l.table + " ORDER BY " + l.code);
      QVERIFY2(rs->RecordCount() >= l.minimum, qPrintable(l.table));
      for (; !rs->Eof(); rs->MoveNext()) {
        const QString code = rs->Text(l.code), parent = rs->Text(l.parent);
        QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(parent) + "\\.\\d{3}$").match(code).hasMatch(),
                 qPrintable(code + " under " + parent));
        byParent[parent] << code;
      }
      for (auto it = byParent.begin(); it != byParent.end(); ++it) {
        QCOMPARE(count(conn_, "SELECT * FROM " + l.parentTable + " WHERE " + l.parentCode + "=" + db::Quote(it.key())), 1);
        QVERIFY2(consecutive(it.value(), it.key().size() + 1, &why), qPrintable(why));
      }
      // Every parent has children, so every group report has rows.
      QCOMPARE(byParent.size(), count(conn_, "SELECT * FROM " + l.parentTable));
    }

    for (const auto& [table, field, prefix] : {std::tuple{"Pemasok", "Kode_Pemasok", "PS"},
                                               std::tuple{"Pelanggan", "Kode_Pelanggan", "PG"}}) {
      const QStringList list = codes(QString("SELECT * FROM %1 ORDER BY %2").arg(table, field), field);
      QVERIFY(list.size() >= 3);
      for (const QString& c : list) QVERIFY2(QRegularExpression(QString("^%1\\d{3}$").arg(prefix)).match(c).hasMatch(), qPrintable(c));
      QVERIFY2(consecutive(list, 2, &why), qPrintable(why));
    }
    // Telephone numbers as the masked box stores them.
    const QRegularExpression masked("^\\[.{4}\\]-.{8}$");
    for (const QString& t : codes("SELECT * FROM Pelanggan", "No_Telepon") + codes("SELECT * FROM Pemasok", "No_Telepon") +
                                codes("SELECT * FROM Pemasok", "No_Fax"))
      QVERIFY2(masked.match(t).hasMatch(), qPrintable(t));
  }

  void itemsHaveUnitsPricesAndStock() {
    const QSet<QString> units = {"Set", "Unit", "Pasang", "Kardus", "Paket"};
    int profitable = 0, notProfitable = 0, empty = 0, total = 0;
    QSet<QString> unitsUsed;
    auto rs = query(conn_, "SELECT * FROM Barang");
    for (; !rs->Eof(); rs->MoveNext(), ++total) {
      QVERIFY2(units.contains(rs->Text("Satuan")), qPrintable(rs->Text("Satuan")));
      unitsUsed << rs->Text("Satuan");
      QVERIFY(!rs->Text("Nama_Barang").isEmpty());
      QVERIFY(rs->Int("Harga_Beli") > 0);
      QVERIFY(rs->Int("Harga_Jual") > 0);
      QVERIFY2(rs->Int("Stok") >= 0, qPrintable(rs->Text("Kode_Barang")));
      (rs->Int("Harga_Jual") > rs->Int("Harga_Beli") ? profitable : notProfitable)++;
      if (rs->Int("Stok") == 0) ++empty;
    }
    QVERIFY(total >= 30);
    QVERIFY(unitsUsed.size() >= 4);
    QVERIFY2(profitable > 3 * notProfitable && notProfitable >= 2, qPrintable(QString("%1/%2").arg(profitable).arg(notProfitable)));
    QVERIFY(empty >= 2);
    // The till's search dialog has plenty to offer.
    QVERIFY(count(conn_, "SELECT * FROM Barang WHERE Stok > 0 AND Harga_Jual > Harga_Beli") >= 20);
  }

  // Most goods carry a barcode a scanner reads: EAN-13 with a right check
  // digit, each naming one stored item.
  void mostItemsHaveBarcodes() {
    auto rs = query(conn_, "SELECT * FROM Barcode");
    QSet<QString> items;
    for (; !rs->Eof(); rs->MoveNext()) {
      const QString kode = rs->Text("Kode");
      QVERIFY2(toko::Jenis(kode) == toko::JenisBarcode::Ean13 && toko::DigitBenar(kode), qPrintable(kode));
      QCOMPARE(count(conn_, "SELECT * FROM Barang WHERE Kode_Barang=" + db::Quote(rs->Text("Kode_Barang"))), 1);
      items << rs->Text("Kode_Barang");
    }
    QVERIFY2(items.size() * 4 > 3 * count(conn_, "SELECT * FROM Barang"), qPrintable(QString::number(items.size())));
  }

  void documentsAddUpToTheirLines_data() {
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("price");
    QTest::newRow("sales") << "Penjualan" << "Penjualan_Detail" << "No_Nota" << "JL-" << "Total_Bayar" << "Harga_Jual";
    QTest::newRow("purchases") << "Pembelian" << "Pembelian_Detail" << "No_Masuk" << "BL-" << "Total" << "Harga_Beli";
  }
  void documentsAddUpToTheirLines() {
    QFETCH(QString, header);
    QFETCH(QString, detail);
    QFETCH(QString, key);
    QFETCH(QString, prefix);
    QFETCH(QString, total);
    QFETCH(QString, price);
    const QStringList docs = codes("SELECT * FROM " + header + " ORDER BY " + key, key);
    QVERIFY(docs.size() >= (prefix == "JL-" ? 40 : 5));
    QString why;
    for (const QString& d : docs) QVERIFY2(QRegularExpression("^" + prefix + "\\d{7}$").match(d).hasMatch(), qPrintable(d));
    QVERIFY2(consecutive(docs, 3, &why), qPrintable(why));

    QHash<QString, qint64> sums;
    QHash<QString, int> lines;
    auto rs = query(conn_, "SELECT * FROM " + detail);
    for (; !rs->Eof(); rs->MoveNext()) {
      const QString item = rs->Text("Kode_Barang");
      QVERIFY(rs->Int("Jumlah") > 0);
      QCOMPARE(rs->Int("SubTotal"), rs->Int(price) * rs->Int("Jumlah"));
      QCOMPARE(count(conn_, "SELECT * FROM Barang WHERE Kode_Barang=" + db::Quote(item)), 1);
      sums[rs->Text(key)] += rs->Int("SubTotal");
      ++lines[rs->Text(key)];
    }
    QCOMPARE(lines.size(), docs.size());  // no document without lines, no stray lines
    rs = query(conn_, "SELECT * FROM " + header);
    for (; !rs->Eof(); rs->MoveNext()) {
      QVERIFY2(lines.contains(rs->Text(key)), qPrintable(rs->Text(key)));
      QCOMPARE(rs->Int(total), sums[rs->Text(key)]);
      QVERIFY(count(conn_, "SELECT * FROM Pengguna WHERE UserId=" + db::Quote(rs->Text("UserID"))) == 1);
    }
    if (header == "Penjualan") {
      // Sold at the item's selling price, by both logins, with no customer (as the till does).
      QCOMPARE(count(conn_, "SELECT * FROM Penjualan_Detail, Barang WHERE Penjualan_Detail.Kode_Barang = "
                            "Barang.Kode_Barang AND Penjualan_Detail.Harga_Jual <> Barang.Harga_Jual"), 0);
      QCOMPARE(count(conn_, "SELECT * FROM Penjualan WHERE Kode_Pelanggan <> ''"), 0);
      QVERIFY(count(conn_, "SELECT * FROM Penjualan WHERE UserID = 'kasir'") > docs.size() / 2);
    } else {
      // Only an ADMIN may buy; suppliers exist.
      QCOMPARE(count(conn_, "SELECT * FROM Pembelian WHERE UserID <> 'admin'"), 0);
      QCOMPARE(count(conn_, "SELECT * FROM Pembelian, Pemasok WHERE Pembelian.Kode_Pemasok=Pemasok.Kode_Pemasok"),
               docs.size());
    }
  }

  void stockNeverGoesBelowZeroOverTheWeeks() {
    // Replaying the trade backwards from today's stock: what was there before
    // the first day, and at no point were more units sold than there were.
    auto items = query(conn_, "SELECT * FROM Barang");
    for (; !items->Eof(); items->MoveNext()) {
      const QString code = items->Text("Kode_Barang");
      struct Move { QDate day; int order; qint64 qty; };
      QList<Move> moves;
      auto buys = query(conn_, "SELECT Pembelian.Tgl_Masuk, Pembelian_Detail.Jumlah FROM Pembelian, Pembelian_Detail "
                               "WHERE Pembelian.No_Masuk = Pembelian_Detail.No_Masuk AND Pembelian_Detail.Kode_Barang = " +
                                   db::Quote(code));
      for (; !buys->Eof(); buys->MoveNext()) moves.append({buys->Date("Tgl_Masuk"), 0, buys->Int("Jumlah")});
      auto sales = query(conn_, "SELECT Penjualan.Tgl_Nota, Penjualan_Detail.Jumlah FROM Penjualan, Penjualan_Detail "
                                "WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota AND Penjualan_Detail.Kode_Barang = " +
                                    db::Quote(code));
      for (; !sales->Eof(); sales->MoveNext()) moves.append({sales->Date("Tgl_Nota"), 1, -sales->Int("Jumlah")});
      std::sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
        return a.day != b.day ? a.day < b.day : a.order < b.order;
      });
      qint64 level = items->Int("Stok");
      for (const Move& m : moves) level -= m.qty;
      QVERIFY2(level >= 0, qPrintable(code));
      for (const Move& m : moves) {
        QVERIFY(m.day.isValid());
        level += m.qty;
        QVERIFY2(level >= 0, qPrintable(code + " on " + m.day.toString(Qt::ISODate)));
      }
    }
  }

  void ledgerHasMoneyInAndOut() {
    QString why;
    const QStringList entries = codes("SELECT * FROM Rekening ORDER BY kode", "kode");
    QVERIFY(entries.size() >= 15);
    for (const QString& e : entries) QVERIFY2(QRegularExpression("^RK-\\d{7}$").match(e).hasMatch(), qPrintable(e));
    QVERIFY2(consecutive(entries, 3, &why), qPrintable(why));
    const int debet = count(conn_, "SELECT * FROM Rekening WHERE dk = \"DEBET\"");
    const int kredit = count(conn_, "SELECT * FROM Rekening WHERE dk = 'KREDIT'");
    QVERIFY(debet >= 5);
    QVERIFY(kredit >= 5);
    QCOMPARE(debet + kredit, entries.size());
    QCOMPARE(count(conn_, "SELECT * FROM Rekening WHERE jumlah <= 0 OR transaksi = ''"), 0);
  }

  void tradeIsSpreadOverRecentWeeksUpToTheLastDay() {
    const struct { const char* sql; const char* code; const char* date; } docs[] = {
        {"SELECT * FROM Penjualan ORDER BY No_Nota", "No_Nota", "Tgl_Nota"},
        {"SELECT * FROM Pembelian ORDER BY No_Masuk", "No_Masuk", "Tgl_Masuk"},
        {"SELECT * FROM Rekening ORDER BY kode", "kode", "tanggal"},
    };
    for (const auto& d : docs) {
      auto rs = query(conn_, d.sql);
      QSet<int> weeks;
      QDate previous;
      for (; !rs->Eof(); rs->MoveNext()) {
        const QDate day = rs->Date(d.date);
        QVERIFY2(day.isValid() && day <= kLastDay && day > kLastDay.addDays(-42), qPrintable(rs->Text(d.code)));
        QVERIFY2(!previous.isValid() || previous <= day, qPrintable(rs->Text(d.code) + ": numbers rise with the dates"));
        previous = day;
        weeks << int(day.daysTo(kLastDay) / 7);
      }
      QVERIFY2(weeks.size() >= 4, d.sql);
      QCOMPARE(previous, kLastDay);
    }
  }

  void everyReportFindsRows() {
    // The reports put the picked dates between # marks in the short form of
    // the system's locale.
    QLocale::setDefault(QLocale(QLocale::Indonesian, QLocale::Indonesia));
    auto day = [](const QDate& d) { return "#" + base::ShortDateText(d) + "#"; };
    const QDate from = kLastDay.addDays(-13);
    const QString salesLines =
        " SELECT Penjualan.No_Nota, Penjualan.Tgl_Nota,  Penjualan_Detail.Kode_Barang, Barang.Nama_Barang, "
        " Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah,  Penjualan_Detail.Subtotal   FROM Barang, Penjualan, "
        "Penjualan_Detail  WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota  AND Barang.Kode_Barang = "
        "Penjualan_Detail.Kode_Barang ";
    const QString buyLines =
        " SELECT Pembelian.No_Masuk, Pembelian.Tgl_Masuk,  Pembelian_Detail.Kode_Barang, Barang.Nama_Barang, "
        " Pembelian_Detail.Harga_Beli, Pembelian_Detail.Jumlah,  Pembelian_Detail.Subtotal   FROM Barang, Pembelian, "
        "Pembelian_Detail  WHERE Pembelian.No_Masuk = Pembelian_Detail.No_Masuk  AND Barang.Kode_Barang = "
        "Pembelian_Detail.Kode_Barang ";
    const QStringList reports = {
        salesLines + " AND Penjualan.Tgl_Nota = " + day(kLastDay) + " ORDER BY Penjualan.No_Nota, Barang.Kode_Barang",
        salesLines + " AND (Penjualan.Tgl_Nota >= " + day(from) + " AND Penjualan.Tgl_Nota <= " + day(kLastDay) +
            " )",
        buyLines + " AND Pembelian.Tgl_Masuk >= " + day(from) + " AND Pembelian.Tgl_Masuk <= " + day(kLastDay),
        " SELECT * FROM Rekening WHERE tanggal = " + day(kLastDay) + " AND dk = 'DEBET'  ORDER BY kode",
        " SELECT * FROM Rekening WHERE tanggal = " + day(kLastDay) + " AND dk = 'KREDIT'  ORDER BY kode",
        " SELECT * FROM Rekening WHERE dk = 'DEBET'  AND (tanggal >= " + day(from) + " AND tanggal <= " +
            day(kLastDay) + " ) ORDER BY kode",
        " SELECT * FROM Rekening WHERE dk = 'KREDIT'  AND (tanggal >= " + day(from) + " AND tanggal <= " +
            day(kLastDay) + " ) ORDER BY kode",
        " SELECT Barang.*, Grup.Nama_Grup  FROM Grup,Produk,Barang  WHERE Grup.Kode_Grup=Produk.Kode_Grup "
        " AND Produk.Kode_Produk = Barang.Kode_Produk  AND Grup.Nama_Grup='ELEKTRONIK'",
    };
    for (const QString& sql : reports) {
      const int rows = count(conn_, sql);
      if (rows <= 0) QLocale::setDefault(QLocale::system());
      QVERIFY2(rows > 0, qPrintable(sql));
    }
    QLocale::setDefault(QLocale::system());
  }

  void demoEndsTodayByDefault() {
    NewShop shop("demo.mdb");
    const QDate today = QDate::currentDate();
    QCOMPARE(runTool(QStringList{"create", "--demo"} + shop.createArgs()).exitCode, 0);
    db::ConnectionPtr conn = openDb(shop.where());
    QVERIFY(conn);
    auto rs = query(conn, "SELECT * FROM Penjualan ORDER BY No_Nota");
    QVERIFY(rs->RecordCount() > 0);
    rs->MoveLast();
    QVERIFY(rs->Date("Tgl_Nota") >= today);
    rs->MoveFirst();
    QVERIFY(rs->Date("Tgl_Nota") >= today.addDays(-42));
  }

  void demoWithAnAdminOfItsOwn() {
    NewShop shop("demo.mdb");
    const ToolResult r = runTool(QStringList{"create", "--demo"} + shop.createArgs() +
                                 QStringList{"--admin-user", "pemilik", "--admin-password", "r4h4s!a"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(!r.out.contains("r4h4s!a"));
    db::ConnectionPtr conn = openDb(shop.where());
    QVERIFY(conn);
    auto admin = query(conn, "SELECT * FROM Pengguna WHERE UserId='pemilik' AND Level='ADMIN'");
    QCOMPARE(admin->RecordCount(), 1);
    QVERIFY(db::PasswordMatches(admin->Text("PassId"), "r4h4s!a"));
    QCOMPARE(count(conn, "SELECT * FROM Pengguna WHERE Level='ADMIN'"), 1);
    QCOMPARE(count(conn, "SELECT * FROM Pengguna WHERE UserId='kasir' AND Level='KASIR'"), 1);
    // Purchases are booked to the shop's own ADMIN.
    QCOMPARE(count(conn, "SELECT * FROM Pembelian WHERE UserID <> 'pemilik'"), 0);
  }
};

REGISTER_TEST(ToolDemoTest);
#include "ToolDemoTest.moc"
