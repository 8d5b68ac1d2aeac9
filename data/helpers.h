// The four query helpers: run or open one statement on a query; a failure is swallowed or shown
// as the data-error box, never passed on.
#pragma once
#include <string>

#include "data/message_port.h"
#include "data/query.h"

namespace bm::data {

void ExecQuiet(Query& query, const std::string& statement);
void ExecShow(MessagePort& port, Query& query, const std::string& statement);
void OpenQuiet(Query& query, const std::string& statement);
void OpenShow(MessagePort& port, Query& query, const std::string& statement);

}  // namespace bm::data
