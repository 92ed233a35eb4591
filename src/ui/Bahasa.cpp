#include "ui/Bahasa.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

namespace {

// The platform texts a person meets in this program, by the context and the
// English source text Qt asks for. Qt ships no Indonesian translation of its
// own (none in Debian 12's qt6-translations-l10n, none upstream), so without
// this table every question would say "Yes"/"No".
struct Teks {
  const char* konteks;
  const char* asli;
  const char* indonesia;
};
constexpr Teks Daftar[] = {
    // The buttons of a question and of every dialog's button row.
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "&Yes", "&Ya"},
    {"QPlatformTheme", "&No", "&Tidak"},
    {"QPlatformTheme", "Cancel", "Batal"},
    {"QPlatformTheme", "Help", "Bantuan"},
    {"QPlatformTheme", "Open", "Buka"},
    {"QPlatformTheme", "Save", "Simpan"},
    {"QPlatformTheme", "Save All", "Simpan Semua"},
    {"QPlatformTheme", "Abort", "Hentikan"},
    {"QPlatformTheme", "Apply", "Terapkan"},
    {"QPlatformTheme", "Close", "Tutup"},
    {"QPlatformTheme", "Reset", "Atur Ulang"},
    {"QPlatformTheme", "Retry", "Coba Lagi"},
    {"QPlatformTheme", "Ignore", "Abaikan"},
    {"QPlatformTheme", "Discard", "Buang"},
    {"QPlatformTheme", "Restore Defaults", "Kembalikan Bawaan"},
    {"QPlatformTheme", "Yes to &All", "Ya untuk &Semua"},
    {"QPlatformTheme", "N&o to All", "T&idak untuk Semua"},
    {"QGnomeTheme", "&OK", "&OK"},
    {"QGnomeTheme", "&Save", "&Simpan"},
    {"QGnomeTheme", "&Cancel", "&Batal"},
    {"QGnomeTheme", "&Close", "&Tutup"},
    {"QGnomeTheme", "Close without Saving", "Tutup tanpa Menyimpan"},
    {"QDialogButtonBox", "OK", "OK"},
    {"QMessageBox", "Show Details...", "Tampilkan Rincian..."},
    {"QMessageBox", "Hide Details...", "Sembunyikan Rincian..."},

    // The save dialog.
    {"QFileDialog", "Look in:", "Simpan di:"},
    {"QFileDialog", "File &name:", "&Nama file:"},
    {"QFileDialog", "Files of type:", "Jenis file:"},
    {"QFileDialog", "&Save", "&Simpan"},
    {"QFileDialog", "&Open", "&Buka"},
    {"QFileDialog", "Open", "Buka"},
    {"QFileDialog", "&Choose", "&Pilih"},
    {"QFileDialog", "Save As", "Simpan Sebagai"},
    {"QFileDialog", "Find Directory", "Cari Folder"},
    {"QFileDialog", "Directory:", "Folder:"},
    {"QFileDialog", "Directories", "Folder"},
    {"QFileDialog", "Files", "File"},
    {"QFileDialog", "All files (*)", "Semua file (*)"},
    {"QFileDialog", "All Files (*)", "Semua file (*)"},
    {"QFileDialog", "Back", "Kembali"},
    {"QFileDialog", "Go back", "Kembali"},
    {"QFileDialog", "Forward", "Maju"},
    {"QFileDialog", "Go forward", "Maju"},
    {"QFileDialog", "Parent Directory", "Folder Induk"},
    {"QFileDialog", "Go to the parent directory", "Ke folder induk"},
    {"QFileDialog", "Create New Folder", "Buat Folder Baru"},
    {"QFileDialog", "Create a New Folder", "Buat Folder Baru"},
    {"QFileDialog", "New Folder", "Folder Baru"},
    {"QFileDialog", "&New Folder", "Folder &Baru"},
    {"QFileDialog", "List View", "Daftar"},
    {"QFileDialog", "Change to list view mode", "Tampilkan sebagai daftar"},
    {"QFileDialog", "Detail View", "Rincian"},
    {"QFileDialog", "Change to detail view mode", "Tampilkan dengan rinciannya"},
    {"QFileDialog", "Sidebar", "Bilah Samping"},
    {"QFileDialog", "List of places and bookmarks", "Daftar tempat dan penanda"},
    {"QFileDialog", "Recent Places", "Tempat Terakhir"},
    {"QFileDialog", "Show &hidden files", "Tampilkan file &tersembunyi"},
    {"QFileDialog", "Show ", "Tampilkan "},
    {"QFileDialog", "&Rename", "&Ganti Nama"},
    {"QFileDialog", "&Delete", "&Hapus"},
    {"QFileDialog", "Delete", "Hapus"},
    {"QFileDialog", "Remove", "Hapus"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Yakin akan menghapus '%1'?"},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "'%1' dilindungi dari penulisan.\nTetap dihapus?"},
    {"QFileDialog", "Could not delete directory.", "Folder tidak dapat dihapus."},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 sudah ada.\nGanti file itu?"},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nFolder tidak ditemukan.\nPeriksa apakah nama foldernya sudah benar."},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nFile tidak ditemukan.\nPeriksa apakah nama filenya sudah benar."},
    {"QFileSystemModel", "Name", "Nama"},
    {"QFileSystemModel", "Size", "Ukuran"},
    {"QFileSystemModel", "Type", "Jenis"},
    {"QFileSystemModel", "Kind", "Jenis"},
    {"QFileSystemModel", "Date Modified", "Tanggal Diubah"},
    {"QFileSystemModel", "Computer", "Komputer"},
    {"QFileSystemModel", "My Computer", "Komputer Saya"},
    {"QAbstractFileIconProvider", "File", "File"},
    {"QAbstractFileIconProvider", "Folder", "Folder"},
    {"QAbstractFileIconProvider", "File Folder", "Folder"},
    {"QAbstractFileIconProvider", "Drive", "Drive"},
    {"QAbstractFileIconProvider", "Shortcut", "Pintasan"},
    {"QAbstractFileIconProvider", "Alias", "Alias"},
    {"QAbstractFileIconProvider", "Unknown", "Tidak dikenal"},

