// Groups: who hears a published change, adoption on joining, the hold flag and window routing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "HookLog.h"
#include "store/Shape.h"

namespace {

using Named = ShapeType<int, -1, 1, 0>;
using Ints = ShapeType<int, 4242, 3, 1>;

template <class Shape>
std::vector<int> valuesOf(const Shape& shape) {
    return std::vector<int>(shape.data(), shape.data() + shape.count);
}

// One publication by member B of the group A, B, C (joined in that order).
struct Publication {
    std::string name;
    bool changeFirst;  // B's value is changed locally before publishing
    std::function<void(Named&)> publish;
    std::vector<std::string> heard;
    bool othersCopy;
};

void PrintTo(const Publication& p, std::ostream* os) {
    *os << p.name;
}

class WhoHears : public ::testing::TestWithParam<Publication> {
protected:
    void SetUp() override {
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
        log.watch(a, "A");
        log.watch(b, "B");
        log.watch(c, "C");
    }
    HookLog log;
    Named a{"group.who.hears"};
    Named b{"group.who.hears"};
    Named c{"group.who.hears"};
};

TEST_P(WhoHears, PublishingReachesExpectedHooks) {
    const Publication& p = GetParam();
    if (p.changeFirst) {
        const int five = 5;
        b.setCurrent(&five);
    }
    p.publish(b);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), p.heard);
    const int expected = p.othersCopy ? b.current() : 0;
    EXPECT_EQ(a.current(), expected);
    EXPECT_EQ(c.current(), expected);
    for (const HookLog::Call& call : log.calls()) EXPECT_EQ(call.arg, 3) << call.who;
}

INSTANTIATE_TEST_SUITE_P(
    Flags, WhoHears,
    ::testing::Values(
        Publication{"fireAll", true, [](Named& s) { s.fireAll(3, false); }, {"A", "B", "C"}, true},
        Publication{"fireAllUnchanged", false, [](Named& s) { s.fireAll(3, false); }, {"B"}, true},
        Publication{
            "fireAllForced", false, [](Named& s) { s.fireAll(3, true); }, {"A", "B", "C"}, true},
        Publication{"fireOthers", true, [](Named& s) { s.fireOthers(3, false); }, {"A", "C"}, true},
        Publication{
            "fireOthersUnchanged", false, [](Named& s) { s.fireOthers(3, false); }, {}, true},
        Publication{
            "fireOthersForced", false, [](Named& s) { s.fireOthers(3, true); }, {"A", "C"}, true},
        Publication{"fireSelfLater",
                    true,
                    [](Named& s) { s.fireSelf(3, SelfDelivery::Queued); },
                    {"B"},
                    false},
        Publication{
            "setSelf", false, [](Named& s) { s.set(5, 3, true, false); }, {"A", "B", "C"}, true},
        Publication{
            "setOthers", false, [](Named& s) { s.set(5, 3, false, false); }, {"A", "C"}, true},
        Publication{"setEqualNoForce", false, [](Named& s) { s.set(0, 3, true, false); }, {}, true},
        Publication{
            "setEqualForced", false, [](Named& s) { s.set(0, 3, false, true); }, {"A", "C"}, true}),
    [](const auto& info) { return info.param.name; });

TEST(ShapeGroup, SelectCarriesTheIndexToOtherMembers) {
    HookLog log;
    Ints a;
    Ints b;
    log.watch(a, "A");
    ASSERT_TRUE(b.select(2, 1, false, false));
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(a.index(), 2u);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].index, 2u);
    EXPECT_EQ(log.calls()[0].oldIndex, 0u);
}

TEST(ShapeGroup, LonePublisherWithoutSelfRunsNoHook) {
    HookLog log;
    Named alone("group.alone");
    log.watch(alone, "alone");
    alone.set(4, 0, false, true);
    alone.fireOthers(0, true);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_TRUE(log.calls().empty());
}

TEST(ShapeGroup, EarlierMemberHearsBeforePublisherItself) {
    HookLog log;
    Named a("group.order");
    Named b("group.order");
    log.watch(a, "A");
    log.watch(b, "B");
    b.set(1, 0, true, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"A", "B"}));
}

TEST(ShapeGroup, SelfHookSeesChangeOldCountAndIndex) {
    HookLog log;
    Ints a;
    Ints b;
    log.watch(b, "B");
    const int two[] = {8, 9};
    b.assign(two, 2, 0, true, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].oldCount, 3u);
    EXPECT_EQ(log.calls()[0].values, (std::vector<int>{8, 9}));
    EXPECT_EQ(valuesOf(a), (std::vector<int>{8, 9}));
}

TEST(ShapeGroup, OtherMemberHookGetsItsOwnOldCount) {
    HookLog log;
    Ints a;
    Ints b;
    log.watch(a, "A");
    a.select(2, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    log.clear();
    const int one[] = {8};
    b.assign(one, 1, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].oldCount, 3u);
    EXPECT_EQ(log.calls()[0].oldIndex, 2u);
    EXPECT_EQ(a.index(), 0u);
}

TEST(ShapeGroup, FireSelfModeOneRunsAtOnceOnCallingThread) {
    HookLog log;
    Named a("group.fire.self");
    Named b("group.fire.self");
    log.watch(a, "A");
    log.watch(b, "B");
    b.fireSelf(2, SelfDelivery::Now);
    ASSERT_EQ(log.heard(), (std::vector<std::string>{"B"}));
    EXPECT_EQ(log.calls()[0].thread, std::this_thread::get_id());
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.calls().size(), 1u);
}

