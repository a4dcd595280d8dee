#include "link/velor_table.h"

#include <stdexcept>
#include <utility>

namespace {
constexpr const char* kRangeError = "class TVelorTable: index out of range";
}

void TVelorTable::SetLength(uint32_t n) {
    TakeOwnedCopy();
    owned_.resize(n);
    if (n == 0) {
        owned_.shrink_to_fit();
    }
    length_ = n;
}

void TVelorTable::Assign(std::vector<uint8_t> bytes) {
    view_ = nullptr;
    owned_ = std::move(bytes);
    length_ = static_cast<uint32_t>(owned_.size());
}

void TVelorTable::SetView(const uint8_t* data, uint32_t length) {
    owned_.clear();
    owned_.shrink_to_fit();
    view_ = length != 0 ? data : nullptr;
    length_ = view_ != nullptr ? length : 0;
}

uint8_t TVelorTable::operator[](uint32_t index) const {
    CheckIndex(index);
    return Data()[index];
}

uint8_t& TVelorTable::operator[](uint32_t index) {
    CheckIndex(index);
    TakeOwnedCopy();
    return owned_[index];
}

const uint8_t* TVelorTable::Data() const {
    if (view_ != nullptr) {
        return view_;
    }
    return length_ != 0 ? owned_.data() : nullptr;
}

std::vector<uint8_t> TVelorTable::Bytes() const {
    const uint8_t* data = Data();
    return data != nullptr ? std::vector<uint8_t>(data, data + length_) : std::vector<uint8_t>();
}

void TVelorTable::CheckIndex(uint32_t index) const {
    if (index >= length_) {
        throw std::runtime_error(kRangeError);
    }
}

void TVelorTable::TakeOwnedCopy() {
    if (view_ != nullptr) {
        owned_.assign(view_, view_ + length_);
        view_ = nullptr;
    }
}
