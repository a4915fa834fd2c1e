// Values of single shapes: storing, comparing, publishing on private shapes, selection and
// the checked accessors.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "HookLog.h"
#include "store/Shape.h"

namespace {

using PrivateInts = ShapeType<int, -1, 3, 1>;
using PrivateIntsNoZero = ShapeType<int, -1, 3, 0>;

template <class Shape>
std::vector<int> valuesOf(const Shape& shape) {
    return std::vector<int>(shape.data(), shape.data() + shape.count);
}

TEST(ShapeConstruction, UnnamedPrivateShapeKeepsItsIdAndTypeName) {
    const int initial[] = {4, 5, 6};
    PrivateInts shape(nullptr, initial);
    EXPECT_EQ(shape.id, -1);
    EXPECT_STREQ(shape.name, shapeTypeName<int>());
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(shape.index(), 0u);
    EXPECT_EQ(ShapeRegistry::memberCount<int>(-1, shapeTypeName<int>()), 0u);
}

TEST(ShapeConstruction, NameMakesIdZeroAndEmptyNameDoesNot) {
    ShapeType<int, -1, 1, 0> named("value.construction.named");
    ShapeType<int, -1, 1, 0> unnamed("");
    EXPECT_EQ(named.id, 0);
    EXPECT_EQ(unnamed.id, -1);
    EXPECT_EQ(ShapeRegistry::memberCount<int>(0, "value.construction.named"), 1u);
}

TEST(ShapeConstruction, ElementsWithoutSourceAreZeroed) {
    PrivateInts shape;
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{0, 0, 0}));
    ShapeType<std::wstring, -7, 2, 0> texts;
    EXPECT_EQ(texts.count, 2u);
    EXPECT_TRUE(texts.data()[1].empty());
}

TEST(ShapeStore, NullSourceZeroesOnlyWhenZeroIsSet) {
    const int initial[] = {1, 2, 3};
    PrivateInts zeroing(nullptr, initial);
    PrivateIntsNoZero keeping(nullptr, initial);
    zeroing.store(nullptr, 3, false);
    keeping.store(nullptr, 3, false);
    EXPECT_EQ(valuesOf(zeroing), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(valuesOf(keeping), (std::vector<int>{1, 2, 3}));
    keeping.store(nullptr, 5, false);
    EXPECT_EQ(keeping.count, 5u);
}

TEST(ShapeStore, FillFromOwnArrayMakesEqualElements) {
    const int initial[] = {1, 2, 3};
    PrivateInts shape(nullptr, initial);
    shape.store(shape.data() + 2, 5, true);
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{3, 3, 3, 3, 3}));
    shape.store(shape.data(), 2, true);
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{3, 3}));
}

TEST(ShapeStore, SourceInsideOwnArrayIsCopiedSafely) {
    const int initial[] = {1, 2, 3, 4};
    ShapeType<int, -1, 4, 1> shape(nullptr, initial);
    shape.store(shape.data() + 1, 3, false);
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{2, 3, 4}));
    shape.store(shape.data(), 2, false);
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{2, 3}));
    shape.store(shape.data(), 2, false);
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{2, 3}));
}

TEST(ShapeStore, ShrinkingClampsIndexAndEmptyingResetsIt) {
    const int initial[] = {1, 2, 3};
    PrivateInts shape(nullptr, initial);
    ASSERT_TRUE(shape.select(2, 0, false, false));
    shape.store(initial, 2, false);
    EXPECT_EQ(shape.index(), 1u);
    shape.store(nullptr, 0, false);
    EXPECT_EQ(shape.index(), 0u);
    EXPECT_EQ(shape.data(), nullptr);
}

TEST(ShapeCompare, EmptyShapeEqualsEmptySourceButIsNeverAllEqual) {
    PrivateInts shape(nullptr, nullptr, 0);
    const int v = 0;
    EXPECT_TRUE(shape.equals(nullptr, 0));
    EXPECT_FALSE(shape.allEqual(&v, 0));
    EXPECT_FALSE(shape.currentEquals(&v));
    const int other[] = {0, 0};
    PrivateInts zeros;
    EXPECT_FALSE(zeros.equals(other, 2));
    EXPECT_FALSE(zeros.equals(nullptr, 3));
    EXPECT_TRUE(zeros.allEqual(&v, 3));
}

TEST(ShapeAppend, AppendingKeepsIndexAndOrder) {
    const int initial[] = {1, 2, 3};
    PrivateInts shape(nullptr, initial);
    shape.select(1, 0, false, false);
    shape.push_back(9);
    const int seven = 7;
    shape.appendCopies(&seven, 2);
    shape.append(nullptr, 1);
    shape.append(shape.data(), 2);
    EXPECT_EQ(valuesOf(shape), (std::vector<int>{1, 2, 3, 9, 7, 7, 0, 1, 2}));
    EXPECT_EQ(shape.index(), 1u);
}

TEST(ShapeCurrent, OutOfRangeThrowsWithCountAndIndex) {
    PrivateInts empty(nullptr, nullptr, 0);
    try {
        (void)empty.current();
        FAIL() << "current() on an empty shape returned";
    } catch (const ShapeException& e) {
        EXPECT_EQ(e.message(), L"Out of range( array length \"0\", access index \"0\"");
    }
    PrivateInts shape;
    shape.current() = 5;
    EXPECT_EQ(shape.data()[0], 5);
}

