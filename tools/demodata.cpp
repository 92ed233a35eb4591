#include "demodata.h"

#include <QStringList>
#include <algorithm>
#include <iterator>
#include <random>
#include <vector>

#include "db/Connection.h"
#include "db/Password.h"
#include "db/Sql.h"

namespace demodata {
namespace {

struct Group { const char* code; const char* name; };
struct Product { const char* code; const char* name; };
struct Item {
  const char* code;
  const char* name;
  const char* unit;
  qint64 buy;
  qint64 sell;
  qint64 opening;  // stock before the first day of the demo; 0 = never stocked
};
struct Party {
  const char* code;
  const char* name;
  const char* address;
  const char* city;
  const char* province;
  const char* phone;
  const char* fax;
  const char* contact;
};

const Group kGroups[] = {
    {"ELK", "ELEKTRONIK"},
    {"ATK", "ALAT TULIS KANTOR"},
    {"RTG", "PERALATAN RUMAH TANGGA"},
    {"PRK", "PERKAKAS DAN BAHAN BANGUNAN"},
};

const Product kProducts[] = {
    {"ELK.001", "LAMPU"},
    {"ELK.002", "KABEL DAN STOP KONTAK"},
    {"ELK.003", "KIPAS ANGIN"},
    {"ATK.001", "BUKU DAN KERTAS"},
    {"ATK.002", "ALAT TULIS"},
    {"RTG.001", "PERALATAN DAPUR"},
    {"RTG.002", "PERALATAN MAKAN"},
    {"PRK.001", "PERKAKAS TANGAN"},
    {"PRK.002", "CAT DAN KUAS"},
};

// Most items sell above their buying price; a few do not (clearance, price
// war) and a couple have no stock, so the search lists have something to hide.
const Item kItems[] = {
    {"ELK.001.001", "Lampu LED Philips 9 Watt", "Unit", 22000, 28500, 40},
    {"ELK.001.002", "Lampu LED Philips 13 Watt", "Unit", 29000, 36000, 36},
    {"ELK.001.003", "Lampu TL Neon 18 Watt", "Unit", 17500, 23000, 24},
    {"ELK.001.004", "Lampu Emergency Hannochs", "Unit", 65000, 82000, 0},
    {"ELK.002.001", "Kabel NYM 2x1,5 mm 50 Meter", "Paket", 385000, 440000, 6},
    {"ELK.002.002", "Stop Kontak 4 Lubang Broco", "Unit", 38000, 47500, 18},
    {"ELK.002.003", "Steker Arde Panasonic", "Unit", 9000, 12500, 50},
    {"ELK.002.004", "Kabel Roll 10 Meter Uticon", "Unit", 92000, 115000, 10},
    {"ELK.003.001", "Kipas Angin Meja Cosmos 16 inci", "Unit", 215000, 259000, 8},
    {"ELK.003.002", "Kipas Angin Dinding Maspion", "Unit", 235000, 229000, 5},
    {"ATK.001.001", "Kertas HVS A4 70 gram Sinar Dunia", "Kardus", 205000, 238000, 12},
    {"ATK.001.002", "Buku Tulis Sidu 38 Lembar isi 10", "Paket", 28000, 34000, 45},
    {"ATK.001.003", "Buku Folio Bergaris 100 Lembar", "Unit", 14500, 18000, 30},
    {"ATK.001.004", "Amplop Coklat Folio isi 50", "Paket", 17000, 21500, 20},
    {"ATK.002.001", "Pulpen Standard AE7 Hitam isi 12", "Paket", 20500, 26000, 35},
    {"ATK.002.002", "Pensil 2B Faber-Castell isi 12", "Paket", 27000, 33000, 25},
    {"ATK.002.003", "Spidol Whiteboard Snowman 4 Warna", "Set", 48000, 58000, 15},
    {"ATK.002.004", "Penghapus Staedtler isi 20", "Paket", 15000, 15000, 14},
    {"ATK.002.005", "Stapler Kenko HD-10", "Unit", 14000, 19500, 22},
    {"RTG.001.001", "Panci Stainless Maspion 24 cm", "Unit", 89000, 112000, 9},
    {"RTG.001.002", "Wajan Teflon Maxim 28 cm", "Unit", 118000, 145000, 7},
    {"RTG.001.003", "Pisau Dapur Tajima", "Set", 56000, 72000, 12},
    {"RTG.001.004", "Rice Cooker Miyako 1,8 Liter", "Unit", 245000, 239000, 4},
    {"RTG.002.001", "Piring Keramik Sango isi 6", "Set", 96000, 125000, 10},
    {"RTG.002.002", "Gelas Kaca Lion Star isi 12", "Kardus", 54000, 69000, 16},
    {"RTG.002.003", "Sendok Garpu Stainless", "Pasang", 8500, 12000, 60},
    {"RTG.002.004", "Rantang Susun 3 Lion Star", "Set", 62000, 79000, 0},
    {"PRK.001.001", "Obeng Set Tekiro 6 pcs", "Set", 48000, 62000, 11},
    {"PRK.001.002", "Tang Kombinasi Krisbow 8 inci", "Unit", 52000, 67000, 9},
    {"PRK.001.003", "Palu Kambing 16 oz", "Unit", 41000, 53000, 8},
    {"PRK.001.004", "Sarung Tangan Kerja", "Pasang", 6500, 9000, 48},
    {"PRK.002.001", "Cat Tembok Avian 5 kg Putih", "Unit", 118000, 139000, 14},
    {"PRK.002.002", "Kuas Cat Eterna 3 inci", "Unit", 9500, 13500, 40},
    {"PRK.002.003", "Roll Cat Ace 9 inci", "Unit", 23000, 21000, 12},
    {"PRK.002.004", "Thinner Nippon 1 Liter", "Unit", 28000, 35000, 20},
};

// Telephone and fax numbers as the masked boxes store them, prompts included.
const Party kSuppliers[] = {
    {"PS001", "PT. SINAR TERANG ELEKTRIK", "Jl. Mangga Dua Raya No. 12", "JAKARTA UTARA",
     "DKI JAKARTA", "[021_]-6128845_", "[021_]-6128846_", "BUDI SANTOSO"},
    {"PS002", "CV. CAHAYA ALAT TULIS", "Jl. Malioboro No. 45", "YOGYAKARTA", "DI YOGYAKARTA",
     "[0274]-512377__", "[____]-________", "DEWI LESTARI"},
    {"PS003", "UD. MAKMUR JAYA", "Jl. Pasar Besar No. 8", "SURABAYA", "JAWA TIMUR",
     "[031_]-3534120_", "[031_]-3534121_", "HENDRA WIJAYA"},
    {"PS004", "TOKO BESI SUMBER REJEKI", "Jl. Pemuda No. 101", "SEMARANG", "JAWA TENGAH",
     "[024_]-3551987_", "[024_]-3551988_", "AGUS SALIM"},
    {"PS005", "PT. RUMAH TANGGA SEJAHTERA", "Kawasan Industri Jababeka Blok C-7", "BEKASI",
     "JAWA BARAT", "[021_]-89830457", "[____]-________", "RINA MARLINA"},
};

const Party kCustomers[] = {
    {"PG001", "TOKO SUMBER ABADI", "Jl. Kaliurang Km 5 No. 17", "", "", "[0274]-884512__", "", ""},
    {"PG002", "BAPAK SUTRISNO", "Perum Griya Asri Blok B-4", "", "", "[____]-________", "", ""},
    {"PG003", "IBU WULANDARI", "Jl. Godean No. 33", "", "", "[0812]-27731409", "", ""},
    {"PG004", "SD NEGERI 2 SLEMAN", "Jl. Magelang Km 10", "", "", "[0274]-868214__", "", ""},
    {"PG005", "CV. KARYA MANDIRI", "Jl. Solo Km 8 No. 2", "", "", "[0274]-496377__", "", ""},
    {"PG006", "BAPAK YOHANES O'NEIL", "Jl. Cik Di Tiro No. 21", "", "", "[0813]-90015522", "", ""},
};

// Which supplier each group is bought from.
const char* SupplierOf(const QString& itemCode) {
  if (itemCode.startsWith("ELK")) return "PS001";
  if (itemCode.startsWith("ATK")) return "PS002";
  if (itemCode.startsWith("RTG.001")) return "PS003";
  if (itemCode.startsWith("RTG")) return "PS005";
  return "PS004";
}

const char* const kExpenses[] = {
    "BAYAR LISTRIK PLN",        "BAYAR AIR PDAM",
    "BAYAR TELEPON DAN INTERNET", "BENSIN MOTOR PENGIRIMAN",
    "BELI KANTONG PLASTIK",     "UANG KEBERSIHAN DAN KEAMANAN",
    "SERVIS KOMPUTER KASIR",    "BELI AIR MINUM GALON",
};

QString Serial(const QString& prefix, int n, int width) {
  return prefix + QString::number(n).rightJustified(width, '0');
}

QString Day(const QDate& d) { return db::Quote(d.toString("yyyy-MM-dd")); }

// An EAN-13 of an Indonesian maker (prefix 899) with its check digit.
QString Ean13(int maker, int serial) {
  const QString d = "899" + QString::number(maker).rightJustified(4, '0') + QString::number(serial).rightJustified(5, '0');
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += (d[i].unicode() - '0') * (i % 2 ? 3 : 1);
  return d + QString::number((10 - sum % 10) % 10);
}

class Writer {
 public:
  Writer(db::Connection& conn, QString* error) : conn_(conn), error_(error) {}
  bool operator()(const QString& sql) {
    if (failed_) return false;
    if (conn_.Execute(sql)) return true;
    failed_ = true;
    if (error_) *error_ = conn_.LastError();
    return false;
  }
  bool failed() const { return failed_; }

