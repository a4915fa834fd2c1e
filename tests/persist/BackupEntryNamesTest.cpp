#include "persist/BackupEntryNames.h"

#include <gtest/gtest.h>

#include "persist/BackupJson.h"

namespace {

using persist::BackupEntryNames;
using persist::backup_json::BackupRefusal;

const BackupEntryNames kNames({"Esc", "", "Tab", "Tab", "entry 0", "\xFF", "/"}, "entry", "key");

TEST(BackupEntryNamesTest, UniqueNamesLabelTheirEntriesAndOthersAreNumbered) {
    const char* labels[] = {"Esc", "entry 1", "entry 2", "entry 3", "entry 4", "entry 5", "/"};
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        EXPECT_EQ(kNames.Label(i), labels[i]);
        EXPECT_EQ(kNames.Find(labels[i], "/x"), i);
    }
    EXPECT_EQ(kNames.Label(40), "entry 40");
    EXPECT_EQ(kNames.Find("entry 0", "/x"), 0u);
}

TEST(BackupEntryNamesTest, LabelsNamingNoEntryAreRefused) {
    const char* bad[] = {"Tab",      "entry 7",  "entry",    "entry ",
                         "entry 01", "entry +1", "entry 1 ", "entry 99999999999999999999",
                         "esc",      ""};
    for (const char* label : bad) {
        SCOPED_TRACE(label);
        try {
            kNames.Find(label, "/keys/x");
            ADD_FAILURE() << "accepted";
        } catch (const BackupRefusal& refusal) {
            EXPECT_EQ(refusal.error.where, "/keys/x");
            EXPECT_FALSE(refusal.error.what.empty());
        }
    }
}

}  // namespace