    // The menus of a text box, a date box and a scroll bar.
    {"QLineEdit", "&Undo", "&Batalkan"},
    {"QLineEdit", "&Redo", "&Ulangi"},
    {"QLineEdit", "Cu&t", "Po&tong"},
    {"QLineEdit", "&Copy", "&Salin"},
    {"QLineEdit", "&Paste", "T&empel"},
    {"QLineEdit", "Delete", "Hapus"},
    {"QLineEdit", "Select All", "Pilih Semua"},
    {"QWidgetTextControl", "&Undo", "&Batalkan"},
    {"QWidgetTextControl", "&Redo", "&Ulangi"},
    {"QWidgetTextControl", "Cu&t", "Po&tong"},
    {"QWidgetTextControl", "&Copy", "&Salin"},
    {"QWidgetTextControl", "Copy &Link Location", "Salin &Alamat Tautan"},
    {"QWidgetTextControl", "&Paste", "T&empel"},
    {"QWidgetTextControl", "Delete", "Hapus"},
    {"QWidgetTextControl", "Select All", "Pilih Semua"},
    {"QAbstractSpinBox", "&Select All", "&Pilih Semua"},
    {"QAbstractSpinBox", "&Step up", "&Naik"},
    {"QAbstractSpinBox", "Step &down", "Tu&run"},
    {"QScrollBar", "Scroll here", "Gulir ke sini"},
    {"QScrollBar", "Top", "Paling atas"},
    {"QScrollBar", "Bottom", "Paling bawah"},
    {"QScrollBar", "Left edge", "Paling kiri"},
    {"QScrollBar", "Right edge", "Paling kanan"},
    {"QScrollBar", "Page up", "Satu halaman ke atas"},
    {"QScrollBar", "Page down", "Satu halaman ke bawah"},
    {"QScrollBar", "Page left", "Satu halaman ke kiri"},
    {"QScrollBar", "Page right", "Satu halaman ke kanan"},
    {"QScrollBar", "Scroll up", "Gulir ke atas"},
    {"QScrollBar", "Scroll down", "Gulir ke bawah"},
    {"QScrollBar", "Scroll left", "Gulir ke kiri"},
    {"QScrollBar", "Scroll right", "Gulir ke kanan"},

