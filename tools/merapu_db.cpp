// merapu-db: makes the shop's database file, empty for a real shop or filled
// with a demo shop for trying the program out.
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include "db/Backup.h"
#include "db/Connection.h"
#include "db/Copy.h"
#include "db/SqliteEngine.h"
#include "db/Password.h"
#include "db/Recordset.h"
#include "db/Server.h"
#include "db/Sql.h"
#include "demodata.h"

namespace {

const char* const kUsage =
    "Usage: merapu-db create [--force] [--demo] PATH [options]\n"
    "       merapu-db create --server URL [--demo] [options]\n"
    "       merapu-db upgrade PATH|URL\n"
    "       merapu-db copy FROM TO\n"
    "\n"
    "Creates a new database file for the shop program at PATH (the program reads\n"
    "ZovaDavezuZi.mdb in its own folder) with one ADMIN user.\n"
    "\n"
    "  --admin-user ID        user id of the ADMIN user (4 to 30 characters)\n"
    "  --admin-password PW    its password (1 to 30 characters)\n"
    "  --admin-name NAME      its name as shown in the status bar\n"
    "                         (default ADMINISTRATOR; stored in capitals)\n"
    "  --force                replace PATH if it already exists\n"
    "  --demo                 also fill in a demo shop: groups, products, 35 stock\n"
    "                         items (most with a barcode), suppliers, customers\n"
    "                         and five weeks of sales, purchases and cash-book\n"
    "                         entries up to today\n"
    "  --today yyyy-MM-dd     with --demo: the last day of the demo trade\n"
    "\n"
    "Without --admin-user or --admin-password the missing values are asked for\n"
    "when input is a terminal. With --demo they default to the demo logins:\n"
    "  ADMIN  user admin, password admin\n"
    "  KASIR  user kasir, password kasir (always added by --demo)\n"
    "\n"
    "Exit status: 0 when the file was made, 1 when it could not be made,\n"
    "2 on a wrong command line. An existing file is never touched without\n"
    "--force, and a failed run leaves PATH as it was.\n"
    "\n"
    "upgrade adds to an existing database file the tables (Barcode, the items'\n"
    "barcodes; LogLaci, the drawer openings; Retur and Detail_Retur, the\n"
    "returns; Kas_Awal and Tutup_Kasir, the floats and closes of the cashiers'\n"
    "days) and indexes that this version of the program uses and the file\n"
    "lacks, and stores as hashes the passwords an older version kept as typed (all of them, or none when it fails); no\n"
    "other row is touched. Exit status 0 when the file is up to date.\n"
    "\n"
    "A shop with several tills keeps its database on a PostgreSQL server, named\n"
    "by a URL: postgresql://USER@HOST:PORT/DBNAME (a socket folder as\n"
    "postgresql:///DBNAME?host=/run/postgresql). create --server makes the\n"
    "database when the server lacks it, then the same tables and indexes.\n"
    "copy moves a shop's whole history from FROM to TO (each a file or a URL) in\n"
    "one transaction, checked by the row count of every table and the sum of\n"
    "every amount column; TO must be new or empty.\n";

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int Fail(const QString& message, int code = kFailed) {
  std::fprintf(stderr, "merapu-db: %s\n", message.toLocal8Bit().constData());
  return code;
}

// Asks for one line on the terminal; a password is read without echo.
bool Ask(const QString& prompt, bool hidden, QString* answer) {
  std::fprintf(stderr, "%s", prompt.toLocal8Bit().constData());
  std::fflush(stderr);
  termios old{};
  const bool muted = hidden && tcgetattr(STDIN_FILENO, &old) == 0;
  if (muted) {
    termios quiet = old;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  std::string line;
  const bool got = bool(std::getline(std::cin, line));
  if (muted) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
    std::fprintf(stderr, "\n");
  }
  *answer = QString::fromLocal8Bit(line.c_str());
  return got;
}

struct Options {
  bool force = false;
  bool demo = false;
  QString path;
  QString adminId, adminPassword, adminName;
  bool haveId = false, havePassword = false, haveName = false;
  QString today;
  QString server;  // create on this server instead of in a file
};

// Returns 0 when parsed, otherwise the exit code after printing the reason.
int Parse(const QStringList& args, Options* o, bool* help) {
  *help = false;
  if (args.isEmpty()) return Fail("missing command; try 'merapu-db --help'", kUsageError);
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    *help = true;
    return 0;
  }
  if (args[0] == "upgrade") {
    if (args.size() != 2 || args[1].startsWith("--")) return Fail("usage: merapu-db upgrade PATH|URL", kUsageError);
    o->path = args[1];
    return 0;
  }
  if (args[0] != "create")
    return Fail("unknown command '" + args[0] + "'; try 'merapu-db --help'", kUsageError);

