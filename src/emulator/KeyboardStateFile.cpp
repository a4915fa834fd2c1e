#include "emulator/KeyboardStateFile.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/FileReplacer.h"

namespace {

constexpr char kTag[8] = {'K', 'L', 'K', 'B', 'D', 'S', 'T', '1'};
constexpr std::uintmax_t kLargestFile = 1 << 20;

std::uint32_t Checksum(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

// Walks the stored fields in one order for writing and reading alike.
class Fields {
public:
    virtual ~Fields() = default;
    virtual void Bytes(std::uint8_t* bytes, std::size_t size) = 0;

    template <class T>
    void Record(T& record) {
        Bytes(BytesOf(record), sizeof(T));
    }
    template <class T>
    void Table(std::vector<T>& table) {
        if (!table.empty()) Bytes(BytesOf(table.front()), table.size() * sizeof(T));
    }

    void Walk(KeyboardState& state) {
        Record(state.shape.profiles);
        Record(state.shape.modes);
        Record(state.shape.colourSets);
        Record(state.shape.macroSlots);
        Table(state.registers);
        Table(state.profileModes);
        Record(state.activeProfile);
        Table(state.colourSets);
        Record(state.selectedColourSet);
        Record(state.keyCodes);
        Table(state.macroSlots);
        Record(state.control);
        Record(state.masks);
    }
};

class Writer : public Fields {
public:
    void Bytes(std::uint8_t* bytes, std::size_t size) override {
        out.insert(out.end(), bytes, bytes + size);
    }
    std::vector<std::uint8_t> out;
};

class Reader : public Fields {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), left_(size) {}
    void Bytes(std::uint8_t* bytes, std::size_t size) override {
        if (size > left_) {
            failed = true;
            return;
        }
        std::memcpy(bytes, data_, size);
        data_ += size;
        left_ -= size;
    }
    bool Done() const { return !failed && left_ == 0; }
    bool failed = false;

private:
    const std::uint8_t* data_;
    std::size_t left_;
};

}  // namespace

bool SaveKeyboardState(const KeyboardState& state, const std::filesystem::path& file) {
    KeyboardState copy = state;
    Writer writer;
    writer.out.assign(std::begin(kTag), std::end(kTag));
    writer.Walk(copy);
    std::uint32_t sum = Checksum(writer.out.data(), writer.out.size());
    writer.Record(sum);

    const std::string_view bytes(reinterpret_cast<const char*>(writer.out.data()),
                                 writer.out.size());
    return static_cast<bool>(files::FileReplacer().Replace(file, bytes));
}

std::optional<KeyboardState> LoadKeyboardState(const std::filesystem::path& file,
                                               const KeyboardShape& shape) {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kLargestFile || size < sizeof kTag + sizeof(std::uint32_t)) {
        return std::nullopt;
    }
    std::ifstream stream(file, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                    std::istreambuf_iterator<char>());
    if (bytes.size() != size || std::memcmp(bytes.data(), kTag, sizeof kTag) != 0) {
        return std::nullopt;
    }
    std::size_t body = bytes.size() - sizeof(std::uint32_t);
    std::uint32_t stored;
    std::memcpy(&stored, bytes.data() + body, sizeof stored);
    if (stored != Checksum(bytes.data(), body)) return std::nullopt;

    // The tables are sized from the expected shape; a file of another shape cannot fit.
    KeyboardState state = KeyboardState::Defaults(shape);
    Reader reader(bytes.data() + sizeof kTag, body - sizeof kTag);
    reader.Walk(state);
    if (!reader.Done() || !(state.shape == shape.Clamped()) || !state.Consistent()) {
        return std::nullopt;
    }
    return state;
}
