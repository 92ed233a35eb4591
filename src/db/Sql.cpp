#include "db/Sql.h"

#include "base/DateText.h"
#include "base/Number.h"

#include <QRegularExpression>
#include <algorithm>

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

QString WriteStatement(const QString& s, const QList<Token>& tokens, Dialect dialect, const QHash<int, QString>& replace) {
  QString out;
  out.reserve(s.size() + 16);
  const bool server = dialect == Dialect::Postgres;
  auto word = [&](int k, const char* w) {
    return k >= 0 && k < tokens.size() && tokens[k].kind == Token::Word &&
           QStringView(s).mid(tokens[k].start, tokens[k].len).compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
  };
  auto punct = [&](int k, char c) {
    return k >= 0 && k < tokens.size() && tokens[k].kind == Token::Punct && s[tokens[k].start] == QLatin1Char(c);
  };
  auto significant = [&](int k, int step) {
    for (k += step; k >= 0 && k < tokens.size(); k += step)
      if (tokens[k].kind != Token::Blank && tokens[k].kind != Token::Comment) return k;
    return -1;
  };
  // The server wants a name for a query in FROM; the windows' dialect does not.
  QList<bool> derived;  // per open bracket: a query in FROM or JOIN
  int aliases = 0;
  for (int k = 0; k < tokens.size(); ++k) {
    const Token& t = tokens[k];
    if (server && punct(k, '(')) {
      const int before = significant(k, -1);
      derived << ((word(before, "FROM") || word(before, "JOIN")) && word(significant(k, 1), "SELECT"));
    }
    if (server && punct(k, ')') && !derived.isEmpty() && derived.takeLast()) {
      out += QLatin1Char(')');
      const int after = significant(k, 1);
      static const char* const clauses[] = {"WHERE", "ORDER", "GROUP", "HAVING", "LIMIT", "JOIN", "LEFT", "INNER",
                                            "RIGHT", "CROSS", "ON", "UNION", "EXCEPT", "INTERSECT"};
      bool named = after >= 0 && tokens[after].kind == Token::Word;
      for (const char* c : clauses) named = named && !word(after, c);
      if (!named) out += QStringLiteral(" AS q%1").arg(++aliases);
      continue;
    }
    if (auto it = replace.constFind(k); it != replace.constEnd()) {
      out += *it;
    } else if (t.kind == Token::Date || (t.kind == Token::Text && s[t.start] == QLatin1Char('"'))) {
      out += Quote(t.value);
    } else if (server && t.kind == Token::Word && QStringView(s).mid(t.start, t.len).compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0) {
      out += QLatin1String("ILIKE");
    } else if (server && t.kind == Token::Name) {
      // The server folds plain names to lower case, as its tables were made.
      static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
      if (plain.match(t.value).hasMatch())
        out += t.value;
      else
        out += QLatin1Char('"') + t.value.toLower().replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    } else {
      out += QStringView(s).mid(t.start, t.len);
    }
  }
  return out;
}

bool TranslateJet(const QString& jet, QString* out, QString* error, Dialect dialect) {
  QList<Token> tokens;
  if (!ReadStatement(jet, &tokens, error)) return false;
  *out = WriteStatement(jet, tokens, dialect);
  return true;
}

QString NumberMarks(const QString& sql, int* count) {
  *count = 0;
  QString out;
  out.reserve(sql.size() + 8);
  const int n = int(sql.size());
  for (int i = 0; i < n; ++i) {
    const QChar c = sql[i];
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      // Copied to its close (a doubled quote stays within it).
      int j = i + 1;
      while (j < n) {
        if (sql[j] == c && j + 1 < n && sql[j + 1] == c)
          j += 2;
        else if (sql[j] == c)
          break;
        else
          ++j;
      }
      j = std::min(j, n - 1);
      out += QStringView(sql).mid(i, j - i + 1);
      i = j;
    } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
      int j = int(sql.indexOf(QLatin1Char('\n'), i));
      j = j < 0 ? n : j;
      out += QStringView(sql).mid(i, j - i);
      i = j - 1;
    } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
      int j = int(sql.indexOf(QLatin1String("*/"), i + 2));
      j = j < 0 ? n : j + 2;
      out += QStringView(sql).mid(i, j - i);
      i = j - 1;
    } else if (c == QLatin1Char('?')) {
      out += QLatin1Char('$') + QString::number(++*count);
    } else {
      out += c;
    }
  }
  return out;
}

QString ServerSchema(const QString& schema) {
  // Literals and comments stand as they are; only the statement words change.
  struct Rule {
    QRegularExpression re;
    QString to;
  };
  static const QList<Rule> rules = [] {
    const auto ci = QRegularExpression::CaseInsensitiveOption;
    return QList<Rule>{
        {QRegularExpression(QStringLiteral("\\bTEXT\\s+COLLATE\\s+NOCASE\\b"), ci), QStringLiteral("citext")},
        {QRegularExpression(QStringLiteral("\\s+COLLATE\\s+NOCASE\\b"), ci), QString()},
        {QRegularExpression(QStringLiteral("\\bINTEGER\\s+PRIMARY\\s+KEY(\\s+AUTOINCREMENT)?\\b"), ci),
         QStringLiteral("bigserial PRIMARY KEY")},
        {QRegularExpression(QStringLiteral("\\bINTEGER\\b"), ci), QStringLiteral("bigint")},
        {QRegularExpression(QStringLiteral("\\bREAL\\b"), ci), QStringLiteral("double precision")},
        {QRegularExpression(QStringLiteral("\\bBLOB\\b"), ci), QStringLiteral("bytea")},
        {QRegularExpression(QStringLiteral("\\bDATETIME\\b"), ci), QStringLiteral("timestamp(0)")},
    };
  }();
  static const QRegularExpression createTable(QStringLiteral("^\\s*CREATE\\s+TABLE\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression primaryKey(QStringLiteral("\\bPRIMARY\\s+KEY\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
  QList<Token> tokens;
  if (!ReadStatement(schema, &tokens, nullptr)) return QString();
  QString out, code;
  auto flushCode = [&] {
    for (const Rule& r : rules) code.replace(r.re, r.to);
    out += code;
    code.clear();
  };
  // Statement by statement, so that a table without a key can be given one.
  QString script;
  auto endStatement = [&] {
    flushCode();
    QString st = out;
    out.clear();
    if (createTable.match(st).hasMatch() && !primaryKey.match(st).hasMatch()) {
      const int close = int(st.lastIndexOf(QLatin1Char(')')));
      if (close > 0)
        st.insert(close, QStringLiteral(",\n  %1 bigserial PRIMARY KEY\n").arg(QLatin1String(kHiddenKey)));
    }
    script += st;
  };
  for (const Token& t : tokens) {
    if (t.kind == Token::Comment) continue;
    if (t.kind == Token::Text) {
      flushCode();
      out += QStringView(schema).mid(t.start, t.len);
      continue;
    }
    code += QStringView(schema).mid(t.start, t.len);
    if (t.kind == Token::Punct && schema[t.start] == QLatin1Char(';')) endStatement();
  }
  endStatement();
  return script;
}

QString ShortStatement(const QString& statement, int max) {
  QString s = statement.simplified();
  if (s.size() > max) s = s.left(max - 3) + QStringLiteral("...");
  return s;
}

}  // namespace db
