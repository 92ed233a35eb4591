#include "db/Sql.h"

#include <QLocale>
#include <QRegularExpression>
#include <limits>

namespace db {

QString Quote(const QString& value) {
  QString s = value;
  s.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + s + QLatin1Char('\'');
}

namespace {
// The locale's short format with a two-digit year widened to four digits:
// Qt reads "yy" back in the 1900s, so 2031 would come back as 1931.
QString WideShortFormat() {
  QString f = QLocale().dateFormat(QLocale::ShortFormat);
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  f.replace(twoDigitYear, QStringLiteral("yyyy"));
  return f;
}
}  // namespace

QString ShortDateText(const QDate& date) { return QLocale().toString(date, WideShortFormat()); }

QDate ParseShortDateText(const QString& text) {
  const QString t = text.trimmed();
  QDate d = QLocale().toDate(t, WideShortFormat());
  if (d.isValid()) return d;
  static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  if (iso.match(t).hasMatch()) d = QDate::fromString(t, Qt::ISODate);
  return d;
}

qint64 LeadingNumber(const QString& text, bool* ok) {
  int i = 0;
  const int n = int(text.size());
  while (i < n && text[i] == QLatin1Char(' ')) ++i;
  bool neg = false;
  if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    neg = text[i] == QLatin1Char('-');
    ++i;
  }
  // Counted downwards, so the smallest 64-bit number fits as well. More
  // digits than 64 bits hold give no number rather than a different one.
  qint64 v = 0;
  bool fits = true;
  for (; fits && i < n && text[i].isDigit() && text[i].unicode() < 128; ++i)
    fits = !__builtin_mul_overflow(v, 10, &v) && !__builtin_sub_overflow(v, qint64(text[i].unicode() - '0'), &v);
  fits = fits && (neg || v != std::numeric_limits<qint64>::min());
  if (ok) *ok = fits;
  return !fits ? 0 : neg ? v : -v;
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
      const QDate d = ParseShortDateText(isi);
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

QString FailureText(const QString& statement, const QString& storeMessage, bool busy, const QString& what) {
  // What failed, from the statement's first word and its tables.
  QList<Token> tk;
  QStringList kata;  // words, names and commas; blanks and comments left out
  if (ReadStatement(statement, &tk, nullptr))
    for (const Token& t : tk) {
      if (t.kind == Token::Name) kata << t.value;
      if (t.kind == Token::Word || (t.kind == Token::Punct && statement[t.start] == QLatin1Char(',')))
        kata << statement.mid(t.start, t.len);
    }
  // The tables named after `w`: a list separated by commas.
  auto tabel = [&](const char* w) {
    QStringList daftar;
    int k = 0;
    while (k < kata.size() && kata[k].compare(QLatin1String(w), Qt::CaseInsensitive) != 0) ++k;
    for (++k; k < kata.size(); k += 2) {
      daftar << kata[k];
      if (k + 1 >= kata.size() || kata[k + 1] != QLatin1String(",")) break;
    }
    return daftar.join(QStringLiteral(", "));
  };
  const QString awal = kata.value(0).toUpper();
  QString apa;
  if (awal == QLatin1String("SELECT"))
    apa = QStringLiteral("MEMBACA DATA ") + tabel("FROM");
  else if (awal == QLatin1String("INSERT"))
    apa = QStringLiteral("MENAMBAH DATA ") + tabel("INTO");
  else if (awal == QLatin1String("UPDATE"))
    apa = QStringLiteral("MENGUBAH DATA ") + tabel("UPDATE");
  else if (awal == QLatin1String("DELETE"))
    apa = QStringLiteral("MENGHAPUS DATA ") + tabel("FROM");
  else
    apa = QStringLiteral("MENJALANKAN PERINTAH DATABASE");
  if (!what.isEmpty()) apa = what;
  const QString crlf = QStringLiteral("\r\n");
  QString teks = QStringLiteral("GAGAL ") + apa.trimmed();
  if (busy)
    teks = QStringLiteral("DATABASE SEDANG DIPAKAI PROGRAM LAIN") + crlf + teks + crlf +
           QStringLiteral("Tidak ada data yang berubah. Tunggu sebentar, lalu ulangi atau simpan kembali.");
  teks += crlf + crlf + QStringLiteral("Perintah: ") + ShortStatement(statement) + crlf +
          QStringLiteral("Pesan database: ") + storeMessage;
  return teks;
}

}  // namespace db
