#include "records/MacroCode.h"

macro_code_t macro_code_t::make(unsigned type, unsigned value) {
    macro_code_t code;
    code.setType(type);
    code.setValue(value);
    return code;
}

void macro_code_t::setType(unsigned type) {
    setCode(static_cast<std::uint16_t>((type & 0xF) << 12 | value()));
}

void macro_code_t::setValue(unsigned value) {
    setCode(static_cast<std::uint16_t>((code() & ~VALUE_MASK) | (value & VALUE_MASK)));
}
