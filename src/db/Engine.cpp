#include "db/Engine.h"

#include "db/PgEngine.h"
#include "db/SqliteEngine.h"

namespace db {

std::unique_ptr<Engine> MakeEngine(const Description& d) {
  switch (d.kind) {
    case Description::Kind::Server:
      return std::make_unique<PgEngine>();
    case Description::Kind::File:
      break;
  }
  return std::make_unique<SqliteEngine>();
}

}  // namespace db
