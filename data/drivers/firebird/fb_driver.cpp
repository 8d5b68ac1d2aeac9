#include "data/drivers/firebird/fb_driver.h"

#include <vector>

#include "data/drivers/firebird/fb_api.h"
#include "data/drivers/firebird/fb_session.h"
#include "data/encoding.h"

namespace bm::data::firebird {

using namespace Firebird;

IMaster* master() {
  static IMaster* m = fb_get_master_interface();
  return m;
}

IUtil* util() { return master()->getUtilInterface(); }

DbError to_db_error(const FbException& e, DbError::Kind fallback) {
  char buf[2048];
  util()->formatStatus(buf, sizeof buf, e.getStatus());
  std::string text = gbk_to_utf8(buf);
  DbError::Kind kind = fallback;
  const ISC_STATUS* v = e.getStatus()->getErrors();
  for (; v && v[0] != isc_arg_end;) {
    if (v[0] == isc_arg_gds) {
      switch (v[1]) {
        case isc_unique_key_violation:
        case isc_no_dup:
          kind = DbError::Kind::KeyViolation;
          break;
        case isc_string_truncation:
        case isc_arith_except:
        case isc_not_valid:
        case isc_convert_error:
        case isc_date_range_exceeded:
        case isc_numeric_out_of_range:
          if (kind != DbError::Kind::KeyViolation) kind = DbError::Kind::ValueProblem;
          break;
        default:
          break;
      }
    }
    // Each argument takes two slots, except isc_arg_cstring, which takes three.
    v += v[0] == isc_arg_cstring ? 3 : 2;
  }
  return DbError(text, kind);
}

ITransaction* start_transaction(IAttachment* att, bool read_only) {
  static const unsigned char rw[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                     isc_tpb_rec_version, isc_tpb_nowait};
  static const unsigned char ro[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                     isc_tpb_rec_version, isc_tpb_nowait};
  Status st;
  try {
    return read_only ? att->startTransaction(&st, sizeof ro, ro)
                     : att->startTransaction(&st, sizeof rw, rw);
  } catch (const FbException& e) {
    throw to_db_error(e);
  }
}

namespace {

class FbDriver : public Driver {
 public:
  std::unique_ptr<Session> connect(const std::vector<std::string>& params) override {
    std::string path = param_value(params, "SERVER NAME");
    std::string user = param_value(params, "USER NAME");
    std::string password = param_value(params, "PASSWORD");
    if (path.empty())
      throw DbError("Unable to complete network request: no database path given",
                    DbError::Kind::Connection);
    return std::make_unique<FbSession>(path, user.empty() ? "SYSDBA" : user, password);
  }
};

}  // namespace

std::shared_ptr<Driver> make_driver() { return std::make_shared<FbDriver>(); }

void create_database(const std::string& path, int dialect, const std::string& charset) {
  Status st;
  IXpbBuilder* dpb = nullptr;
  try {
    dpb = util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
    dpb->insertString(&st, isc_dpb_password, "415903");
    dpb->insertInt(&st, isc_dpb_sql_dialect, dialect);
    dpb->insertInt(&st, isc_dpb_page_size, 8192);
    dpb->insertString(&st, isc_dpb_set_db_charset, charset.c_str());
    dpb->insertString(&st, isc_dpb_lc_ctype, "GBK");
    // Forced writes off: fixtures and demos are rebuilt at will, and sync on every page
    // write would make them slow for no gain.
    dpb->insertInt(&st, isc_dpb_force_write, 0);
    auto encoded = utf8_to_gbk(path).value_or(path);
    IAttachment* att = master()->getDispatcher()->createDatabase(
        &st, encoded.c_str(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
    att->detach(&st);
    dpb->dispose();
  } catch (const FbException& e) {
    if (dpb) dpb->dispose();
    throw to_db_error(e, DbError::Kind::Connection);
  }
}

}  // namespace bm::data::firebird
