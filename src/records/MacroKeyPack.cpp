#include "records/MacroKeyPack.h"

bool operator==(const macrokey_pack_t& a, const macrokey_pack_t& b) {
    return a.type() == b.type() && a.key() == b.key() && a.code() == b.code() && a.macro == b.macro;
}
