#include "db/Sql.h"

#include "base/DateText.h"
#include "base/Number.h"

namespace db {

QString Quote(const QString& value) {
  QString s = value;
  s.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + s + QLatin1Char('\'');
}

qint64 LeadingNumber(const QString& text, bool* ok) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
  const base::Whole r = base::ReadWhole(text, i);
  if (ok) *ok = r.fits;
  return r.value;
}

namespace {
// The statement from position i, on one line and short, for messages.
QString Sisa(const QString& text, int i) { return ShortStatement(text.mid(i), 40); }

// Index just past the closing `close` of a literal opened at i; a doubled
// closing character stands for itself. -1 when it is never closed.
int AkhirLiteral(const QString& s, int i, QChar close, QString* value) {
  const int n = int(s.size());
  for (int j = i + 1; j < n; ++j) {
    if (s[j] != close) {
      *value += s[j];
      continue;
    }
    if (j + 1 < n && s[j + 1] == close) {
      *value += close;
      ++j;
      continue;
    }
    return j + 1;
  }
  return -1;
}
}  // namespace

bool ReadStatement(const QString& s, QList<Token>* tokens, QString* error) {
  QList<Token> out;
  const int n = int(s.size());
  auto gagal = [&](const QString& why) {
    if (error) *error = why;
    tokens->clear();
    return false;
  };
  int i = 0;
  while (i < n) {
    const QChar c = s[i];
    const QChar next = i + 1 < n ? s[i + 1] : QChar();
    Token t{Token::Punct, i, 1, QString()};
    if (c.isSpace()) {
      int j = i;
      while (j < n && s[j].isSpace()) ++j;
      t = {Token::Blank, i, j - i, QString()};
    } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
      int j = int(s.indexOf(QLatin1Char('\n'), i));
      j = j < 0 ? n : j;
      t = {Token::Comment, i, j - i, QString()};
    } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
      const int j = int(s.indexOf(QLatin1String("*/"), i + 2));
      if (j < 0) return gagal(QStringLiteral("Komentar /* tidak ditutup: %1").arg(Sisa(s, i)));
      t = {Token::Comment, i, j + 2 - i, QString()};
    } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      const int j = AkhirLiteral(s, i, c, &t.value);
      if (j < 0) return gagal(QStringLiteral("Tanda petik %1 tidak ditutup: %2").arg(c).arg(Sisa(s, i)));
      t.kind = Token::Text;
      t.len = j - i;
    } else if (c == QLatin1Char('[')) {
      const int j = int(s.indexOf(QLatin1Char(']'), i + 1));
      if (j < 0) return gagal(QStringLiteral("Tanda [ tidak ditutup: %1").arg(Sisa(s, i)));
      t = {Token::Name, i, j + 1 - i, s.mid(i + 1, j - i - 1)};
    } else if (c == QLatin1Char('#')) {
      const int j = int(s.indexOf(QLatin1Char('#'), i + 1));
      if (j < 0) return gagal(QStringLiteral("Tanda # tidak ditutup: %1").arg(Sisa(s, i)));
      const QString isi = s.mid(i + 1, j - i - 1);
      const QDate d = base::ParseShortDateText(isi);
      if (!d.isValid()) return gagal(QStringLiteral("Tanggal tidak dikenali: #%1#").arg(isi));
      t = {Token::Date, i, j + 1 - i, d.toString(QStringLiteral("yyyy-MM-dd"))};
    } else if (c.isLetter() || c == QLatin1Char('_')) {
      int j = i;
      while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_'))) ++j;
      t = {Token::Word, i, j - i, QString()};
    } else if (c.isDigit()) {
      int j = i;
      while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.'))) ++j;
      t = {Token::Number, i, j - i, QString()};
    }
    out.append(t);
    i = t.start + t.len;
  }
  *tokens = std::move(out);
  return true;
}

QString WriteSqlite(const QString& s, const QList<Token>& tokens, const QHash<int, QString>& replace) {
  QString out;
  out.reserve(s.size() + 16);
  for (int k = 0; k < tokens.size(); ++k) {
    const Token& t = tokens[k];
    if (auto it = replace.constFind(k); it != replace.constEnd()) {
      out += *it;
    } else if (t.kind == Token::Date || (t.kind == Token::Text && s[t.start] == QLatin1Char('"'))) {
      out += Quote(t.value);
    } else {
      out += QStringView(s).mid(t.start, t.len);
    }
  }
  return out;
}

bool TranslateJet(const QString& jet, QString* out, QString* error) {
  QList<Token> tokens;
  if (!ReadStatement(jet, &tokens, error)) return false;
  *out = WriteSqlite(jet, tokens);
  return true;
}

QString ShortStatement(const QString& statement, int max) {
  QString s = statement.simplified();
  if (s.size() > max) s = s.left(max - 3) + QStringLiteral("...");
  return s;
}

}  // namespace db