TEST(ShapeGroup, NewMemberAdoptsFirstMembersValueWithIndexZero) {
    const int initial[] = {1, 2, 3, 4};
    Ints first(nullptr, initial, 4);
    first.selection.index = 3;  // not published: only the value is adopted
    Ints joined;
    EXPECT_EQ(valuesOf(joined), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(joined.index(), 0u);
    const int own[] = {7};
    Ints keeping(nullptr, own, 1, true);
    EXPECT_EQ(valuesOf(keeping), (std::vector<int>{7}));
    EXPECT_EQ(ShapeRegistry::memberCount<int>(4242, shapeTypeName<int>()), 3u);
}

TEST(ShapeGroup, CopyJoinsTheSameGroupWithTheSameValue) {
    Named original("group.copy");
    original.set(6, 0, false, false);
    Named copy(original);
    EXPECT_EQ(copy.current(), 6);
    EXPECT_EQ(ShapeRegistry::memberCount<int>(0, "group.copy"), 2u);
}

TEST(ShapeGroup, SameNameWithOtherElementTypeIsAnotherGroup) {
    Named ints("group.typed");
    ShapeType<double, -1, 1, 0> doubles("group.typed");
    doubles.set(2.5, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(ints.current(), 0);
    EXPECT_EQ(ShapeRegistry::memberCount<int>(0, "group.typed"), 1u);
}

TEST(ShapeGroup, DestroyedMemberLeavesItsGroup) {
    Named a("group.leave");
    {
        Named b("group.leave");
        EXPECT_EQ(ShapeRegistry::memberCount<int>(0, "group.leave"), 2u);
    }
    EXPECT_EQ(ShapeRegistry::memberCount<int>(0, "group.leave"), 1u);
}

TEST(ShapeHold, HeldMemberKeepsValueButHearsItsOwnPublication) {
    HookLog log;
    Named a("group.hold");
    Named b("group.hold");
    log.watch(a, "A");
    log.watch(b, "B");
    b.hold() = 1;
    a.set(3, 0, false, true);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(b.current(), 0);
    EXPECT_TRUE(log.calls().empty());
    b.fireAll(0, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(a.current(), 0);
}

TEST(ShapeHookFailure, ThrowingHookDoesNotStopOtherMembers) {
    HookLog log;
    Named a("group.throwing");
    Named b("group.throwing");
    Named c("group.throwing");
    a.bind(&a, [](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
        throw ShapeException(L"hook failed");
    });
    log.watch(c, "C");
    b.set(1, 0, false, false);
    b.set(2, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"C", "C"}));
}

// A publisher `a` and a member `b` whose owner is attached to `window`.
class WindowRouting : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ShapeWindowThread::installPoster(); }
    void SetUp() override {
        log.watch(*b, "B", &owner);
        ShapeBase::attachWindow(&owner, window.handle());
    }
    void publishAndSettle(int value) {
        a.set(value, 0, false, false);
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
        window.flush();
    }
    // Once the owner's shapes are gone, a new holder at the owner's address hears like any
    // other member.
    void expectNewHolderAtTheOwnersAddressHears(int value) {
        Named c("group.window");
        log.watch(c, "new", &owner);
        publishAndSettle(value);
        EXPECT_EQ(log.heard(), (std::vector<std::string>{"new"}));
        EXPECT_EQ(c.current(), value);
    }
    std::thread::id threadOf(ShapeWindowThread& w) {
        std::thread::id id;
        w.post([&] { id = std::this_thread::get_id(); });
        w.flush();
        return id;
    }
    HookLog log;
    int owner = 0;
    ShapeWindowThread window;
    Named a{"group.window"};
    std::unique_ptr<Named> b = std::make_unique<Named>("group.window");
};

TEST_F(WindowRouting, AttachedOwnerHearsOnWindowThreadEvenWhenHeld) {
    b->hold() = 1;
    publishAndSettle(4);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(b->current(), 4);
    EXPECT_EQ(log.calls()[0].thread, threadOf(window));
}

TEST_F(WindowRouting, SecondAttachReplacesFirstWindow) {
    ShapeWindowThread second;
    ShapeBase::attachWindow(&owner, second.handle());
    publishAndSettle(4);
    second.flush();
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].thread, threadOf(second));
}

TEST_F(WindowRouting, ClosedWindowLosesTheChange) {
    window.close();
    publishAndSettle(4);
    EXPECT_TRUE(log.calls().empty());
    EXPECT_EQ(b->current(), 0);
}

TEST_F(WindowRouting, RoutingEndsWithTheOwnersLastShape) {
    b.reset();
    window.close();
    // A new holder at the same address must not inherit the old, closed window.
    expectNewHolderAtTheOwnersAddressHears(3);
}

TEST_F(WindowRouting, DetachedOwnerHearsNothingUntilItsShapesAreGone) {
    ShapeBase::detachWindow(&owner);
    publishAndSettle(3);
    EXPECT_TRUE(log.calls().empty());
    EXPECT_EQ(b->current(), 0);
    b.reset();
    expectNewHolderAtTheOwnersAddressHears(5);
}

}  // namespace