class PrivatePublishing : public ::testing::Test {
protected:
    void SetUp() override { log.watch(shape, "own"); }
    void expectOneCall(uint32_t oldCount, uint32_t oldIndex, std::vector<int> values,
                       uint32_t index) {
        auto calls = log.calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].oldCount, oldCount);
        EXPECT_EQ(calls[0].oldIndex, oldIndex);
        EXPECT_EQ(calls[0].values, values);
        EXPECT_EQ(calls[0].index, index);
    }
    HookLog log;
    PrivateInts shape;
};

TEST_F(PrivatePublishing, SetWithSelfRunsHookBeforeReturning) {
    shape.set(5, 11, true, false);
    auto calls = log.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].values, (std::vector<int>{5, 0, 0}));
    EXPECT_EQ(calls[0].arg, 11);
    EXPECT_EQ(calls[0].thread, std::this_thread::get_id());
}

TEST_F(PrivatePublishing, SetWithoutSelfChangesValueSilently) {
    shape.set(5, 0, false, false);
    EXPECT_EQ(shape.current(), 5);
    EXPECT_TRUE(log.calls().empty());
}

TEST_F(PrivatePublishing, EqualValueNeedsForce) {
    shape.set(0, 1, true, false);
    EXPECT_TRUE(log.calls().empty());
    shape.set(0, 2, true, true);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].arg, 2);
}

TEST_F(PrivatePublishing, AssignPublishesOldCountAndIndex) {
    const int five[] = {1, 2, 3, 4, 5};
    shape.assign(five, 5, 0, false, false);
    shape.select(4, 0, false, false);
    shape.assign(five, 2, 3, true, false);
    expectOneCall(5, 4, {1, 2}, 1);
}

TEST_F(PrivatePublishing, FillPublishesOldCountAndIndex) {
    shape.select(2, 0, false, false);
    shape.fill(7, 2, 4, true, false);
    expectOneCall(3, 2, {7, 7}, 1);
    shape.fill(7, 2, 4, true, false);
    EXPECT_EQ(log.calls().size(), 1u);
}

TEST_F(PrivatePublishing, FillOfNothingOnEmptyShapeStillPublishes) {
    shape.store(nullptr, 0, false);
    shape.fill(1, 0, 0, true, false);
    EXPECT_EQ(log.calls().size(), 1u);
    shape.assign(nullptr, 0, 0, true, false);
    EXPECT_EQ(log.calls().size(), 1u);
}

TEST_F(PrivatePublishing, SetPublishesUnchangedCountAndIndex) {
    shape.select(1, 0, false, false);
    shape.set(9, 0, true, false);
    expectOneCall(3, 1, {0, 9, 0}, 1);
}

TEST_F(PrivatePublishing, SelectChecksRangeAndCurrentIndex) {
    EXPECT_FALSE(shape.select(3, 0, true, false));
    EXPECT_TRUE(shape.select(0, 0, true, false));
    EXPECT_TRUE(log.calls().empty());
    EXPECT_TRUE(shape.select(2, 6, true, false));
    auto calls = log.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 2u);
    EXPECT_EQ(calls[0].oldIndex, 0u);
    EXPECT_EQ(calls[0].arg, 6);
    EXPECT_TRUE(shape.select(2, 0, true, true));
    EXPECT_EQ(log.calls().size(), 2u);
}

TEST_F(PrivatePublishing, EmptyShapeIgnoresSet) {
    shape.store(nullptr, 0, false);
    shape.set(3, 0, true, true);
    EXPECT_EQ(shape.count, 0u);
    EXPECT_TRUE(log.calls().empty());
}

TEST(ShapeHook, HookMayReplaceItselfWhileRunning) {
    PrivateInts shape;
    std::vector<std::string> ran;
    shape.bind(&shape, [&](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
        shape.bind(&shape, [&](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
            ran.push_back("second");
        });
        ran.push_back("first");  // reaches `ran` through this closure, replaced just above
    });
    shape.fireSelf(0, SelfDelivery::Now);
    shape.fireSelf(0, SelfDelivery::Now);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
}

TEST(ShapeCopy, AssignmentCopiesValueAndIndexWithoutPublishing) {
    HookLog log;
    const int initial[] = {1, 2, 3};
    PrivateInts source(nullptr, initial);
    source.select(2, 0, false, false);
    PrivateInts target;
    log.watch(target, "target");
    target = source;
    EXPECT_EQ(valuesOf(target), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(target.index(), 2u);
    EXPECT_TRUE(log.calls().empty());
    EXPECT_TRUE(target == source);
    target.select(1, 0, false, false);
    EXPECT_FALSE(target == source);
}

TEST(ShapeCopy, ShapeOfShapesComparesIndexCountAndElements) {
    using Registers = ShapeType<int, -1, 0, 1>;
    ShapeType<Registers, -1, 0, 0> profiles;
    Registers first;
    first.push_back(1);
    first.push_back(2);
    profiles.push_back(first);
    profiles.push_back(Registers());
    EXPECT_EQ(profiles.count, 2u);
    EXPECT_EQ(valuesOf(profiles.data()[0]), (std::vector<int>{1, 2}));
    EXPECT_TRUE(profiles.data()[0] == first);
    ShapeType<Registers, -1, 0, 0> copy;
    copy = profiles;
    EXPECT_TRUE(copy.equals(profiles.data(), profiles.count));
    copy.data()[0].select(1, 0, false, false);
    EXPECT_FALSE(copy.equals(profiles.data(), profiles.count));
}

}  // namespace
