-- The shop's database: eleven tables, and those added later (below). Codes are text keys compared without
-- regard to case; amounts and quantities are whole numbers; dates are DATE
-- columns holding yyyy-MM-dd text.

CREATE TABLE Grup (
  Kode_Grup  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Nama_Grup  TEXT COLLATE NOCASE
);

CREATE TABLE Produk (
  Kode_Produk TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Kode_Grup   TEXT COLLATE NOCASE,
  Nama_Produk TEXT COLLATE NOCASE
);
CREATE INDEX Produk_Grup ON Produk (Kode_Grup);

CREATE TABLE Barang (
  Kode_Barang TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Kode_Produk TEXT COLLATE NOCASE,
  Nama_Barang TEXT COLLATE NOCASE,
  Satuan      TEXT COLLATE NOCASE,
  Harga_Beli  INTEGER NOT NULL DEFAULT 0,
  Harga_Jual  INTEGER NOT NULL DEFAULT 0,
  Stok        INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Barang_Produk ON Barang (Kode_Produk);

CREATE TABLE Pelanggan (
  Kode_Pelanggan TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Nama_Pelanggan TEXT COLLATE NOCASE,
  Alamat         TEXT COLLATE NOCASE,
  No_Telepon     TEXT COLLATE NOCASE
);

CREATE TABLE Pemasok (
  Kode_Pemasok TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Nama_Pemasok TEXT COLLATE NOCASE,
  Alamat       TEXT COLLATE NOCASE,
  Kota         TEXT COLLATE NOCASE,
  Propinsi     TEXT COLLATE NOCASE,
  No_Telepon   TEXT COLLATE NOCASE,
  No_Fax       TEXT COLLATE NOCASE,
  KontakP      TEXT COLLATE NOCASE
);

CREATE TABLE Pengguna (
  UserId TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  PassId TEXT COLLATE NOCASE,
  Nama   TEXT COLLATE NOCASE,
  Level  TEXT COLLATE NOCASE
);

CREATE TABLE Penjualan (
  No_Nota        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Tgl_Nota       DATE,
  Total_Bayar    INTEGER NOT NULL DEFAULT 0,
  Kode_Pelanggan TEXT COLLATE NOCASE,
  UserID         TEXT COLLATE NOCASE
);
CREATE INDEX Penjualan_Tgl ON Penjualan (Tgl_Nota);

CREATE TABLE Penjualan_Detail (
  No_Nota     TEXT COLLATE NOCASE NOT NULL,
  Kode_Barang TEXT COLLATE NOCASE NOT NULL,
  Harga_Jual  INTEGER NOT NULL DEFAULT 0,
  Jumlah      INTEGER NOT NULL DEFAULT 0,
  SubTotal    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Penjualan_Detail_Nota ON Penjualan_Detail (No_Nota);

CREATE TABLE Pembelian (
  No_Masuk     TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Tgl_Masuk    DATE,
  Kode_Pemasok TEXT COLLATE NOCASE,
  Total        INTEGER NOT NULL DEFAULT 0,
  UserID       TEXT COLLATE NOCASE
);
CREATE INDEX Pembelian_Tgl ON Pembelian (Tgl_Masuk);

CREATE TABLE Pembelian_Detail (
  No_Masuk    TEXT COLLATE NOCASE NOT NULL,
  Kode_Barang TEXT COLLATE NOCASE NOT NULL,
  Harga_Beli  INTEGER NOT NULL DEFAULT 0,
  Jumlah      INTEGER NOT NULL DEFAULT 0,
  SubTotal    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Pembelian_Detail_Masuk ON Pembelian_Detail (No_Masuk);

CREATE TABLE Rekening (
  kode      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  tanggal   DATE,
  dk        TEXT COLLATE NOCASE,
  transaksi TEXT COLLATE NOCASE,
  jumlah    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Rekening_Tanggal ON Rekening (tanggal);

-- For the reports: each side of the ledger by date, with its amounts, so a
-- period's sums are read from the index alone.
CREATE INDEX IF NOT EXISTS Rekening_Dk_Tanggal ON Rekening (dk, tanggal, jumlah);

-- Tables made with IF NOT EXISTS came after the first files: merapu-db upgrade
-- adds them to an older file, and the program opens a file without them
-- (what needs one says so).

-- Each opening of the cash drawer without a sale, for the day's close. It
-- moves no money and no stock.
CREATE TABLE IF NOT EXISTS LogLaci (
  ID      INTEGER PRIMARY KEY,
  Tanggal DATE NOT NULL,
  Jam     TEXT NOT NULL,
  UserID  TEXT COLLATE NOCASE NOT NULL,
  Kassa   TEXT COLLATE NOCASE,
  Alasan  TEXT COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS LogLaci_Tanggal ON LogLaci (Tanggal);

-- The barcodes printed on the goods; an item may have any number of them,
-- and a code names one item only.
CREATE TABLE IF NOT EXISTS Barcode (
  Kode        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Kode_Barang TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX IF NOT EXISTS Barcode_Barang ON Barcode (Kode_Barang);

-- A sale taken back, in part (a return) or whole (a void, Batal = 1): the
-- refund is Total. UserID entered it, Penyetuju is the ADMIN who allowed it.
CREATE TABLE IF NOT EXISTS Retur (
  No_Retur  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Tgl_Retur DATE,
  No_Nota   TEXT COLLATE NOCASE NOT NULL,
  Total     INTEGER NOT NULL DEFAULT 0,
  Alasan    TEXT COLLATE NOCASE,
  Batal     INTEGER NOT NULL DEFAULT 0,
  UserID    TEXT COLLATE NOCASE,
  Penyetuju TEXT COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS Retur_Nota ON Retur (No_Nota);
CREATE INDEX IF NOT EXISTS Retur_Tgl ON Retur (Tgl_Retur, UserID);

CREATE TABLE IF NOT EXISTS Detail_Retur (
  No_Retur    TEXT COLLATE NOCASE NOT NULL,
  Kode_Barang TEXT COLLATE NOCASE NOT NULL,
  Harga_Jual  INTEGER NOT NULL DEFAULT 0,
  Jumlah      INTEGER NOT NULL DEFAULT 0,
  SubTotal    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS Detail_Retur_No ON Detail_Retur (No_Retur);

-- The cash a cashier's drawer starts the day with.
CREATE TABLE IF NOT EXISTS Kas_Awal (
  UserID  TEXT COLLATE NOCASE NOT NULL,
  Tanggal DATE NOT NULL,
  Jumlah  INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (UserID, Tanggal)
);

-- The close of a cashier's day: one per cashier and day (the key).
CREATE TABLE IF NOT EXISTS Tutup_Kasir (
  UserID     TEXT COLLATE NOCASE NOT NULL,
  Tanggal    DATE NOT NULL,
  Jam        TEXT,
  Kas_Awal   INTEGER NOT NULL DEFAULT 0,
  Nota       INTEGER NOT NULL DEFAULT 0,
  Penjualan  INTEGER NOT NULL DEFAULT 0,
  Retur      INTEGER NOT NULL DEFAULT 0,
  Diharapkan INTEGER NOT NULL DEFAULT 0,
  Dihitung   INTEGER NOT NULL DEFAULT 0,
  Selisih    INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (UserID, Tanggal)
);

-- The close of a day reads a cashier's sales of that day from the index.
CREATE INDEX IF NOT EXISTS Penjualan_Tgl_User ON Penjualan (Tgl_Nota, UserID, Total_Bayar);
