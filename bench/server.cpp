// The store on a PostgreSQL server against raw libpq running the same
// statements, in one run: the till's item search on 100,000 items ("s", "sa",
// "sab"), a 100-line sale save, one month's per-period sales out of a
// 1,200,000-line year, and 8 tills saving sales at once.
// Needs a server: MERAPU_TEST_SERVER names its socket folder or host
// (scripts/pgcluster.sh start DIR makes a throwaway one).
#include <libpq-fe.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "BenchShop.h"  // Best
#include "ServerDb.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "toko/Dokumen.h"

namespace {

PGconn* Raw(const db::Description& d) {
  const QByteArray info = QStringLiteral("host='%1' dbname='%2'").arg(d.host, d.dbname).toUtf8();
  PGconn* c = PQconnectdb(info.constData());
  if (PQstatus(c) != CONNECTION_OK) qFatal("raw libpq: %s", PQerrorMessage(c));
  return c;
}

// One statement, every value read; its row count.
int RawRun(PGconn* c, const QByteArray& sql, long long* checksum) {
  PGresult* r = PQexecParams(c, sql.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
  const ExecStatusType st = PQresultStatus(r);
  if (st != PGRES_TUPLES_OK && st != PGRES_COMMAND_OK) qFatal("raw libpq: %s\n%s", PQerrorMessage(c), sql.constData());
  const int rows = PQntuples(r);
  for (int i = 0; i < rows; ++i)
    for (int k = 0; k < PQnfields(r); ++k) *checksum += PQgetlength(r, i, k) + (PQgetisnull(r, i, k) ? 0 : 1);
  PQclear(r);
  return rows;
}

QByteArray Engine(db::Connection& c, const QString& jet) {
  QString sql;
  if (!c.Prepare(jet, &sql)) qFatal("%s", qPrintable(c.LastError()));
  return sql.toUtf8();
}

void Line(const char* what, double ours, double raw, const char* target) {
  std::printf("  %-52s ours %9.2f ms  raw libpq %9.2f ms  ratio %.2fx (target %s)\n", what, ours, raw, ours / raw, target);
}

toko::Penjualan Sale(int lines, int n) {
  toko::Penjualan j;
  j.tanggal = QDate(2024, 3, 15);
  j.kasir = QStringLiteral("KASIR-%1").arg(n);
  for (int l = 0; l < lines; ++l) {
    j.baris << toko::BarisBarang{QStringLiteral("001.001.%1").arg(1 + (l + n) % 400, 4, 10, QLatin1Char('0')), QString(),
                                 1000, 1, 1000};
    j.total += 1000;
  }
  return j;
}

// The statements the store sends for a sale, as raw libpq sends them: the
// next number, then the save under the series' lock.
void RawSale(PGconn* c, const toko::Penjualan& j, long long* sum) {
  PGresult* r = PQexec(c, "SELECT No_Nota FROM Penjualan WHERE No_Nota ILIKE 'JL-%' ORDER BY No_Nota DESC LIMIT 1");
  const long long last = PQntuples(r) ? QByteArray(PQgetvalue(r, 0, 0)).mid(3).toLongLong() : 0;
  PQclear(r);
  const QString nota = QStringLiteral("JL-%1").arg(last + 1, 7, 10, QLatin1Char('0'));
  RawRun(c, "BEGIN", sum);
  RawRun(c, "SELECT pg_advisory_xact_lock(hashtext('penjualan'))", sum);
  r = PQexec(c, QStringLiteral("INSERT INTO Penjualan (No_Nota,Tgl_Nota,Total_Bayar,Kode_Pelanggan,UserID) VALUES "
                               "('%1','2024-03-15',%2,'','%3')").arg(nota).arg(j.total).arg(j.kasir).toUtf8().constData());
  const bool clash = PQresultStatus(r) != PGRES_COMMAND_OK;
  PQclear(r);
  if (clash) {  // taken meanwhile: again, as the store does
    RawRun(c, "ROLLBACK", sum);
    return RawSale(c, j, sum);
  }
  for (const auto& b : j.baris)
    RawRun(c, QStringLiteral("INSERT INTO Penjualan_Detail (No_Nota,Kode_Barang,Harga_Jual,Jumlah,SubTotal) VALUES "
                             "('%1','%2',%3,%4,%5)").arg(nota, b.kode).arg(b.harga).arg(b.jumlah).arg(b.subtotal).toUtf8(), sum);
  QList<toko::BarisBarang> urut = j.baris;
  std::stable_sort(urut.begin(), urut.end(), [](const auto& a, const auto& b) { return a.kode < b.kode; });
  for (const auto& b : urut)
    RawRun(c, QStringLiteral("UPDATE Barang SET Stok=Stok - %1 WHERE Kode_Barang='%2'").arg(b.jumlah).arg(b.kode).toUtf8(), sum);
  RawRun(c, "COMMIT", sum);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (!testsupport::OnServer()) {
    std::printf("server benchmark: set MERAPU_TEST_SERVER to a PostgreSQL socket folder or host\n");
    return 1;
  }
  const db::Description d = testsupport::FreshServerDatabase();
  auto conn = std::make_shared<db::Connection>();
  if (!conn->Open(d)) qFatal("%s", qPrintable(conn->LastError()));
  // 100,000 items named as a shop names them; 100,000 sales of 12 lines over a year.
  const bool filled = conn->ExecRaw(R"(
    INSERT INTO Grup VALUES ('001', 'UMUM');
    INSERT INTO Produk SELECT lpad(p::text, 3, '0'), '001', 'PRODUK ' || p FROM generate_series(1, 100) p;
    INSERT INTO Barang SELECT '001.' || lpad((i % 100 + 1)::text, 3, '0') || '.' || lpad((i / 100 + 1)::text, 4, '0'),
        lpad((i % 100 + 1)::text, 3, '0'),
        (ARRAY['Sabun Mandi','Sampo','Pasta Gigi','Sikat Gigi','Minyak Goreng','Gula Pasir','Kopi Bubuk','Teh Celup',
               'Beras','Mie Instan','Susu Kental','Kecap Manis','Saus Sambal','Tepung Terigu','Deterjen','Pewangi',
               'Biskuit','Roti Tawar','Air Mineral','Sarden'])[i % 20 + 1] || ' ' ||
        (ARRAY['Lestari','Sinar','Cahaya','Bintang','Mawar','Melati','Garuda','Rajawali','Sentosa','Abadi','Jaya',
               'Makmur','Sehat','Segar','Harum','Indah'])[(i / 20) % 16 + 1] || ' ' || (i / 320) % 10,
        'PCS', 1000 + i % 5000, 1500 + i % 5000 - CASE WHEN i % 17 = 0 THEN 1000 ELSE 0 END, 100000 + i % 23
      FROM generate_series(0, 99999) i;
    INSERT INTO Penjualan SELECT 'JL-' || lpad(s::text, 7, '0'), DATE '2023-01-01' + (s % 365), 12000, '', 'KASIR'
      FROM generate_series(1, 100000) s;
    INSERT INTO Penjualan_Detail (No_Nota, Kode_Barang, Harga_Jual, Jumlah, SubTotal)
      SELECT 'JL-' || lpad(s::text, 7, '0'), '001.' || lpad((l % 100 + 1)::text, 3, '0') || '.' || lpad((s % 400 + 1)::text, 4, '0'),
             1000, 1, 1000 FROM generate_series(1, 100000) s, generate_series(1, 12) l;
    ANALYZE;)");
  if (!filled) qFatal("%s", qPrintable(conn->LastError()));
  PGconn* raw = Raw(d);
  long long sum = 0;
  std::printf("server benchmarks (%s); best of 5 unless said\n", qPrintable(d.Target()));

  // 1. Item search: the till's three queries, every row read.
  {
    QStringList jets;
    for (const char* t : {"s", "sa", "sab"})
      jets << QStringLiteral("SELECT Barang.*, Grup.*  FROM Grup, Produk,Barang  WHERE Grup.Kode_Grup=Produk.Kode_Grup "
                             " AND Produk.Kode_Produk=Barang.Kode_Produk  AND Barang.Stok <> 0  AND Barang.Harga_Jual > "
                             "Barang.Harga_Beli AND Barang.Nama_Barang LIKE ") + db::Quote(QStringLiteral("%") + t + "%");
    std::vector<double> ours, theirs;
    int rows[3] = {0, 0, 0};
    for (int rep = 0; rep < 5; ++rep) {
      QElapsedTimer t;
      t.start();
      for (int k = 0; k < 3; ++k) {
        db::Recordset rs;
        if (!rs.Open(jets[k], conn)) qFatal("%s", qPrintable(rs.LastError()));
        for (; !rs.Eof(); rs.MoveNext()) sum += rs.Text(2).size();
        rows[k] = rs.RecordCount();
      }
      ours.push_back(t.nsecsElapsed() / 1e6);
      t.restart();
      for (int k = 0; k < 3; ++k)
        if (RawRun(raw, Engine(*conn, jets[k]), &sum) != rows[k]) qFatal("row counts differ");
      theirs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("item search on 100,000 items, \"s\", \"sa\", \"sab\" -> %d, %d, %d rows (LIKE as ILIKE on citext)\n",
                rows[0], rows[1], rows[2]);
    Line("three searches, every row read", bench::Best(ours), bench::Best(theirs), "<= 3x");
  }

  // 2. A 100-line sale.
  {
    std::vector<double> ours, theirs;
    for (int rep = 0; rep < 5; ++rep) {
      toko::Penjualan j = Sale(100, rep);
      QElapsedTimer t;
      t.start();
      j.nomor = toko::NomorBerikut(conn, toko::SeriPenjualan).nomor;
      const toko::HasilSimpan h = toko::Simpan(conn, j);
      if (!h.ok()) qFatal("%s", qPrintable(h.error.message));
      ours.push_back(t.nsecsElapsed() / 1e6);
      t.restart();
      RawSale(raw, j, &sum);
      theirs.push_back(t.nsecsElapsed() / 1e6);
    }
    Line("100-line sale save (number, lines, stock)", bench::Best(ours), bench::Best(theirs), "<= 1.5x");
  }

  // 3. One month's per-period sales out of the year.
  {
    const QString jet =
        " SELECT Penjualan.No_Nota, Penjualan.Tgl_Nota,  Penjualan_Detail.Kode_Barang, Barang.Nama_Barang, "
        " Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah,  Penjualan_Detail.Subtotal   FROM Barang, Penjualan, "
        "Penjualan_Detail  WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota  AND Barang.Kode_Barang = "
        "Penjualan_Detail.Kode_Barang  AND (Penjualan.Tgl_Nota >= #2023-03-01# AND Penjualan.Tgl_Nota <= "
        "#2023-03-31# ) ORDER BY Penjualan.No_Nota, Barang.Kode_Barang";
    std::vector<double> ours, theirs;
    int rows = 0;
    for (int rep = 0; rep < 3; ++rep) {
      QElapsedTimer t;
      t.start();
      db::Recordset rs;
      if (!rs.Open(jet, conn)) qFatal("%s", qPrintable(rs.LastError()));
      for (; !rs.Eof(); rs.MoveNext()) sum += rs.Int("Jumlah");
      rows = rs.RecordCount();
      ours.push_back(t.nsecsElapsed() / 1e6);
      t.restart();
      if (RawRun(raw, Engine(*conn, jet), &sum) != rows) qFatal("row counts differ");
      theirs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("per-period sales of March out of 1,200,000 lines -> %d rows, best of 3\n", rows);
    Line("the month's rows into the record set", bench::Best(ours), bench::Best(theirs), "<= 3x");
  }

  // 4. Eight tills at once, each its own connection.
  {
    const int tills = 8, sales = 60;
    auto run = [&](bool store) {
      std::atomic<int> done{0};
      QElapsedTimer t;
      t.start();
      std::vector<std::thread> th;
      for (int k = 0; k < tills; ++k)
        th.emplace_back([&, k] {
          long long s = 0;
          if (store) {
            auto c = std::make_shared<db::Connection>();
            if (!c->Open(d)) return;
            for (int n = 0; n < sales; ++n) {
              toko::Penjualan j = Sale(3, k * 1000 + n);
              j.nomor = toko::NomorBerikut(c, toko::SeriPenjualan).nomor;
              if (toko::Simpan(c, j).ok()) ++done;
            }
          } else {
            PGconn* c = Raw(d);
            for (int n = 0; n < sales; ++n) {
              RawSale(c, Sale(3, k * 1000 + n), &s);
              ++done;
            }
            PQfinish(c);
          }
        });
      for (auto& x : th) x.join();
      if (done != tills * sales) qFatal("only %d sales stored", int(done));
      return done / (t.nsecsElapsed() / 1e9);
    };
    double ours = 0, theirs = 0;
    for (int rep = 0; rep < 3; ++rep) {
      ours = std::max(ours, run(true));
      theirs = std::max(theirs, run(false));
    }
    std::printf("8 tills x %d sales of 3 lines at once, best of 3\n", sales);
    std::printf("  %-52s ours %9.1f /s  raw libpq %9.1f /s  ratio %.2f (target >= 0.67)\n", "sales per second", ours,
                theirs, ours / theirs);
  }
  std::printf("(checksum %lld)\n", sum);
  PQfinish(raw);
  conn->Close();
  testsupport::DropServerDatabase(d);
  return 0;
}
