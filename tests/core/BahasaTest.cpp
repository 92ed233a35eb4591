// The program's language whatever the machine's: from its start, Indonesian
// dates and amounts, and the platform's own texts in Indonesian.
#include <QApplication>
#include <QCalendarWidget>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "base/DateText.h"
#include "Masuk.h"
#include "TestSupport.h"
#include "core/Mulai.h"
#include "db/Sql.h"
#include "documents/Layout.h"
#include "reports/FormLaporan.h"
#include "transactions/mdlCetak.h"
#include "ui/DTPicker.h"

using namespace testsupport;

namespace {
// Shows a real question, reads its buttons and answers the one captioned
// `jawab`, as a person would.
int Tanya(QStringList* tombol, const QString& jawab) {
  int sisa = 500;
  std::function<void()> cari = [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        for (QAbstractButton* b : box->buttons()) *tombol << b->text();
        for (QAbstractButton* b : box->buttons())
          if (b->text() == jawab) b->click();
        return;
      }
    if (--sisa > 0) QTimer::singleShot(10, cari);
  };
  QTimer::singleShot(0, cari);
  const ui::Prompter sebelum = ui::CurrentPrompter();
  ui::SetPrompter({});
  const int a = ui::MsgBox("KELUAR DARI PROGRAM?", ui::vbYesNo | ui::vbQuestion, "Konfirmasi");
  ui::SetPrompter(sebelum);
  return a;
}
}  // namespace

class BahasaTest : public QObject {
  Q_OBJECT
  QLocale sebelum_;

 private slots:
  void init() { sebelum_ = QLocale(); }
  void cleanup() { QLocale::setDefault(sebelum_); }

  void indonesianWhateverTheMachineSays() {
    // A machine set to American English; the program starts and is closed
    // at its login window.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TempDb* db = masuk::Mulai();
    {
      ModalScript m;
      m.then([](QDialog* d) { d->reject(); });
      QCOMPARE(::Mulai(), 0);
      QCOMPARE(m.shown, QStringList({"frmLogin"}));
    }
    masuk::Selesai(db);

    const QDate d(2026, 12, 9);
    QCOMPARE(FormLaporan::Panjang(d), QString("09 Desember 2026"));
    QCOMPARE(reports::FormatValue(qint64(238000), reports::Format::Money), QString("Rp 238.000"));
    QCOMPARE(reports::FormatValue(d.toString(Qt::ISODate), reports::Format::DateMonth), QString("09-Des-2026"));
    QCOMPARE(FormLaporan::Standar(28208500), QString("28.208.500,00"));
    QCOMPARE(mdlCetak::KolomAngka(1500, "#,###,###"), QString("1.500    "));
    // What the grids and the store write stays plain digits and a date that
    // reads back as the same day.
    QCOMPARE(reports::FormatValue(qint64(238000), reports::Format::Number), QString("238000"));
    QCOMPARE(base::ShortDateText(d), QString("09/12/2026"));
    QCOMPARE(base::ParseShortDateText("09/12/2026"), d);

    // A question says Ya / Tidak, and its answer is still the one pressed.
    QStringList tombol;
    QCOMPARE(Tanya(&tombol, "&Tidak"), int(ui::vbNo));
    tombol.sort();
    QCOMPARE(tombol, QStringList({"&Tidak", "&Ya"}));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Batal"));

    // The save dialog as the program opens it.
    QFileDialog simpan(nullptr, "Simpan sebagai file...");
    simpan.setOption(QFileDialog::DontUseNativeDialog);
    simpan.setAcceptMode(QFileDialog::AcceptSave);
    QCOMPARE(QStringList({simpan.labelText(QFileDialog::LookIn), simpan.labelText(QFileDialog::FileName),
                          simpan.labelText(QFileDialog::FileType), simpan.labelText(QFileDialog::Accept),
                          simpan.labelText(QFileDialog::Reject)}),
             QStringList({"Simpan di:", "&Nama file:", "Jenis file:", "&Simpan", "Batal"}));

    // The calendar of a date picker names its months in Indonesian.
    ui::DTPicker picker(d);
    auto* bulan = picker.calendarWidget()->findChild<QToolButton*>("qt_calendar_monthbutton");
    QVERIFY(bulan);
    QCOMPARE(bulan->text(), QString("Desember"));
  }
};

REGISTER_TEST(BahasaTest);
#include "BahasaTest.moc"