 private:
  db::Connection& conn_;
  QString* error_;
  bool failed_ = false;
};

struct Stock {
  const Item* item;
  qint64 stock;
  qint64 buy;
};

}  // namespace

bool Fill(db::Connection& conn, const QDate& lastDay, const QString& adminId, Summary* summary,
          QString* error) {
  Summary s;
  Writer run(conn, error);
  using db::Quote;

  QString kasirHash, why;
  if (!db::HashPassword(kKasirPassword, &kasirHash, &why)) {
    if (error) *error = why;
    return false;
  }
  run("INSERT INTO Pengguna (UserId,PassId,Nama,Level) VALUES (" + Quote(kKasirId) + "," + Quote(kasirHash) + "," +
      Quote(kKasirName) + ",'KASIR')");

  for (const Group& g : kGroups) {
    run("INSERT INTO Grup (Kode_Grup,Nama_Grup) VALUES (" + Quote(g.code) + "," + Quote(g.name) + ")");
    ++s.groups;
  }
  for (const Product& p : kProducts) {
    const QString code = p.code;
    run("INSERT INTO Produk (Kode_Produk,Kode_Grup,Nama_Produk) VALUES (" + Quote(code) + "," +
        Quote(code.left(3)) + "," + Quote(p.name) + ")");
    ++s.products;
  }
  std::vector<Stock> stock;
  for (const Item& it : kItems) {
    const QString code = it.code;
    run("INSERT INTO Barang (Kode_Barang,Kode_Produk,Nama_Barang,Satuan,Harga_Beli,Harga_Jual,Stok) "
        "VALUES (" + Quote(code) + "," + Quote(code.left(7)) + "," + Quote(it.name) + "," +
        Quote(it.unit) + "," + QString::number(it.buy) + "," + QString::number(it.sell) + "," +
        QString::number(it.opening) + ")");
    stock.push_back({&it, it.opening, it.buy});
    ++s.items;
    // Most goods carry their maker's barcode; every seventh is weighed or
    // cut to order and has none, and some come in a second packing.
    const int n = int(stock.size());
    if (n % 7 != 0) {
      run("INSERT INTO Barcode (Kode,Kode_Barang) VALUES (" + Quote(Ean13(1000 + n % 4, n)) + "," + Quote(code) + ")");
      ++s.barcodes;
      if (n % 5 == 0) {
        run("INSERT INTO Barcode (Kode,Kode_Barang) VALUES (" + Quote(Ean13(2000, n)) + "," + Quote(code) + ")");
        ++s.barcodes;
      }
    }
  }
  for (const Party& p : kSuppliers) {
    run("INSERT INTO Pemasok (Kode_Pemasok,Nama_Pemasok,Alamat,Kota,Propinsi,No_Telepon,No_Fax,KontakP) "
        "VALUES (" + Quote(p.code) + "," + Quote(p.name) + "," + Quote(p.address) + "," +
        Quote(p.city) + "," + Quote(p.province) + "," + Quote(p.phone) + "," + Quote(p.fax) + "," +
        Quote(p.contact) + ")");
    ++s.suppliers;
  }
  for (const Party& p : kCustomers) {
    run("INSERT INTO Pelanggan (Kode_Pelanggan,Nama_Pelanggan,Alamat,No_Telepon) VALUES (" +
        Quote(p.code) + "," + Quote(p.name) + "," + Quote(p.address) + "," + Quote(p.phone) + ")");
    ++s.customers;
  }

  // The trade, day by day, so that numbers rise with the dates. The seed is
  // fixed: the same last day gives the same shop.
  std::mt19937 rng(20240611u);
  auto pick = [&rng](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };

  int ledgerNo = 0;
  auto ledger = [&](const QDate& d, const char* dk, const QString& text, qint64 amount) {
    run("INSERT INTO Rekening (kode,tanggal,dk,transaksi,jumlah) VALUES (" +
        Quote(Serial("RK-", ++ledgerNo, 7)) + "," + Day(d) + "," + Quote(dk) + "," + Quote(text) +
        "," + QString::number(amount) + ")");
    ++s.ledger;
  };

  const QDate firstDay = lastDay.addDays(-(kDays - 1));
  ledger(firstDay, "DEBET", "TAMBAHAN MODAL DARI PEMILIK", 5000000);

  int saleNo = 0, buyNo = 0, supplierTurn = 0, returNo = 0;
  qint64 takings = 0;  // sales not yet paid into the ledger
  for (int day = 0; day < kDays && !run.failed(); ++day) {
    const QDate d = firstDay.addDays(day);
    const bool last = day == kDays - 1;

    // Goods come in once a week (and on the last day, so that its daily
    // purchase report is not empty), from one supplier in turn.
    if (day % 7 == 3 || last) {
      const char* supplier = kSuppliers[supplierTurn++ % std::size(kSuppliers)].code;
      std::vector<Stock*> lines;
      for (Stock& st : stock)
        if (st.item->opening > 0 && QString(SupplierOf(st.item->code)) == supplier &&
            (st.stock < 15 || pick(0, 2) == 0))
          lines.push_back(&st);
      if (lines.empty())
        for (Stock& st : stock)
          if (st.item->opening > 0 && QString(SupplierOf(st.item->code)) == supplier) {
            lines.push_back(&st);
            break;
          }
      if (lines.size() > 4) lines.resize(4);
      const QString no = Serial("BL-", ++buyNo, 7);
      qint64 total = 0;
      std::vector<qint64> qty;
      for (Stock* st : lines) {
        qty.push_back(st->item->buy >= 200000 ? pick(2, 5) : pick(6, 24));
        total += st->buy * qty.back();
      }
      run("INSERT INTO Pembelian (No_Masuk,Tgl_Masuk,Kode_Pemasok,Total,UserID) VALUES (" +
          Quote(no) + "," + Day(d) + "," + Quote(supplier) + "," + QString::number(total) + "," +
          Quote(adminId) + ")");
      for (size_t i = 0; i < lines.size(); ++i) {
        Stock* st = lines[i];
        run("INSERT INTO Pembelian_Detail (No_Masuk,Kode_Barang,Harga_Beli,Jumlah,SubTotal) VALUES (" +
            Quote(no) + "," + Quote(st->item->code) + "," + QString::number(st->buy) + "," +
            QString::number(qty[i]) + "," + QString::number(st->buy * qty[i]) + ")");
        run("UPDATE Barang SET Stok=Stok + " + QString::number(qty[i]) + ", Harga_Beli=" +
            QString::number(st->buy) + " WHERE Kode_Barang=" + Quote(st->item->code));
        st->stock += qty[i];
      }
      ++s.purchases;
      ledger(d, "KREDIT", "PEMBAYARAN PEMBELIAN " + no, total);
    }

    // One to four customers a day; Sunday is quiet, but the last day always
    // has trade so that the daily reports show something.
    const int customers = d.dayOfWeek() == 7 ? pick(0, 1) : pick(1, 4);
    // The cashier's drawer: its float, its sales, the last one of them.
    const qint64 float_ = 200000;
    run("INSERT INTO Kas_Awal (UserID,Tanggal,Jumlah) VALUES (" + Quote(kKasirId) + "," + Day(d) + "," +
        QString::number(float_) + ")");
    qint64 kasirTotal = 0, kasirNota = 0;
    QString kasirLast, lastCode;
    qint64 lastPrice = 0;
    for (int c = 0; c < std::max(customers, last ? 2 : 0); ++c) {
      // What the till's search offers: in stock and sold at a profit.
      std::vector<Stock*> shelf;
      for (Stock& st : stock)
        if (st.stock > 0 && st.item->sell > st.buy) shelf.push_back(&st);
      if (shelf.empty()) break;
      const int want = std::min<int>(pick(1, 4), int(shelf.size()));
      std::vector<Stock*> lines;
      while (int(lines.size()) < want) {
        Stock* st = shelf[size_t(pick(0, int(shelf.size()) - 1))];
        if (std::find(lines.begin(), lines.end(), st) == lines.end()) lines.push_back(st);
      }
      const QString no = Serial("JL-", ++saleNo, 7);
      std::vector<qint64> qty;
      qint64 total = 0;
      for (Stock* st : lines) {
        const qint64 most = std::min<qint64>(st->stock, st->item->sell >= 100000 ? 1 : 4);
        qty.push_back(pick(1, int(most)));
        total += st->item->sell * qty.back();
      }
      const QString cashier = pick(0, 4) == 0 ? adminId : QString(kKasirId);
      // Like the till: the customer is left empty.
      run("INSERT INTO Penjualan (No_Nota,Tgl_Nota,Total_Bayar,Kode_Pelanggan,UserID) VALUES (" +
          Quote(no) + "," + Day(d) + "," + QString::number(total) + ",''," + Quote(cashier) + ")");
      for (size_t i = 0; i < lines.size(); ++i) {
        Stock* st = lines[i];
        run("INSERT INTO Penjualan_Detail (No_Nota,Kode_Barang,Harga_Jual,Jumlah,SubTotal) VALUES (" +
            Quote(no) + "," + Quote(st->item->code) + "," + QString::number(st->item->sell) + "," +
            QString::number(qty[i]) + "," + QString::number(st->item->sell * qty[i]) + ")");
        run("UPDATE Barang SET Stok=Stok - " + QString::number(qty[i]) +
            " WHERE Kode_Barang=" + Quote(st->item->code));
        st->stock -= qty[i];
      }
      takings += total;
      ++s.sales;
      if (cashier == kKasirId) {
        kasirTotal += total;
        ++kasirNota;
        kasirLast = no;
        lastCode = lines[0]->item->code;
        lastPrice = lines[0]->item->sell;
      }
    }

    // Now and then a piece comes back, allowed by the owner; every day but
    // the last is closed, the drawer counted now exact, now a little off.
    qint64 refund = 0;
    if (day % 5 == 3 && !kasirLast.isEmpty()) {
      const QString rt = Serial("RT-", ++returNo, 7);
      run("INSERT INTO Retur (No_Retur,Tgl_Retur,No_Nota,Total,Alasan,Batal,UserID,Penyetuju) VALUES (" + Quote(rt) +
          "," + Day(d) + "," + Quote(kasirLast) + "," + QString::number(lastPrice) + ",'KEMASAN RUSAK',0," +
          Quote(kKasirId) + "," + Quote(adminId) + ")");
      run("INSERT INTO Detail_Retur (No_Retur,Kode_Barang,Harga_Jual,Jumlah,SubTotal) VALUES (" + Quote(rt) + "," +
          Quote(lastCode) + "," + QString::number(lastPrice) + ",1," + QString::number(lastPrice) + ")");
      run("UPDATE Barang SET Stok=Stok + 1 WHERE Kode_Barang=" + Quote(lastCode));
      for (Stock& st : stock)
        if (st.item->code == lastCode) ++st.stock;
      refund = lastPrice;
      takings -= refund;
    }
    if (!last) {
      const qint64 expected = float_ + kasirTotal - refund;
      const qint64 counted = expected + (day % 7 == 4 ? -500 : day % 9 == 6 ? 1000 : 0);
      run("INSERT INTO Tutup_Kasir (UserID,Tanggal,Jam,Kas_Awal,Nota,Penjualan,Retur,Diharapkan,Dihitung,Selisih) "
          "VALUES (" + Quote(kKasirId) + "," + Day(d) + ",'21:00:00'," + QString::number(float_) + "," +
          QString::number(kasirNota) + "," + QString::number(kasirTotal) + "," + QString::number(refund) + "," +
          QString::number(expected) + "," + QString::number(counted) + "," + QString::number(counted - expected) +
          ")");
    }

    // The takings go into the cash book every few days and on the last day;
    // running costs are paid now and then.
    if ((day % 3 == 2 || last) && takings > 0) {
      ledger(d, "DEBET", "SETORAN HASIL PENJUALAN " + d.toString("dd/MM/yyyy"), takings);
      takings = 0;
    }
    if (day % 4 == 1 || last)
      ledger(d, "KREDIT", kExpenses[size_t(pick(0, int(std::size(kExpenses)) - 1))],
             qint64(pick(3, 60)) * 2500);
    if (day % 14 == 13) ledger(d, "KREDIT", "GAJI KARYAWAN DUA MINGGUAN", 1750000);
    // Saturdays the owner opens the drawer for small change: no money moves.
    if (d.dayOfWeek() == 6)
      run("INSERT INTO LogLaci (Tanggal,Jam,UserID,Kassa,Alasan) VALUES (" + Day(d) + ",'08:05'," +
          Quote(adminId) + ",'KASSA-1','TUKAR UANG RECEH')");
  }

  if (summary) *summary = s;
  return !run.failed();
}

}  // namespace demodata
