// The ALTER TRIGGER lists of the standard edition.
//
// A standard-edition database keeps its derived data (stock, running totals,
// logs, deletion records, generated keys) up to date with triggers. Before a
// bulk copy they are switched off, afterwards they are restored. Every entry is
// one complete statement, "ALTER TRIGGER <name> ACTIVE" or "... INACTIVE".
#pragma once

#include <string>
#include <vector>

namespace bm::migrate {

// The main window's switch-off list: 104 statements, all INACTIVE.
// TRIG_SYS_LOGNEW_BI is not in it: the log keeps numbering itself.
const std::vector<std::string>& trigger_switch_off_list();

// The main window's restore list: 105 statements, the switch-off list's
// triggers in the same order plus TRIG_SYS_LOGNEW_BI at position 63 (1-based).
// It leaves BOOK_ALLOW, TR_SELLMASTER_INS1, TRIG_BOOKID_BI, TRIG_INVLIB_BI,
// TR_SELLMASTER_AFINS3 and TRIG_BOOKINFO_INS1 INACTIVE; all others ACTIVE.
const std::vector<std::string>& trigger_restore_list();

// The copies carried by the GMS and LJ importers and by the big-customer to
// standard converter: the two lists above without the entry for
// TR_LOADDETAIL_DEL1 (103 and 104 statements), same order and words, so
// these converters never switch that trigger.
const std::vector<std::string>& converter_trigger_switch_off_list();
const std::vector<std::string>& converter_trigger_restore_list();

// The statement for one trigger, e.g. "ALTER TRIGGER TR_IN_UPD INACTIVE".
std::string alter_trigger_statement(const std::string& trigger, bool active);

}  // namespace bm::migrate
