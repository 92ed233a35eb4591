#include "toko/Laci.h"

#include "db/Sql.h"
#include "db/Transaction.h"

namespace toko {

bool AdaCatatanLaci(const db::ConnectionPtr& c) { return c && c->IsOpen() && c->HasTable(TabelLaci); }

HasilLaci CatatBukaLaci(const db::ConnectionPtr& c, const BukaLaci& laci, const std::function<bool()>& buka) {
  HasilLaci h;
  if (!c || !c->IsOpen()) {
    h.error = db::Error{db::Error::Kind::Other, QStringLiteral("Koneksi database belum terbuka"), QString(), QString()};
    return h;
  }
  db::Transaction t(*c);
  if (!t.ok()) {
    h.error = c->Failure();
    return h;
  }
  const QString sql = QStringLiteral("INSERT INTO LogLaci (Tanggal,Jam,UserID,Kassa,Alasan) VALUES (") +
                      db::Quote(laci.tanggal.toString(QStringLiteral("yyyy-MM-dd"))) + QStringLiteral(",") +
                      db::Quote(laci.jam.toString(QStringLiteral("HH:mm:ss"))) + QStringLiteral(",") +
                      db::Quote(laci.user) + QStringLiteral(",") + db::Quote(laci.kassa) + QStringLiteral(",") +
                      db::Quote(laci.alasan) + QStringLiteral(")");
  if (!c->Execute(sql)) {
    h.error = c->Failure();
    return h;
  }
  h.dibuka = buka();
  if (!h.dibuka) return h;  // rolled back by the scope
  if (!t.Commit()) h.error = c->Failure();
  return h;
}

}  // namespace toko
