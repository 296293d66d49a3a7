// Compressing and decompressing gives the input back, both block by block and as a record.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "compression/Compress.h"
#include "compression/LZRW1KH.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t blockSize = size < velvora::MaxBlockInput ? size : velvora::MaxBlockInput;
    std::vector<std::uint8_t> block(blockSize + velvora::CompressSlack), output(velvora::MaxBlockInput);
    const std::size_t m = velvora::CompressBlock({data, blockSize}, block);
    if (m > blockSize + 1) __builtin_trap();
    const std::size_t n = velvora::DecompressBlock({block.data(), m}, output);
    if (n != blockSize || (blockSize > 0 && std::memcmp(output.data(), data, blockSize) != 0)) __builtin_trap();

    const std::vector<std::uint8_t> input(data, data + size);
    velvora::TMemoryStream source(input), record, decoded;
    velvora::TCompressStream().CompressStream(source, record, size);
    record.Seek(0);
    velvora::TCompressStream().DecompressStream(record, decoded);
    if (decoded.Bytes() != input || record.Position() != record.Size()) __builtin_trap();
    return 0;
}
