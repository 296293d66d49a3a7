// The item layout of LZRW1-KH blocks and the word access that the encoder and the decoder
// share; internal to the compression code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "compression/LZRW1KH.h"

namespace velvora::lzrw1kh {

inline constexpr std::size_t MinMatch = 3;
inline constexpr std::size_t MaxMatch = 18;
inline constexpr std::size_t MinRun = 16;
inline constexpr unsigned ItemsPerGroup = 16;
inline constexpr std::size_t ControlWordSize = 2;

inline std::uint64_t Load64(const std::uint8_t* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

inline void Store64(std::uint8_t* bytes, std::uint64_t word) { std::memcpy(bytes, &word, sizeof word); }

}  // namespace velvora::lzrw1kh
