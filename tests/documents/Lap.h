#pragma once
// Rows and helpers shared by the report tests.
#include <QDate>
#include <QLocale>
#include <QProcess>
#include <QStringList>

#include "documents/Layout.h"
#include "documents/ReportDef.h"
#include "documents/Rows.h"

namespace laptest {

inline const reports::ReportDef& Def(const char* name) {
  const reports::ReportDef* d = reports::FindReport(QString::fromLatin1(name));
  if (!d) qFatal("no document %s", name);
  return *d;
}

// n sales lines of March 2024, as the per-date and per-period documents read them.
inline reports::TableRows Jual(int n) {
  reports::TableRows rows({"No_Nota", "Tgl_Nota", "Kode_Barang", "Nama_Barang", "Harga_Jual", "Jumlah", "Subtotal"});
  for (int i = 0; i < n; ++i)
    rows.Add({QStringLiteral("JL-%1").arg(i + 1, 7, 10, QLatin1Char('0')),
              QDate(2024, 3, 1 + i % 28).toString(Qt::ISODate), QStringLiteral("001.002.%1").arg(i % 1000, 3, 10, QLatin1Char('0')),
              QStringLiteral("Barang nomor %1").arg(i + 1), qint64(1500 + i), qint64(1 + i % 9),
              qint64((1500 + i) * (1 + i % 9))});
  return rows;
}

inline QStringList Headings(const reports::ReportDef& d) {
  QStringList h;
  for (const reports::Column& c : d.columns) h << c.heading;
  return h;
}

// The texts of a band on a page, in the order laid out.
inline QStringList Texts(const reports::Page& p, reports::Band b) {
  QStringList t;
  for (const reports::TextItem& i : p.texts)
    if (i.band == b) t << i.text;
  return t;
}

inline void PinLocale(QLocale::Language l, QLocale::Country c) { QLocale::setDefault(QLocale(l, c)); }

// What a tool (pdfinfo, pdftotext) prints; the test program stops if it fails.
inline QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) qFatal("%s failed", qPrintable(program));
  return QString::fromUtf8(p.readAllStandardOutput());
}

// One entry of what pdfinfo tells of a PDF file ("Pages", "Page size").
inline QString PdfInfo(const QString& file, const QString& key) {
  for (const QString& line : Run("pdfinfo", {file}).split('\n'))
    if (line.startsWith(key + ":")) return line.mid(key.size() + 1).trimmed();
  return QString();
}

}  // namespace laptest
