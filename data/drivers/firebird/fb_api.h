// What the Firebird driver's files share: the master interface, error conversion, transactions.
#pragma once
#include <firebird/Interface.h>

#include <string>

#include "data/error.h"

namespace bm::data::firebird {

using FbStatus = Firebird::ThrowStatusWrapper;

Firebird::IMaster* master();
Firebird::IUtil* util();

// A status wrapper that lives as long as the call that uses it.
class Status {
 public:
  Status() : raw_(master()->getStatus()), wrap_(raw_) {}
  ~Status() { raw_->dispose(); }
  FbStatus* operator&() { return &wrap_; }

 private:
  Firebird::IStatus* raw_;
  FbStatus wrap_;
};

// The engine's error text, whole, with its kind (key violation, value problem, ...).
DbError to_db_error(const Firebird::FbException& e, DbError::Kind fallback = DbError::Kind::General);

// Transaction parameter blocks: read committed, no waiting on locks (the connection is set up
// with "WAIT ON LOCKS=FALSE"), read-write or read-only.
Firebird::ITransaction* start_transaction(Firebird::IAttachment* att, bool read_only);

}  // namespace bm::data::firebird
