#include "logic/BaseRunable.h"

#include <cstdlib>
#include <cstring>
#include <new>

BaseRunable::~BaseRunable() {
    std::free(buffer_);
}

void BaseRunable::SetBuffer(const void* data, int size) {
    std::free(buffer_);
    buffer_ = nullptr;
    size_ = 0;
    if (size <= 0) return;
    buffer_ = std::calloc(static_cast<size_t>(size), 1);
    if (buffer_ == nullptr) throw std::bad_alloc();
    if (data != nullptr) std::memcpy(buffer_, data, static_cast<size_t>(size));
    size_ = size;
}
