#pragma once
// A transaction as a scope: begun when made, rolled back when it goes out of
// scope without Commit(), so no early return can leave one open.
//
//   db::Transaction t(*conn);
//   if (!t.ok()) return conn->Failure();
//   ... statements ...
//   if (!t.Commit()) return conn->Failure();
#include "db/Connection.h"

namespace db {

class Transaction {
 public:
  explicit Transaction(Connection& c) : c_(c), open_(c.BeginTrans()) {}
  ~Transaction() { Rollback(); }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Begun; when false the connection's Failure() says why.
  bool ok() const { return open_; }
  // Stores the work; false (and rolled back) when the store refused it.
  [[nodiscard]] bool Commit() {
    if (!open_) return false;
    open_ = false;
    if (c_.CommitTrans()) return true;
    // Keep the commit's failure over whatever the rollback might say.
    const Error why = c_.Failure();
    c_.RollbackTrans();
    c_.SetFailure(why);
    return false;
  }
  // Gives the work up (also done when the scope ends).
  void Rollback() {
    if (!open_) return;
    open_ = false;
    const Error why = c_.Failure();
    c_.RollbackTrans();
    c_.SetFailure(why);
  }

 private:
  Connection& c_;
  bool open_;
};

}  // namespace db
