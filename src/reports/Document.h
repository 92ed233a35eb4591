#pragma once
// A report document at run time: its definition and the captions its labels
// carry. A report window hands over in a few lines:
//
//   reports::DeLaporan().CommandText("cmdJualNota") = SQL;
//   reports::Document& rpt = reports::Document::Get("rptLapJualNota");
//   rpt.SetCaption("LblNota", nota);
//   rpt.SetCaption("LblTgl", today);
//   rpt.Show(this);
//
// Show runs the command afresh, so every showing prints the rows of the text
// written just before it, and shows the preview modally, maximised.
#include <QString>

#include "documents/Layout.h"

class QWidget;

namespace reports {

class Document {
 public:
  // The document of that name, made at its first use.
  static Document& Get(const QString& name);

  const ReportDef& Def() const { return *def_; }
  // Sets the caption of a value label of the report header or of an
  // unbound label of the detail band.
  void SetCaption(const QString& label, const QString& caption);
  QString Caption(const QString& label) const { return captions_.value(label); }
  const Captions& AllCaptions() const { return captions_; }

  // Runs the command and shows the preview until the person closes it.
  // False, after telling the person why, when the rows cannot be read.
  bool Show(QWidget* parent = nullptr);

 private:
  explicit Document(const ReportDef* def) : def_(def) {}
  const ReportDef* def_;
  Captions captions_;
};

}  // namespace reports
