#pragma once
// The tests' databases on a server: when MERAPU_TEST_SERVER names one (a
// socket folder or host, as scripts/test.sh sets it), every case gets a fresh
// database there, copied from one made from the schema once per program.
#include <QCoreApplication>
#include <QRegularExpression>
#include <QtTest>

#include "db/Connection.h"
#include "db/Server.h"

namespace testsupport {

inline bool OnServer() { return !qEnvironmentVariableIsEmpty("MERAPU_TEST_SERVER"); }

inline db::Description ServerDatabase(const QString& name) {
  db::Description d;
  d.kind = db::Description::Kind::Server;
  d.host = qEnvironmentVariable("MERAPU_TEST_SERVER");
  d.dbname = name;
  return d;
}

// What the store itself says of a table that is not there.
inline QString NoSuchTable(const QString& table) {
  return OnServer() ? QStringLiteral("relation \"%1\" does not exist").arg(table.toLower())
                    : QStringLiteral("no such table: ") + table;
}

// The file engine's functions the tests' own queries use, on the server.
inline const char* kSqliteShims = R"(
CREATE FUNCTION merapu_concat(acc text, v text, sep text) RETURNS text LANGUAGE sql IMMUTABLE AS
  $$ SELECT CASE WHEN v IS NULL THEN acc WHEN acc IS NULL THEN v ELSE acc || sep || v END $$;
CREATE FUNCTION merapu_concat(acc text, v text) RETURNS text LANGUAGE sql IMMUTABLE AS
  $$ SELECT merapu_concat(acc, v, ',') $$;
CREATE AGGREGATE group_concat(text, text) (SFUNC = merapu_concat, STYPE = text);
CREATE AGGREGATE group_concat(text) (SFUNC = merapu_concat, STYPE = text);
CREATE FUNCTION typeof(v anyelement) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN v IS NULL THEN 'null'
              WHEN pg_typeof(v) IN ('bigint'::regtype, 'integer'::regtype, 'smallint'::regtype) THEN 'integer'
              WHEN pg_typeof(v) IN ('double precision'::regtype, 'real'::regtype, 'numeric'::regtype) THEN 'real'
              ELSE 'text' END $$;
-- printf's %d and %0Nd, the only conversions the tests ask for.
CREATE FUNCTION printf(fmt text, VARIADIC a bigint[]) RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  out text := ''; i int := 1; m text[]; v text;
BEGIN
  LOOP
    m := regexp_match(fmt, '^(.*?)%(0?)(\d*)d(.*)$');
    EXIT WHEN m IS NULL;
    v := a[i]::text;
    IF m[3] <> '' AND length(v) < m[3]::int THEN
      v := lpad(v, m[3]::int, CASE WHEN m[2] = '0' THEN '0' ELSE ' ' END);
    END IF;
    out := out || m[1] || v;
    fmt := m[4];
    i := i + 1;
  END LOOP;
  RETURN out || fmt;
END $$;
)";

// A test's trigger written for the file engine (BEFORE INSERT|UPDATE ON T
// [WHEN cond] BEGIN SELECT RAISE(ABORT, 'why'); END) as the server's; any
// other statement as it stands.
inline QString ServerStatement(const QString& sql, bool* script) {
  static const QRegularExpression trigger(
      QStringLiteral(R"(^\s*CREATE TRIGGER (\w+) BEFORE (INSERT|UPDATE|DELETE) ON (\w+)(?: WHEN (.+?))? BEGIN SELECT RAISE\(ABORT, '([^']*)'\); END\s*$)"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression drop(QStringLiteral(R"(^\s*DROP TRIGGER (\w+)\s*$)"),
                                       QRegularExpression::CaseInsensitiveOption);
  if (const QRegularExpressionMatch d = drop.match(sql); d.hasMatch()) {
    *script = true;
    return QStringLiteral("DO $d$ DECLARE t text; BEGIN SELECT tgrelid::regclass INTO t FROM pg_trigger WHERE tgname = "
                          "lower('%1'); EXECUTE format('DROP TRIGGER %1 ON %s', t); END $d$")
        .arg(d.captured(1));
  }
  const QRegularExpressionMatch m = trigger.match(sql);
  *script = m.hasMatch();
  if (!m.hasMatch()) return sql;
  const QString cond = m.captured(4).isEmpty() ? QStringLiteral("true") : m.captured(4);
  const QString row = m.captured(2).compare(QLatin1String("DELETE"), Qt::CaseInsensitive) == 0 ? "OLD" : "NEW";
  return QStringLiteral("CREATE FUNCTION %1_f() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN IF %2 THEN "
                        "RAISE EXCEPTION '%3'; END IF; RETURN %4; END $f$; "
                        "CREATE TRIGGER %1 BEFORE %5 ON %6 FOR EACH ROW EXECUTE FUNCTION %1_f()")
      .arg(m.captured(1), cond, m.captured(5), row, m.captured(2), m.captured(3));
}

// A new database with the schema's empty tables.
inline db::Description FreshServerDatabase() {
  static int n = 0;
  const QString pid = QString::number(QCoreApplication::applicationPid());
  static const QString templ = [&] {
    const QString name = QStringLiteral("merapu_tpl_") + pid;
    QString why;
    db::DropDatabase(ServerDatabase(name), name, &why);
    db::Connection c;
    if (!c.Create(ServerDatabase(name)) || !c.ExecRaw(QString::fromLatin1(kSqliteShims)))
      qFatal("cannot create the tests' database: %s", qPrintable(c.LastError()));
    c.Close();
    // Dropped when the program ends.
    std::atexit([] {
      QString w;
      const QString t = QStringLiteral("merapu_tpl_") + QString::number(QCoreApplication::applicationPid());
      db::DropDatabase(ServerDatabase(t), t, &w);
    });
    return name;
  }();
  const QString name = QStringLiteral("merapu_t%1_%2").arg(pid).arg(++n);
  QString why;
  if (!db::CreateDatabase(ServerDatabase(name), name, templ, &why)) qFatal("cannot create %s: %s", qPrintable(name), qPrintable(why));
  return ServerDatabase(name);
}

inline void DropServerDatabase(const db::Description& d) {
  QString why;
  db::DropDatabase(d, d.dbname, &why);
}

}  // namespace testsupport
