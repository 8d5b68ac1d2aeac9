#include "migrate/trigger_lists.h"

#include <string_view>

namespace bm::migrate {
namespace {

struct TriggerRow {
    std::string_view trigger;
    bool in_switch_off;    // switched off before a copy (always to INACTIVE)
    bool active_after;     // the word the restore list ends with
};

constexpr bool kOn = true;
constexpr bool kOff = false;

// One row per trigger, in the order of the restore list.
constexpr TriggerRow kTriggers[] = {
    {"BOOK_ALLOW", true, kOff},
    {"TRIG_BOOKINFO_UP", true, kOn},
    {"TRIG_MEMBERID_UP", true, kOn},
    {"TR_CHECKDETAIL_INS1", true, kOn},
    {"TR_CHECKDETAIL_BI", true, kOn},
    {"TR_CHECKDETAIL_INS", true, kOn},
    {"TR_CHECKDETAIL_UP", true, kOn},
    {"TR_CHECKDETAIL_UP1", true, kOn},
    {"TR_EXCHDETAIL_INS", true, kOn},
    {"TR_EXCHDETAIL_UPD", true, kOn},
    {"TR_EXCHDETAIL_DEL", true, kOn},
    {"TR_EXCHMASTER_DEL", true, kOn},
    {"TR_IODETAIL_INS", true, kOn},
    {"TR_IODETAIL_UPD", true, kOn},
    {"TR_IODETAIL_DEL", true, kOn},
    {"TR_IOMASTER_BI", true, kOn},
    {"TR_IOMASTER_UP", true, kOn},
    {"TR_IOMASTER_DEL", true, kOn},
    {"TR_PURDETAIL_INS", true, kOn},
    {"TR_PURDETAIL_CID", true, kOn},
    {"TR_PURDETAIL_INS2", true, kOn},
    {"TR_IN_UPD", true, kOn},
    {"TR_PURDETAIL_CIDUP", true, kOn},
    {"TR_LOADMASTER_BI", true, kOn},
    {"TR_LOADMASTER_UP", true, kOn},
    {"TR_LOADDETAIL_DEL", true, kOn},
    {"TR_LOADMASTER_DEL", true, kOn},
    {"TR_PUR_ORDERMASTER_DEL", true, kOn},
    {"TR_SELLDETAIL_INS", true, kOn},
    {"TR_SELLDETAIL_INS1", true, kOn},
    {"TR_SELLDETAIL_UPD", true, kOn},
    {"TR_SELLMASTER_BI", true, kOn},
    {"TR_SELLMASTER_INS", true, kOn},
    {"TR_SELLMASTER_UP1", true, kOn},
    {"TR_SAL_ORDERMASTER_DEL", true, kOn},
    {"TR_SELLDETAIL_DEL", true, kOn},
    {"TR_SELLMASTER_UP", true, kOn},
    {"TR_SELLMASTER_DEL", true, kOn},
    {"TR_SELLMASTER_DEL1", true, kOn},
    {"TR_PAYDETAIL_BI", true, kOn},
    {"TR_PAYDETAIL_PUR", true, kOn},
    {"TR_PAYDETAIL_UP", true, kOn},
    {"TR_PAYDETAIL_DEL", true, kOn},
    {"TR_RECEDETAIL_BI", true, kOn},
    {"TR_RECEDETAIL_SAL", true, kOn},
    {"TR_RECEDETAIL_UP", true, kOn},
    {"TR_RECEDETAIL_DEL", true, kOn},
    {"TR_ADDMONEY_INS", true, kOn},
    {"TR_ADDMONEY_UP", true, kOn},
    {"TR_ADDMONEY_DEL", true, kOn},
    {"TR_HIREDETAIL_INS", true, kOn},
    {"TR_HIREDETAIL_INS1", true, kOn},
    {"TR_HIREDETAIL_INS2", true, kOn},
    {"TR_HIREDETAIL_UPD", true, kOn},
    {"TR_HIREDETAIL_UP1", true, kOn},
    {"TR_HIREDETAIL_DEL", true, kOn},
    {"TR_HIREDETAIL_DEL1", true, kOn},
    {"TR_HIREDETAIL_DEL2", true, kOn},
    {"TR_HIREMASTER_INS", true, kOn},
    {"TR_HIREMASTER_UP", true, kOn},
    {"TR_HIREMASTER_DEL", true, kOn},
    {"TR_HIREMASTER_DEL1", true, kOn},
    {"TRIG_SYS_LOGNEW_BI", false, kOn},  // the log keeps numbering during a copy
    {"TRIG_SYSTABLE_BI", true, kOn},
    {"TR_SELLMASTER_INS1", true, kOff},
    {"TRIG_BOOKID_BI", true, kOff},
    {"TRIG_INVLIB_BI", true, kOff},
    {"TR_SELLMASTER_UP3", true, kOn},
    {"TR_LOADMASTER_UP1", true, kOn},
    {"TRIG_BOOKINFO_UP1", true, kOn},
    {"TR_SELLMASTER_AFINS2", true, kOn},
    {"TR_SELLMASTER_UP4", true, kOn},
    {"TR_SELLMASTER_DEL2", true, kOn},
    {"TR_SELLMASTER_AFINS3", true, kOff},
    {"TRIG_BOOKINFO_INS1", true, kOff},
    {"TRIG_INVLIB_BI1", true, kOn},
    {"TR_SELLDETAIL_DELLOG", true, kOn},
    {"TR_PURDETAIL_DELLOG", true, kOn},
    {"BAS_BOOKINFO_DELINS", true, kOn},
    {"ARP_PAY_DELINS", true, kOn},
    {"ARP_RECE_DELINS", true, kOn},
    {"ARP_PAYD_DELINS", true, kOn},
    {"ARP_RECED_DELINS", true, kOn},
    {"BAS_CLIENT_DELINS", true, kOn},
    {"BAS_PROVIDE_DELINS", true, kOn},
    {"BAS_MEMBER_DELINS", true, kOn},
    {"INV_CHECK_DELINS", true, kOn},
    {"INV_CHECKD_DELINS", true, kOn},
    {"INV_EXCHM_DELINS", true, kOn},
    {"INV_EXCHD_DELINS", true, kOn},
    {"INV_IOMASTER_DELINS", true, kOn},
    {"INV_IODETAIL_DELINS", true, kOn},
    {"PUR_LOADM_DELINS", true, kOn},
    {"PUR_LOADD_DELINS", true, kOn},
    {"PUR_ORDERM_DELINS", true, kOn},
    {"PUR_ORDERD_DELINS", true, kOn},
    {"SAL_ADDMONEY_DELINS", true, kOn},
    {"SAL_HIREM_DELINS", true, kOn},
    {"SAL_HIRED_DELINS", true, kOn},
    {"SAL_ORDERM_DELINS", true, kOn},
    {"SAL_ORDERD_DELINS", true, kOn},
    {"SAL_SELLM_DELINS", true, kOn},
    {"SAL_SELLD_DELINS", true, kOn},
    {"INV_LIBUP_DELINS", true, kOn},
    {"TR_LOADDETAIL_DEL1", true, kOn},
};

// The converters' copies leave this trigger alone.
constexpr std::string_view kNotInConverterCopies = "TR_LOADDETAIL_DEL1";

enum class Which { SwitchOff, Restore };

std::vector<std::string> build(Which which, bool for_converters) {
    std::vector<std::string> out;
    for (const TriggerRow& row : kTriggers) {
        if (for_converters && row.trigger == kNotInConverterCopies) continue;
        if (which == Which::SwitchOff) {
            if (row.in_switch_off)
                out.push_back(alter_trigger_statement(std::string(row.trigger), false));
        } else {
            out.push_back(alter_trigger_statement(std::string(row.trigger), row.active_after));
        }
    }
    return out;
}

}  // namespace

std::string alter_trigger_statement(const std::string& trigger, bool active) {
    return "ALTER TRIGGER " + trigger + (active ? " ACTIVE" : " INACTIVE");
}

const std::vector<std::string>& trigger_switch_off_list() {
    static const std::vector<std::string> list = build(Which::SwitchOff, false);
    return list;
}

const std::vector<std::string>& trigger_restore_list() {
    static const std::vector<std::string> list = build(Which::Restore, false);
    return list;
}

const std::vector<std::string>& converter_trigger_switch_off_list() {
    static const std::vector<std::string> list = build(Which::SwitchOff, true);
    return list;
}

const std::vector<std::string>& converter_trigger_restore_list() {
    static const std::vector<std::string> list = build(Which::Restore, true);
    return list;
}

}  // namespace bm::migrate
