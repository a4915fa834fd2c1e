#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/JoinedText.h"

TEST(JoinedText, PutsTheSeparatorBetweenPartsOnly) {
    EXPECT_EQ(Joined(std::vector<std::string>{"a", "b", "c"}), "a, b, c");
    EXPECT_EQ(Joined(std::vector<std::string>{"Ctrl", "C"}, "+"), "Ctrl+C");
    EXPECT_EQ(Joined(std::vector<std::string>{"one"}), "one");
    EXPECT_EQ(Joined(std::vector<std::string>{}), "");
}
