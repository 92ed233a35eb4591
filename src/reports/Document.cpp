#include "reports/Document.h"

#include <map>
#include <memory>

#include "reports/DeLaporan.h"
#include "reports/PreviewWindow.h"
#include "ui/Seams.h"

namespace reports {

Document& Document::Get(const QString& name) {
  static std::map<QString, std::unique_ptr<Document>> made;
  auto it = made.find(name);
  if (it == made.end()) {
    const ReportDef* def = FindReport(name);
    if (!def) qFatal("no report document %s", qPrintable(name));
    it = made.emplace(name, std::unique_ptr<Document>(new Document(def))).first;
  }
  return *it->second;
}

void Document::SetCaption(const QString& label, const QString& caption) {
  bool known = false;
  for (const HeaderRow& h : def_->header) known = known || h.label == label;
  for (const Column& c : def_->columns) known = known || c.label == label;
  if (!known) qWarning("%s has no label %s", qPrintable(def_->name), qPrintable(label));
  captions_.insert(label, caption);
}

bool Document::Show(QWidget* parent) {
  auto tell = [this](const QString& why) {
    ui::MsgBox(def_->windowTitle.toUpper() + QStringLiteral(" TIDAK DAPAT DITAMPILKAN\n") + why,
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Kesalahan"));
    return false;
  };
  QString error;
  const db::RecordsetPtr rs = DeLaporan().Execute(def_->command, &error);
  if (!rs) {
    const QString text = DeLaporan().CommandText(def_->command).simplified();
    return tell(error + QStringLiteral("\n") + def_->command + QStringLiteral(": ") +
                (text.size() > 200 ? text.left(200) + QStringLiteral(" ...") : text));
  }
  const RecordsetRows rows(rs);
  // A column bound to a field the command does not return would print empty.
  for (const Column& c : def_->columns)
    if (c.label.isEmpty() && rows.Field(c.field) < 0)
      return tell(QStringLiteral("Kolom %1 tidak ada pada hasil perintah %2").arg(c.field, def_->command));
  PreviewWindow w(*def_, captions_, rows, parent);
  ui::ShowModal(&w);
  return true;
}

}  // namespace reports
