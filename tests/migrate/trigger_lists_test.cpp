#include "migrate/trigger_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using bm::migrate::converter_trigger_restore_list;
using bm::migrate::converter_trigger_switch_off_list;
using bm::migrate::trigger_restore_list;
using bm::migrate::trigger_switch_off_list;

struct Parsed {
    std::string trigger;
    bool active;
};

// Every entry must be exactly "ALTER TRIGGER <NAME> ACTIVE|INACTIVE".
Parsed parse(const std::string& statement) {
    static const std::regex form("ALTER TRIGGER ([A-Z0-9_]+) (ACTIVE|INACTIVE)");
    std::smatch m;
    EXPECT_TRUE(std::regex_match(statement, m, form)) << '"' << statement << '"';
    if (m.empty()) return {"", false};
    return {m[1].str(), m[2].str() == "ACTIVE"};
}

std::vector<std::string> names(const std::vector<std::string>& list) {
    std::vector<std::string> out;
    for (const auto& s : list) out.push_back(parse(s).trigger);
    return out;
}

std::vector<std::string> without(std::vector<std::string> list, const std::string& statement) {
    list.erase(std::remove(list.begin(), list.end(), statement), list.end());
    return list;
}

TEST(TriggerLists, SizesAndExactForm) {
    EXPECT_EQ(trigger_switch_off_list().size(), 104u);
    EXPECT_EQ(trigger_restore_list().size(), 105u);
    EXPECT_EQ(converter_trigger_switch_off_list().size(), 103u);
    EXPECT_EQ(converter_trigger_restore_list().size(), 104u);
    for (const auto* list : {&trigger_switch_off_list(), &trigger_restore_list()}) {
        std::set<std::string> seen;
        for (const auto& s : *list) {
            EXPECT_TRUE(seen.insert(parse(s).trigger).second) << "twice: " << s;
        }
    }
    EXPECT_EQ(trigger_switch_off_list().front(), "ALTER TRIGGER BOOK_ALLOW INACTIVE");
    EXPECT_EQ(trigger_switch_off_list().back(), "ALTER TRIGGER TR_LOADDETAIL_DEL1 INACTIVE");
    EXPECT_EQ(trigger_restore_list().front(), "ALTER TRIGGER BOOK_ALLOW INACTIVE");
    EXPECT_EQ(trigger_restore_list()[1], "ALTER TRIGGER TRIG_BOOKINFO_UP ACTIVE");
    EXPECT_EQ(trigger_restore_list().back(), "ALTER TRIGGER TR_LOADDETAIL_DEL1 ACTIVE");
}

TEST(TriggerLists, SwitchOffListSwitchesEverythingOff) {
    for (const auto& s : trigger_switch_off_list()) EXPECT_FALSE(parse(s).active) << s;
}

TEST(TriggerLists, RestoreListIsTheSwitchOffListPlusTheLogTrigger) {
    EXPECT_EQ(trigger_restore_list()[62], "ALTER TRIGGER TRIG_SYS_LOGNEW_BI ACTIVE");
    EXPECT_EQ(without(names(trigger_restore_list()), "TRIG_SYS_LOGNEW_BI"),
              names(trigger_switch_off_list()));
}

TEST(TriggerLists, RestoreLeavesExactlySixTriggersOff) {
    std::set<std::string> inactive;
    for (const auto& s : trigger_restore_list()) {
        Parsed p = parse(s);
        if (!p.active) inactive.insert(p.trigger);
    }
    const std::set<std::string> expected = {"BOOK_ALLOW",         "TR_SELLMASTER_INS1",
                                            "TRIG_BOOKID_BI",     "TRIG_INVLIB_BI",
                                            "TR_SELLMASTER_AFINS3", "TRIG_BOOKINFO_INS1"};
    EXPECT_EQ(inactive, expected);
}

TEST(TriggerLists, ConverterCopiesLackOnlyTheSecondPurchaseLineDeleteTrigger) {
    EXPECT_EQ(converter_trigger_switch_off_list(),
              without(trigger_switch_off_list(), "ALTER TRIGGER TR_LOADDETAIL_DEL1 INACTIVE"));
    EXPECT_EQ(converter_trigger_restore_list(),
              without(trigger_restore_list(), "ALTER TRIGGER TR_LOADDETAIL_DEL1 ACTIVE"));
}

// The shipped database must create every listed trigger, and create it in the
// state the restore list leaves it in: a fresh database and a restored one agree.
TEST(TriggerLists, ShippedSchemaCreatesEveryTriggerInItsRestoredState) {
    std::ifstream in(BM_STANDARD_SCHEMA);
    ASSERT_TRUE(in) << BM_STANDARD_SCHEMA;
    std::stringstream text;
    text << in.rdbuf();
    const std::string schema = text.str();

    static const std::regex create(
        R"(CREATE\s+TRIGGER\s+([A-Z0-9_]+)\s+FOR\s+[A-Z0-9_]+\s+(ACTIVE|INACTIVE)\b)");
    std::map<std::string, bool> created;
    for (auto it = std::sregex_iterator(schema.begin(), schema.end(), create);
         it != std::sregex_iterator(); ++it) {
        created[(*it)[1].str()] = (*it)[2].str() == "ACTIVE";
    }
    std::map<std::string, bool> restored;
    for (const auto& s : trigger_restore_list()) {
        Parsed p = parse(s);
        restored[p.trigger] = p.active;
    }
    EXPECT_EQ(created, restored);
}

}  // namespace