    // The print dialog of the report preview.
    {"QPrintDialog", "Print", "Cetak"},
    {"QPrintDialog", "&Print", "&Cetak"},
    {"QPrintDialog", "&Options >>", "&Pilihan >>"},
    {"QPrintDialog", "&Options <<", "&Pilihan <<"},
    {"QPrintDialog", "Print to File (PDF)", "Cetak ke File (PDF)"},
    {"QPrintDialog", "Print To File ...", "Cetak ke File ..."},
    {"QPrintDialog", "Local file", "File di komputer ini"},
    {"QPrintDialog", "Write PDF file", "Tulis file PDF"},
    {"QPrintDialog", "All Pages", "Semua Halaman"},
    {"QPrintDialog", "Odd Pages", "Halaman Ganjil"},
    {"QPrintDialog", "Even Pages", "Halaman Genap"},
    {"QPrintDialog", "Invalid Pages Definition", "Halaman Tidak Sah"},
    {"QPrintDialog", "The 'From' value cannot be greater than the 'To' value.",
     "Halaman awal tidak boleh lebih besar daripada halaman akhir."},
    {"QPrintDialog",
     "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges and "
     "make sure ranges do not intersect with each other.",
     "%1 tidak ditulis dengan benar. Pisahkan halaman dan rentang dengan ',', tulis rentang dengan '-', dan jangan "
     "biarkan rentang saling bertumpuk."},
    {"QPrintDialog", "%1 already exists.\nDo you want to overwrite it?", "%1 sudah ada.\nTimpa file itu?"},
    {"QPrintDialog", "%1 is a directory.\nPlease choose a different file name.",
     "%1 adalah folder.\nPilih nama file yang lain."},
    {"QPrintDialog", "File %1 is not writable.\nPlease choose a different file name.",
     "File %1 tidak dapat ditulis.\nPilih nama file yang lain."},
    {"QPrintWidget", "Printer", "Printer"},
    {"QPrintWidget", "&Name:", "&Nama:"},
    {"QPrintWidget", "P&roperties", "P&roperti"},
    {"QPrintWidget", "Location:", "Lokasi:"},
    {"QPrintWidget", "Preview", "Pratinjau"},
    {"QPrintWidget", "Type:", "Jenis:"},
    {"QPrintWidget", "Output &file:", "&File hasil:"},
    {"QPrintSettingsOutput", "Copies", "Rangkap"},
    {"QPrintSettingsOutput", "Copies:", "Jumlah rangkap:"},
    {"QPrintSettingsOutput", "Collate", "Susun per rangkap"},
    {"QPrintSettingsOutput", "Reverse", "Urutan terbalik"},
    {"QPrintSettingsOutput", "Print range", "Halaman yang dicetak"},
    {"QPrintSettingsOutput", "Print all", "Semua"},
    {"QPrintSettingsOutput", "Pages from", "Halaman"},
    {"QPrintSettingsOutput", "to", "sampai"},
    {"QPrintSettingsOutput", "Pages", "Halaman"},
    {"QPrintSettingsOutput", "Current Page", "Halaman yang tampil"},
    {"QPrintSettingsOutput", "Selection", "Yang dipilih"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: "
     "3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Tulis halaman atau rentang halaman, dipisahkan koma. Rentang ditulis dengan dua angka dipisahkan tanda "
     "hubung. Misalnya 3,5-7,9 mencetak halaman 3, 5, 6, 7 dan 9."},
    {"QPrintSettingsOutput", "Page Set:", "Kumpulan halaman:"},
    {"QPrintSettingsOutput", "Output Settings", "Pengaturan Hasil"},
    {"QPrintSettingsOutput", "Options", "Pilihan"},
    {"QPrintSettingsOutput", "Color Mode", "Warna"},
    {"QPrintSettingsOutput", "Color", "Berwarna"},
    {"QPrintSettingsOutput", "Grayscale", "Hitam putih"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Cetak Bolak-balik"},
    {"QPrintSettingsOutput", "Off", "Tidak"},
    {"QPrintSettingsOutput", "Long side binding", "Jilid di sisi panjang"},
    {"QPrintSettingsOutput", "Short side binding", "Jilid di sisi pendek"},
    {"QPrintPropertiesDialog", "Printer Properties", "Properti Printer"},
    {"QPrintPropertiesDialog", "Job Options", "Pilihan Pencetakan"},
};

class TeksPlatform : public QTranslator {
 public:
  TeksPlatform() {
    for (const Teks& t : Daftar) teks_.insert(Kunci(t.konteks, t.asli), QString::fromUtf8(t.indonesia));
  }
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override {
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    if (!context || !sourceText) return QString();
    return teks_.value(Kunci(context, sourceText));
  }

 private:
  static QByteArray Kunci(const char* konteks, const char* asli) {
    return QByteArray(konteks) + '\x04' + QByteArray(asli);
  }
  QHash<QByteArray, QString> teks_;
};

}  // namespace

bool PakaiBahasaIndonesia() {
  QLocale::setDefault(QLocale(QLocale::Indonesian, QLocale::Indonesia));
  static bool dipasang = false;
  static bool adaQt = false;
  if (dipasang) return adaQt;
  dipasang = true;
  // The translator installed last is asked first: Qt's own file, where a
  // machine has it, before the program's table.
  static TeksPlatform tabel;
  QCoreApplication::installTranslator(&tabel);
  static QTranslator qt;
  adaQt = qt.load(QLocale(QLocale::Indonesian, QLocale::Indonesia), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (adaQt) QCoreApplication::installTranslator(&qt);
  return adaQt;
}

}  // namespace ui
