// Any bytes as a block: decoding either fails with the module's error or stays in bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compression/LZRW1KH.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the output area, so that small areas are tried as well.
    if (size == 0) return 0;
    const std::size_t capacity = data[0] % 2 == 0 ? velvora::MaxBlockInput : data[0] * 16;
    std::vector<std::uint8_t> output(capacity);
    try {
        const std::size_t n = velvora::DecompressBlock({data + 1, size - 1}, output);
        if (n > capacity || n > velvora::MaxBlockInput) __builtin_trap();
    } catch (const velvora::ELzrw1KHCompressor&) {
    }
    return 0;
}