  for (int i = 1; i < args.size(); ++i) {
    QString a = args[i];
    QString value;
    bool inlineValue = false;
    if (a.startsWith("--") && a.contains('=')) {
      value = a.mid(a.indexOf('=') + 1);
      a = a.left(a.indexOf('='));
      inlineValue = true;
    }
    auto takeValue = [&](QString* into, bool* have) {
      if (!inlineValue) {
        if (i + 1 >= args.size()) return false;
        value = args[++i];
      }
      *into = value;
      *have = true;
      return true;
    };
    if (a == "--help" || a == "-h") {
      *help = true;
      return 0;
    } else if (a == "--force" && !inlineValue) {
      o->force = true;
    } else if (a == "--demo" && !inlineValue) {
      o->demo = true;
    } else if (a == "--admin-user") {
      if (!takeValue(&o->adminId, &o->haveId)) return Fail("--admin-user needs a user id", kUsageError);
    } else if (a == "--admin-password") {
      if (!takeValue(&o->adminPassword, &o->havePassword))
        return Fail("--admin-password needs a password", kUsageError);
    } else if (a == "--admin-name") {
      if (!takeValue(&o->adminName, &o->haveName)) return Fail("--admin-name needs a name", kUsageError);
    } else if (a == "--server") {
      bool have = false;
      if (!takeValue(&o->server, &have)) return Fail("--server needs a URL (postgresql://...)", kUsageError);
    } else if (a == "--today") {
      bool have = false;
      if (!takeValue(&o->today, &have)) return Fail("--today needs a date (yyyy-MM-dd)", kUsageError);
    } else if (a.startsWith('-') && a.size() > 1) {
      return Fail("unknown option '" + a + "'; try 'merapu-db --help'", kUsageError);
    } else if (o->path.isEmpty()) {
      o->path = args[i];
    } else {
      return Fail("more than one PATH given ('" + o->path + "' and '" + args[i] + "')", kUsageError);
    }
  }
  if (!o->server.isEmpty() && !o->path.isEmpty())
    return Fail("give either --server URL or PATH, not both", kUsageError);
  if (o->path.isEmpty() && o->server.isEmpty()) return Fail("missing PATH of the database file to create", kUsageError);
  if (!o->today.isEmpty() && !o->demo) return Fail("--today is only used with --demo", kUsageError);
  return 0;
}

