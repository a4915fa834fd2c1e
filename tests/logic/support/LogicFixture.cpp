#include "support/LogicFixture.h"

#include <algorithm>
#include <iomanip>

#include "records/SharedShapes.h"
#include "store/ShapeDispatcher.h"

std::ostream& operator<<(std::ostream& out, const Request& request) {
    out << "{cmd 0x" << std::hex << request.command << std::dec << ", sub " << request.sub
        << ", offset " << request.offset << ", length " << request.length;
    if (!request.payload.empty()) {
        out << ", payload";
        size_t shown = std::min<size_t>(request.payload.size(), 8);
        for (size_t i = 0; i < shown; ++i) out << ' ' << int(request.payload[i]);
        if (shown < request.payload.size()) out << " ...";
    }
    return out << '}';
}

Request Query(int command, int sub, int length) {
    return {command | kQueryFlag, sub, 0, length, {}};
}

LogicTest::~LogicTest() {
    logic.reset();
    Idle();
}

void LogicTest::Build(const KeyboardShape& shape) {
    logic.reset();
    Idle();
    screens.reset();
    link.reset();
    keyboard = std::make_shared<VirtualKeyboard>(shape);
    backend = std::make_shared<EmulatedBackend>(keyboard);
    patcher = std::make_shared<AnswerPatcher>(backend);
    link = std::make_unique<DeviceLink>(patcher);
    screens = std::make_unique<ScreenSide>();
}

void LogicTest::Connect() {
    logic = std::make_unique<KeyboardLogic>(link.get());
    Idle();
}

void LogicTest::Replug() {
    const std::string path = EmulatedBackend::KeyboardPath();
    backend->UnplugKeyboard();
    EXPECT_TRUE(logic->OnRemove(path));
    Idle();
    backend->PlugKeyboard();
    EXPECT_TRUE(logic->OnArrival(path));
    Idle();
}

void LogicTest::PublishAssignment(const macrokey_pack_t& pack) {
    screens->keyAssignment.current() = pack;
    screens->keyAssignment.fireAll(shapes::kApply, true);
    Idle();
}

void LogicTest::ShareGroups(std::list<MacroRecordGroup> groups) {
    screens->groups.current() = std::move(groups);
    screens->groups.fireOthers(shapes::kApply, false);
    Idle();
}

void LogicTest::Idle() {
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
}

std::vector<Request> LogicTest::Requests() const {
    std::vector<Request> requests;
    for (const ReportRecord& record : backend->Log()) {
        if (record.direction != ReportRecord::Direction::Set) continue;
        const FeaturePacket& packet = record.packet;
        Request request{packet.command, packet.sub, packet.offset, packet.length, {}};
        if (!(packet.command & kQueryFlag)) {
            request.payload.assign(packet.data, packet.data + packet.length);
        }
        requests.push_back(std::move(request));
    }
    return requests;
}

size_t LogicTest::CountOf(int command) const {
    auto requests = Requests();
    return static_cast<size_t>(std::count_if(
        requests.begin(), requests.end(), [&](const Request& r) { return r.command == command; }));
}

void LogicTest::PutMacro(int key, int slot, uint8_t usage, int steps, uint8_t repeat) {
    ASSERT_TRUE(keyboard->Modify([&](KeyboardState& state) {
        macro_block_t block;
        block.name.set("M" + std::to_string(slot));
        block.repeat = repeat;
        for (int i = 0; i < steps; ++i) {
            block.append(macro_step_t::make(usage, static_cast<unsigned>(10 * (i + 1)),
                                            static_cast<unsigned>(i % 2)));
        }
        state.macroSlots[static_cast<size_t>(slot)] = block;
        state.keyCodes[static_cast<size_t>(key)] =
            macro_code_t::make(3, static_cast<unsigned>(slot));
    }));
}

std::vector<Request> ExpectedConnectionRead(int profiles, int modes, const std::vector<int>& slots,
                                            int colourSet) {
    std::vector<Request> expected{Query(DeviceInfo, 0, 90)};
    for (int m = 0; m < modes; ++m) expected.push_back(Query(ModeAttributes, m, 62));
    expected.push_back(Query(ColourSet, 0, 1));
    for (int p = 0; p < profiles; ++p) {
        for (int m = 0; m < modes; ++m) expected.push_back(Query(ModeRegister, p * modes + m, 9));
        expected.push_back(Query(ProfileMode, p, 1));
    }
    expected.push_back(Query(ActiveProfile, 0, 1));
    expected.push_back(Query(KeyCodes, 0, 218));
    for (int slot : slots) expected.push_back(Query(MacroSlot, slot, 367));
    expected.push_back(Query(KeyColours, colourSet, 432));
    return expected;
}
