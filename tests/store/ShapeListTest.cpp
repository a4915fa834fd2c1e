// List and vector shapes: item operations, their failures and what they publish.
#include <gtest/gtest.h>

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "store/Shape.h"

namespace {

using Items = ShapeList<int, -1>;
using SharedItems = ShapeList<std::string, 77>;

std::vector<int> itemsOf(Items& shape) {
    return std::vector<int>(shape.current().begin(), shape.current().end());
}

// A list shape with a hook counting its publications.
class ListItems : public ::testing::Test {
protected:
    void SetUp() override {
        for (int v : {10, 20, 30}) list.current().push_back(v);
        list.bind(this, [this](int, const std::list<int>* data, uint32_t count, uint32_t, uint32_t,
                               uint32_t, int arg) {
            ++published;
            lastSize = count ? data->size() : 0;
            lastArg = arg;
        });
    }
    Items list;
    int published = 0;
    std::size_t lastSize = 0;
    int lastArg = -1;
};

TEST_F(ListItems, StartsWithOneEmptyContainer) {
    Items fresh;
    EXPECT_EQ(fresh.count, 1u);
    EXPECT_TRUE(fresh.current().empty());
}

TEST_F(ListItems, PushBackAppendsAndPublishes) {
    EXPECT_TRUE(list.push_back(40));
    EXPECT_EQ(itemsOf(list), (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(published, 1);
    EXPECT_EQ(lastSize, 4u);
    EXPECT_EQ(lastArg, 0);
}

TEST_F(ListItems, MovesSwapNeighbours) {
    EXPECT_TRUE(list.moveUp(2));
    EXPECT_EQ(itemsOf(list), (std::vector<int>{10, 30, 20}));
    EXPECT_TRUE(list.moveDown(0));
    EXPECT_EQ(itemsOf(list), (std::vector<int>{30, 10, 20}));
    EXPECT_EQ(published, 2);
}

TEST_F(ListItems, ImpossibleMovesChangeAndPublishNothing) {
    EXPECT_FALSE(list.moveUp(0));
    EXPECT_FALSE(list.moveUp(3));
    EXPECT_FALSE(list.moveDown(2));
    EXPECT_FALSE(list.moveDown(UINT32_MAX));
    EXPECT_FALSE(list.erase(3));
    EXPECT_EQ(itemsOf(list), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(published, 0);
}

TEST_F(ListItems, EraseOfLastItemLeavesEmptyListAndPublishes) {
    EXPECT_TRUE(list.erase(1));
    EXPECT_TRUE(list.erase(0));
    EXPECT_TRUE(list.erase(0));
    EXPECT_EQ(list.count, 1u);
    EXPECT_TRUE(list.current().empty());
    EXPECT_EQ(published, 3);
    EXPECT_EQ(lastSize, 0u);
}

TEST_F(ListItems, ItemAccessChecksPosition) {
    EXPECT_EQ(list.item(1), 20);
    EXPECT_EQ(list.findItem(3), nullptr);
    ASSERT_NE(list.findItem(2), nullptr);
    EXPECT_EQ(*list.findItem(2), 30);
    try {
        (void)list.item(3);
        FAIL() << "item past the end returned";
    } catch (const ShapeException& e) {
        EXPECT_EQ(e.message(), L"Out of range( array postion \"3\", access index \"0\"");
    }
}

TEST_F(ListItems, NoContainerRefusesEveryItemOperation) {
    list.store(nullptr, 0, false);
    EXPECT_FALSE(list.push_back(1));
    EXPECT_FALSE(list.moveDown(0));
    EXPECT_FALSE(list.erase(0));
    EXPECT_EQ(list.findItem(0), nullptr);
    EXPECT_THROW((void)list.item(0), ShapeException);
    EXPECT_EQ(published, 0);
}

TEST_F(ListItems, StoreFromOwnCurrentElementChangesNothing) {
    std::list<int> two[2] = {{1}, {2}};
    list.store(two, 2, false);
    list.select(1, 0, false, false);
    list.store(list.data() + 1, 1, false);
    EXPECT_EQ(list.count, 2u);
    EXPECT_EQ(list.index(), 1u);
    std::list<int> other[2] = {{5}, {6, 7}};
    list.store(other, 2, false);
    EXPECT_EQ(list.index(), 1u);
    EXPECT_EQ(itemsOf(list), (std::vector<int>{6, 7}));
    list.store(list.data(), 2, false);
    EXPECT_EQ(itemsOf(list), (std::vector<int>{6, 7}));
}

TEST_F(ListItems, AssignToFewerContainersKeepsIndexInside) {
    std::list<int> two[2] = {{1}, {2}};
    list.store(two, 2, false);
    list.select(1, 0, false, false);
    list.assign(two, 1, 0, false, false);
    EXPECT_EQ(list.index(), 0u);
    EXPECT_NO_THROW((void)list.current());
}

TEST(SharedList, ItemEditReachesOtherMembers) {
    SharedItems first;
    SharedItems second;
    std::vector<std::string> heard;
    second.bind(&second, [&](int, const std::list<std::string>* data, uint32_t, uint32_t, uint32_t,
                             uint32_t, int) { heard.assign(data->begin(), data->end()); });
    first.push_back("one");
    first.push_back("two");
    first.moveUp(1);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(heard, (std::vector<std::string>{"two", "one"}));
    EXPECT_EQ(second.current(), first.current());
    SharedItems late;
    EXPECT_EQ(late.current().size(), 2u);
}

TEST(SharedVector, NamedVectorAdoptsUnlessKeepingInitial) {
    ShapeVector<int, -1> first("list.vector.named", true);
    first.set(std::vector<int>{1, 2}, 0, false, false);
    // Delivered before the others join: a late delivery would fill `keeping` as the test reads.
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    ShapeVector<int, -1> adopting("list.vector.named");
    ShapeVector<int, -1> keeping("list.vector.named", true);
    EXPECT_EQ(adopting.current(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(keeping.current().empty());
    EXPECT_TRUE(ShapeDispatcher::waitIdle());
}

TEST(ListCopy, CopiedListShapeIsIndependentAndEqual) {
    Items a;
    a.current().push_back(1);
    Items b(a);
    EXPECT_TRUE(a == b);
    b.current().push_back(2);
    EXPECT_FALSE(a == b);
    b = a;
    EXPECT_TRUE(a == b);
}

}  // namespace