// Fills in the ADMIN login: given, demo default, or asked on the terminal.
int CompleteLogin(Options* o) {
  const bool terminal = isatty(STDIN_FILENO);
  if (!o->haveId) {
    if (o->demo) {
      o->adminId = demodata::kAdminId;
      if (!o->havePassword) {
        o->adminPassword = demodata::kAdminPassword;
        o->havePassword = true;
      }
    } else if (!terminal) {
      return Fail("missing --admin-user (input is not a terminal to ask on)", kUsageError);
    } else if (!Ask("ADMIN user id: ", false, &o->adminId)) {
      return Fail("no ADMIN user id given");
    }
    o->haveId = true;
  }
  o->adminId = o->adminId.trimmed();
  if (o->adminId.size() < 4 || o->adminId.size() > 30)
    return Fail("the ADMIN user id must be 4 to 30 characters long", kUsageError);
  if (o->demo && o->adminId.compare(demodata::kKasirId, Qt::CaseInsensitive) == 0)
    return Fail(QString("the ADMIN user id '%1' is taken by the demo cashier").arg(o->adminId),
                kUsageError);

  if (!o->havePassword) {
    if (!terminal)
      return Fail("missing --admin-password (input is not a terminal to ask on)", kUsageError);
    QString again;
    if (!Ask("Password for " + o->adminId + ": ", true, &o->adminPassword) ||
        !Ask("Same password again: ", true, &again))
      return Fail("no password given");
    if (again != o->adminPassword) return Fail("the two passwords differ");
    o->havePassword = true;
  }
  // The login window refuses an empty password, so such a user could never log in.
  if (o->adminPassword.isEmpty() || o->adminPassword.size() > 30)
    return Fail("the ADMIN password must be 1 to 30 characters long", kUsageError);

  if (!o->haveName) o->adminName = demodata::kAdminName;
  o->adminName = o->adminName.trimmed().toUpper();
  if (o->adminName.isEmpty() || o->adminName.size() > 60)
    return Fail("the ADMIN name must be 1 to 60 characters long", kUsageError);
  return 0;
}

// The file being built, as plain bytes a signal handler may use: a run
// stopped by TERM, INT or HUP removes it (and SQLite's journal beside it)
// before it ends, as the signal would have ended it.
char workFile[4096];
char workJournal[4096 + 8];

