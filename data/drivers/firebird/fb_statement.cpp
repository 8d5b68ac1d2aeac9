#include "data/drivers/firebird/fb_statement.h"

#include "data/drivers/firebird/fb_api.h"
#include "data/drivers/firebird/fb_session.h"
#include "data/encoding.h"

namespace bm::data::firebird {

using namespace Firebird;

FbStatement::FbStatement(FbSession& session, const std::string& sql) : session_(session), sql_(sql) {
  auto gbk = utf8_to_gbk(sql);
  if (!gbk) throw DbError("The statement has a character that code page 936 cannot hold:\n" + sql);
  Status st;
  ITransaction* own = session_.transaction() ? nullptr : start_transaction(session_.attachment(), true);
  ITransaction* tra = own ? own : session_.transaction();
  try {
    stmt_ = session_.attachment()->prepare(&st, tra, 0, gbk->c_str(), session_.dialect(),
                                           IStatement::PREPARE_PREFETCH_METADATA);
    type_ = stmt_->getType(&st);
    IMessageMetadata* in = stmt_->getInputMetadata(&st);
    input_.reset(in);
    output_.reset(stmt_->getOutputMetadata(&st));
    if (own) own->commit(&st);
  } catch (const FbException& e) {
    DbError err = to_db_error(e);
    if (own) {
      try {
        Status st2;
        own->rollback(&st2);
      } catch (const FbException&) {
      }
    }
    if (stmt_) {
      stmt_->release();
      stmt_ = nullptr;
    }
    throw err;
  }
  if (type_ == isc_info_sql_stmt_select || type_ == isc_info_sql_stmt_select_for_upd)
    columns_ = output_.columns();
}

FbStatement::~FbStatement() {
  try {
    close_cursor();
  } catch (const DbError&) {
  }
  if (stmt_) {
    Status st;
    try {
      stmt_->free(&st);
    } catch (const FbException&) {
      stmt_->release();
    }
  }
}

void FbStatement::execute(const std::vector<Value>& params) {
  if (params.size() != input_.count())
    throw DbError("The statement expects " + std::to_string(input_.count()) + " parameters, " +
                  std::to_string(params.size()) + " given:\n" + sql_);
  run([&](MessageBuffer& in, IAttachment* att, ITransaction* tra) {
    for (size_t i = 0; i < params.size(); ++i) in.put(i, params[i], att, tra);
  });
}

namespace {
void rollback_quietly(ITransaction* t) {
  if (!t) return;
  try {
    Status st;
    t->rollback(&st);
  } catch (const FbException&) {
  }
}
}  // namespace

void FbStatement::run(const Fill& fill) {
  close_cursor();
  bool select = !columns_.empty();
  Status st;
  ITransaction* own = session_.transaction() ? nullptr : start_transaction(session_.attachment(), false);
  ITransaction* tra = own ? own : session_.transaction();
  try {
    fill(input_, session_.attachment(), tra);
    if (select) {
      cursor_ = stmt_->openCursor(&st, tra, input_.meta(), input_.data(), output_.meta(), 0);
      cursor_tra_ = own;
      affected_ = -1;
      return;
    }
    stmt_->execute(&st, tra, input_.meta(), input_.data(), output_.meta(), output_.data());
    affected_ = static_cast<int64_t>(stmt_->getAffectedRecords(&st));
    if (own) own->commit(&st);
  } catch (const FbException& e) {
    DbError err = to_db_error(e);
    rollback_quietly(own);
    throw err;
  } catch (const DbError&) {
    rollback_quietly(own);
    throw;
  }
}

bool FbStatement::fetch(std::vector<Value>& row) {
  if (!cursor_) return false;
  Status st;
  try {
    if (cursor_->fetchNext(&st, output_.data()) != IStatus::RESULT_OK) return false;
    ITransaction* tra = cursor_tra_ ? cursor_tra_ : session_.transaction();
    row.resize(columns_.size());
    for (size_t i = 0; i < columns_.size(); ++i) row[i] = output_.get(i, session_.attachment(), tra);
    return true;
  } catch (const FbException& e) {
    throw to_db_error(e);
  }
}

void FbStatement::close_cursor() {
  Status st;
  if (cursor_) {
    IResultSet* c = cursor_;
    cursor_ = nullptr;
    try {
      c->close(&st);
    } catch (const FbException&) {
      c->release();
    }
  }
  if (cursor_tra_) {
    ITransaction* t = cursor_tra_;
    cursor_tra_ = nullptr;
    try {
      t->commit(&st);
    } catch (const FbException& e) {
      try {
        Status st2;
        t->rollback(&st2);
      } catch (const FbException&) {
      }
      throw to_db_error(e);
    }
  }
}

}  // namespace bm::data::firebird
