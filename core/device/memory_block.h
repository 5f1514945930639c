#pragma once
// A run of bytes destined for one address of the mouse's settings memory. The settings image and
// the macro area are built as lists of these, so what reaches the mouse is decided (and tested)
// before anything is sent.

#include <cstdint>
#include <vector>

namespace tarvosk {

struct MemoryBlock {
  uint16_t address = 0;
  std::vector<uint8_t> bytes;  // 1..8 bytes: one block write of the report protocol

  friend bool operator==(const MemoryBlock&, const MemoryBlock&) = default;
};

}  // namespace tarvosk
