#pragma once

#include <cstdint>
#include <vector>

// Bytes moved through the device object: a settings table, a key identifier or a firmware image,
// with the scenario code and parameter it travels under.
//
// The content is either owned (a vector) or a read-only view of bytes someone else owns (the
// window's firmware image during an upload; the table neither copies nor releases them). Changing
// a viewed table (SetLength, writable element access) first takes an owned copy of the view.
// Element access checks the index and throws std::runtime_error
// "class TVelorTable: index out of range" at or beyond Length().
class TVelorTable {
public:
    int32_t Code = 0;   // scenario code; only its low 16 bits travel on the link
    uint32_t Param = 0; // scenario parameter

    uint32_t Length() const { return length_; }
    bool IsView() const { return view_ != nullptr; }

    // Grows with zero bytes (the old content kept) or shrinks; 0 releases the storage.
    void SetLength(uint32_t n);
    // Takes the bytes as owned content.
    void Assign(std::vector<uint8_t> bytes);
    // Describes length bytes at data without owning them; data must outlive the table's use.
    void SetView(const uint8_t* data, uint32_t length);

    uint8_t operator[](uint32_t index) const;
    uint8_t& operator[](uint32_t index);

    // The content, Length() bytes; null when empty.
    const uint8_t* Data() const;
    std::vector<uint8_t> Bytes() const;

private:
    void CheckIndex(uint32_t index) const;
    void TakeOwnedCopy();

    std::vector<uint8_t> owned_;
    const uint8_t* view_ = nullptr;
    uint32_t length_ = 0;
};