void RemoveWorkAndDie(int sig) {
  if (workFile[0]) ::unlink(workFile);
  if (workJournal[0]) ::unlink(workJournal);
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

void GuardWork(const QString& work) {
  const QByteArray f = QFile::encodeName(work);
  const QByteArray j = f + "-journal";
  if (size_t(j.size()) >= sizeof(workFile)) return;  // too long to keep; nothing to guard
  std::memcpy(workJournal, j.constData(), size_t(j.size()) + 1);
  std::memcpy(workFile, f.constData(), size_t(f.size()) + 1);
  struct sigaction sa {};
  sa.sa_handler = RemoveWorkAndDie;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

// A run killed outright (KILL, a power cut) cannot clean up: its work file
// is left beside the target under the name of a process that is gone.
// Remove such files; those of a run still going are left alone.
void RemoveStaleWork(const QDir& folder, const QString& targetName) {
  const QString prefix = "." + targetName + ".new-";
  for (const QString& name : folder.entryList({prefix + "*"}, QDir::Files | QDir::Hidden | QDir::System)) {
    QString pid = name.mid(prefix.size());
    if (pid.endsWith("-journal")) pid.chop(8);
    bool ok = false;
    const long n = pid.toLong(&ok);
    if (!ok || n <= 0) continue;
    if (::kill(pid_t(n), 0) == -1 && errno == ESRCH) QFile::remove(folder.filePath(name));
  }
}

// Writes the rows into a freshly created file; false with *error on failure.
bool Populate(db::Connection& conn, const Options& o, const QDate& lastDay,
              demodata::Summary* summary, QString* error) {
  if (!conn.BeginTrans()) {
    *error = conn.LastError();
    return false;
  }
  QString hash;
  if (!db::HashPassword(o.adminPassword, &hash, error)) {
    conn.RollbackTrans();
    return false;
  }
  bool ok = conn.Execute("INSERT INTO Pengguna (UserId,PassId,Nama,Level) VALUES (" + db::Quote(o.adminId) + "," +
                         db::Quote(hash) + "," + db::Quote(o.adminName) + ",'ADMIN')");
  if (!ok) *error = conn.LastError();
  if (ok && o.demo) ok = demodata::Fill(conn, lastDay, o.adminId, summary, error);
  if (ok && !conn.CommitTrans()) {
    *error = conn.LastError();
    ok = false;
  }
  if (!ok) conn.RollbackTrans();
  return ok;
}

// A store named on the command line: a server's URL or a file.
bool Named(const QString& arg, db::Description* d, QString* why) {
  if (db::IsServerUrl(arg)) return db::Description::FromUrl(arg, d, why);
  *d = db::Description::File(arg);
  return true;
}

QString Summary(const QString& what, const Options& o, const demodata::Summary& summary);

// The shop's tables on a server: made in one transaction, then the logins
// (and the demo shop) in another; when that fails the tables go again.
int CreateOnServer(Options o, const QDate& lastDay) {
  db::Description where;
  QString why;
  if (!db::Description::FromUrl(o.server, &where, &why)) return Fail(why, kUsageError);
  if (int rc = CompleteLogin(&o)) return rc;
  db::Connection conn;
  if (conn.Open(where)) return Fail(where.Target() + " already holds a shop's database; nothing was changed");
  if (conn.Failure().is(db::Error::Kind::ConnectionLost)) return Fail(conn.LastError());
  if (!conn.Create(where)) return Fail("cannot create the shop's tables on " + where.Target() + ": " + conn.LastError());
  demodata::Summary summary;
  if (!Populate(conn, o, lastDay, &summary, &why)) {
    QStringList tables;
    for (const auto& t : db::FullSchemaReference()) tables << t.first;
    (void)conn.ExecRaw("DROP TABLE IF EXISTS " + tables.join(", "));
    return Fail("cannot fill " + where.Target() + ": " + why);
  }
  std::printf("%s\n", Summary(where.Target(), o, summary).toLocal8Bit().constData());
  return 0;
}

int Create(Options o) {
  QDate lastDay = QDate::currentDate();
  if (!o.today.isEmpty()) {
    lastDay = QDate::fromString(o.today, "yyyy-MM-dd");
    if (!lastDay.isValid()) return Fail("--today '" + o.today + "' is not a date written yyyy-MM-dd", kUsageError);
  }
  if (!o.server.isEmpty()) return CreateOnServer(o, lastDay);
  const QFileInfo target(o.path);
  if (target.isDir()) return Fail("'" + o.path + "' is a folder, not a database file");
  if (target.exists() && !o.force)
    return Fail("'" + o.path + "' already exists; use --force to replace it");
  const QDir folder = target.absoluteDir();
  if (!folder.exists()) return Fail("cannot create '" + o.path + "': folder '" + folder.path() + "' does not exist");
  if (int rc = CompleteLogin(&o)) return rc;

  // Build the file beside the target and move it into place only when it is
  // complete: a failure never leaves a half-made file or loses the old one.
  RemoveStaleWork(folder, target.fileName());
  const QString work = folder.filePath("." + target.fileName() + ".new-" +
                                       QString::number(QCoreApplication::applicationPid()));
  QFile::remove(work);
  GuardWork(work);
  demodata::Summary summary;
  {
    db::Connection conn;
    if (!conn.Create(db::Description::File(work))) {
      const QString why = conn.LastError();
      conn.Close();
      QFile::remove(work);
      return Fail("cannot create '" + o.path + "': " + why);
    }
    QString why;
    if (!Populate(conn, o, lastDay, &summary, &why)) {
      conn.Close();
      QFile::remove(work);
      return Fail("cannot fill '" + o.path + "': " + why);
    }
    conn.Close();
  }
  if (std::rename(QFile::encodeName(work).constData(), QFile::encodeName(o.path).constData()) != 0) {
    const QString why = QString::fromLocal8Bit(std::strerror(errno));
    QFile::remove(work);
    return Fail("cannot move the new file to '" + o.path + "': " + why);
  }
  // The name is the last step: on the disk before we say the file is there.
  db::SyncToDisk(folder.absolutePath());

  std::printf("%s\n", Summary(o.path, o, summary).toLocal8Bit().constData());
  return 0;
}

QString Summary(const QString& what, const Options& o, const demodata::Summary& summary) {
  QString line;
  if (o.demo) {
    line = QString("Created demo database %1 (%2 groups, %3 products, %4 items, %5 suppliers, "
                   "%6 customers, %7 sales, %8 purchases, %9 cash entries); ")
               .arg(what)
               .arg(summary.groups)
               .arg(summary.products)
               .arg(summary.items)
               .arg(summary.suppliers)
               .arg(summary.customers)
               .arg(summary.sales)
               .arg(summary.purchases)
               .arg(summary.ledger);
    const bool demoAdmin = o.adminId == demodata::kAdminId && o.adminPassword == demodata::kAdminPassword;
    line += "logins: ADMIN " + o.adminId + (demoAdmin ? QString(" / ") + demodata::kAdminPassword : QString()) +
            ", KASIR " + demodata::kKasirId + " / " + demodata::kKasirPassword;
  } else {
    line = "Created database " + what + "; login: ADMIN " + o.adminId;
  }
  return line;
}

// Replaces every password still kept as typed by its hash, in one
// transaction: all of them or none. An empty password is left empty (such a
// user cannot log in, and must not look as if they could). *converted counts
// the rows.
bool HashPlainPasswords(const db::ConnectionPtr& conn, int* converted, QString* error) {
  *converted = 0;
  if (!conn->BeginTrans()) {
    *error = conn->LastError();
    return false;
  }
  auto fail = [&](const QString& why) {
    *error = why;
    conn->RollbackTrans();
    *converted = 0;
    return false;
  };
  // The rows are read inside the transaction, so no till changes one between.
  db::Recordset rs;
  if (!rs.Open("SELECT UserId, PassId FROM Pengguna ORDER BY UserId", conn)) return fail(rs.LastError());
  for (; !rs.Eof(); rs.MoveNext()) {
    const QString stored = rs.Text("PassId");
    if (stored.isEmpty() || db::IsPasswordHash(stored)) continue;
    QString hash, why;
    if (!db::HashPassword(stored, &hash, &why)) return fail(why);
    int rows = 0;
    if (!conn->Execute("UPDATE Pengguna SET PassId=" + db::Quote(hash) + " WHERE UserId=" + db::Quote(rs.Text("UserId")),
                       &rows))
      return fail(conn->LastError());
    *converted += rows;
  }
  if (!conn->CommitTrans()) return fail(conn->LastError());
  return true;
}

// Adds the schema's tables and indexes that the file lacks, in one transaction, then
// stores as hashes the passwords an older version kept as typed.
int Upgrade(const QString& path) {
  auto conn = std::make_shared<db::Connection>();
  QStringList added;
  db::Description where;
  QString named;
  if (!Named(path, &where, &named)) return Fail(named, kUsageError);
  if (!conn->Open(where) || !conn->AddMissingSchema(&added))
    return Fail(path + ": " + conn->LastError());
  int converted = 0;
  QString why;
  if (!HashPlainPasswords(conn, &converted, &why))
    return Fail(path + ": " + (added.isEmpty() ? QString() : "added " + added.join(", ") + "; ") +
                "passwords not converted: " + why);
  QStringList done;
  if (!added.isEmpty()) done << "added " + added.join(", ");
  if (converted > 0) done << QString("%1 password%2 stored as hash%3").arg(converted).arg(converted == 1 ? "" : "s")
                                   .arg(converted == 1 ? "" : "es");
  std::printf("%s\n", (path + ": " + (done.isEmpty() ? QString("up to date") : done.join("; ")))
                          .toLocal8Bit().constData());
  return 0;
}

// ---- backup, verify, restore ---------------------------------------------------

const char* const kBackupUsage =
    "\n"
    "Usage: merapu-db backup DB [DEST]\n"
    "       merapu-db verify FILE\n"
    "       merapu-db restore BACKUP DB\n"
    "\n"
    "backup   copies the database DB while it may be in use, checks the copy\n"
    "         (integrity, tables and columns, the rows of every table) and only\n"
    "         then gives it its name. DEST is the new file or a folder to put it\n"
    "         in; without DEST the copy goes into the folder backup/ beside DB,\n"
    "         named by date and time.\n"
    "verify   says in one line whether FILE is a sound database of the program;\n"
    "         exit status 0 only if it is.\n"
    "restore  checks BACKUP, then puts it in the place of DB. Refused while the\n"
    "         program has DB open. The file replaced is kept beside DB as\n"
    "         <name>-sebelum-pulih-<date>-<time>.mdb.\n"
    "On a server (DB a postgresql:// URL) backup writes a pg_dump custom-format\n"
    "file (default: <dbname>-<date>-<time>.dump here), checked by restoring it\n"
    "into a scratch database and comparing the row counts; restore is refused\n"
    "while another till is connected and keeps the replaced database on the\n"
    "server as <dbname>_sebelum_pulih_<date>_<time>.\n"
    "\n"
    "Exit status: 0 on success, 1 when it failed (nothing is left that looks\n"
    "like a good copy, and DB is as it was), 2 on a wrong command line.\n";

QString Line(const QString& s) { return QString(s).replace('\n', ' '); }
int VerifyServer(const QString& url);

int BackupCommand(const QStringList& args) {
  const QString& command = args[0];
  const QStringList files = args.mid(1);
  for (const QString& f : files)
    if (f.startsWith('-') && f.size() > 1)
      return Fail("unknown option '" + f + "' for " + command + "; try 'merapu-db --help'", kUsageError);
  if (command == "verify") {
    if (files.size() != 1) return Fail("verify needs exactly one FILE", kUsageError);
    if (db::IsServerUrl(files[0])) return VerifyServer(files[0]);
    QString why;
    db::RowCounts counts;
    if (!db::Verify(files[0], &why, &counts)) {
      std::printf("%s: NOT a sound database of this program: %s\n", qPrintable(files[0]), qPrintable(Line(why)));
      return kFailed;
    }
    qint64 rows = 0;
    for (qint64 n : counts) rows += n;
    std::printf("%s: sound database (%lld tables, %lld rows)\n", qPrintable(files[0]), qlonglong(counts.size()),
                qlonglong(rows));
    return 0;
  }
  if (command == "backup") {
    if (files.isEmpty() || files.size() > 2) return Fail("backup needs DB and at most one DEST", kUsageError);
    const QString& source = files[0];
    QString dest;
    const QDateTime now = QDateTime::currentDateTime();
    if (db::IsServerUrl(source)) {
      db::Description d;
      QString why;
      if (!db::Description::FromUrl(source, &d, &why)) return Fail(why, kUsageError);
      const QString name = d.dbname + now.toString("-yyyy-MM-dd-HHmmss") + ".dump";
      dest = files.size() == 1 ? name : QFileInfo(files[1]).isDir() ? QDir(files[1]).filePath(name) : files[1];
      if (!db::ServerBackup(d, dest, &why)) return Fail("backup of " + d.Target() + " failed: " + Line(why));
      std::printf("Backup of %s written to %s (checked)\n", qPrintable(d.Target()), qPrintable(dest));
      return 0;
    }
    if (files.size() == 1) {
      const QString folder = db::BackupFolder(source);
      if (QFileInfo(source).isFile() && !QDir().mkpath(folder))
        return Fail("backup of " + source + " failed: cannot make the folder " + folder);
      dest = db::BackupName(source, now);
    } else if (QFileInfo(files[1]).isDir()) {
      dest = QDir(files[1]).filePath(QFileInfo(db::BackupName(source, now)).fileName());
    } else {
      dest = files[1];
    }
    QString why;
    if (!db::Backup(source, dest, &why)) return Fail("backup of " + source + " failed: " + Line(why));
    std::printf("Backup of %s written to %s (checked)\n", qPrintable(source), qPrintable(dest));
    return 0;
  }
  // restore
  if (files.size() != 2) return Fail("restore needs BACKUP and DB", kUsageError);
  QString kept, why;
  if (db::IsServerUrl(files[1])) {
    db::Description d;
    if (!db::Description::FromUrl(files[1], &d, &why)) return Fail(why, kUsageError);
    if (!db::ServerRestore(files[0], d, QDateTime::currentDateTime().toString("yyyyMMdd_HHmmss"), &kept, &why))
      return Fail("restore of " + d.Target() + " refused: " + Line(why));
    std::printf("Restored %s from %s; the replaced database is kept on the server as %s\n", qPrintable(d.Target()),
                qPrintable(files[0]), qPrintable(kept));
    return 0;
  }
  if (!db::Restore(files[0], files[1], QDateTime::currentDateTime(), &kept, &why))
    return Fail("restore of " + files[1] + " refused: " + Line(why));
  std::printf("Restored %s from %s%s\n", qPrintable(files[1]), qPrintable(files[0]),
              kept.isEmpty() ? "" : qPrintable("; the replaced file is kept as " + kept));
  return 0;
}

// The whole shop from one store into a new or empty one.
int Copy(const QStringList& args) {
  if (args.size() != 3) return Fail("usage: merapu-db copy FROM TO (each a file or a postgresql:// URL)", kUsageError);
  db::Description from, to;
  QString why;
  if (!Named(args[1], &from, &why) || !Named(args[2], &to, &why)) return Fail(why, kUsageError);
  if (from == to) return Fail("FROM and TO are the same database", kUsageError);
  db::Connection source, target;
  if (!source.Open(from)) return Fail("cannot open " + from.Target() + ": " + source.LastError());
  bool made = false;
  if (to.IsFile()) {
    if (QFileInfo::exists(to.path)) {
      if (!target.Open(to)) return Fail("cannot open " + to.Target() + ": " + target.LastError());
    } else {
      if (!target.Create(to)) return Fail("cannot create " + to.Target() + ": " + target.LastError());
      made = true;
    }
  } else if (!target.Open(to)) {
    if (target.Failure().is(db::Error::Kind::ConnectionLost)) return Fail(target.LastError());
    if (!target.Create(to)) return Fail("cannot create the shop's tables on " + to.Target() + ": " + target.LastError());
  }
  QList<db::TableTally> tally;
  if (!db::CopyShop(source, target, &tally, &why)) {
    target.Close();
    if (made) QFile::remove(to.path);
    return Fail("copy to " + to.Target() + " failed, nothing was stored: " + Line(why));
  }
  qint64 rows = 0;
  for (const db::TableTally& t : tally) rows += t.rows;
  std::printf("Copied %s to %s: %lld tables, %lld rows (counts and sums checked)\n", qPrintable(from.Target()),
              qPrintable(to.Target()), qlonglong(tally.size()), qlonglong(rows));
  return 0;
}

// A server's database: its schema and the rows of every table.
int VerifyServer(const QString& url) {
  db::Description where;
  QString why;
  if (!db::Description::FromUrl(url, &where, &why)) return Fail(why, kUsageError);
  db::Connection conn;
  QList<db::TableTally> tally;
  if (!conn.Open(where) || !db::Tally(conn, &tally)) {
    std::printf("%s: NOT a sound database of this program: %s\n", qPrintable(where.Target()),
                qPrintable(Line(conn.LastError())));
    return kFailed;
  }
  qint64 rows = 0;
  for (const db::TableTally& t : tally) rows += t.rows;
  std::printf("%s: sound database (%lld tables, %lld rows)\n", qPrintable(where.Target()), qlonglong(tally.size()),
              qlonglong(rows));
  return 0;
}

bool IsBackupCommand(const QStringList& args) {
  return !args.isEmpty() && (args[0] == "backup" || args[0] == "verify" || args[0] == "restore");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (app.arguments().value(1) == "copy") return Copy(app.arguments().mid(1));
  if (IsBackupCommand(app.arguments().mid(1))) return BackupCommand(app.arguments().mid(1));
  Options o;
  bool help = false;
  if (int rc = Parse(app.arguments().mid(1), &o, &help)) return rc;
  if (help) {
    std::printf("%s%s", kUsage, kBackupUsage);
    return 0;
  }
  if (app.arguments().value(1) == "upgrade") return Upgrade(o.path);
  return Create(o);
}
