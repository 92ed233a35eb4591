#pragma once
// What went wrong in the store, as a kind the callers can act on (a number
// taken by another till is a DuplicateKey, a till that lost its server is
// ConnectionLost), with the statement that failed and the engine's own
// message. The text a person reads is made by the layer that shows it.
#include <QString>

namespace db {

struct Error {
  enum class Kind {
    None,
    Busy,            // another program held the database longer than the wait
    DuplicateKey,    // a row with this key is stored already
    Damaged,         // the file (or the server's data) failed its check
    MissingSchema,   // a table or column the program uses is not there
    Moved,           // the database file was moved, deleted or replaced since it was opened
    NotFound,        // no database where the description points
    ReadOnly,        // the database (or its folder) cannot be written
    ConnectionLost,  // the server went away
    Conflict,        // the server gave the transaction up against another (serialization, deadlock): run it again
    Other,
  };
  Kind kind = Kind::None;
  QString message;    // the engine's own words, or what the store found
  QString statement;  // the statement that failed, when one did
  QString target;     // the database the failure concerns (a file, a server)

  bool failed() const { return kind != Kind::None; }
  bool is(Kind k) const { return kind == k; }
};

}  // namespace db
