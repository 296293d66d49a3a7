// Compressing and decompressing gives the input back, both block by block and as a record.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "compression/Compress.h"
#include "compression/LZRW1KH.h"

namespace {

void CheckBlock(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> block(size + velvora::CompressSlack);
    const std::size_t m = velvora::CompressBlock({data, size}, block);
    if (m > size + 1) __builtin_trap();
    std::vector<std::uint8_t> output(velvora::MaxBlockInput);
    const std::size_t n = velvora::DecompressBlock({block.data(), m}, output);
    if (n != size || (size > 0 && std::memcmp(output.data(), data, size) != 0)) __builtin_trap();
}

void CheckRecord(const std::vector<std::uint8_t>& input) {
    velvora::TMemoryStream source(input);
    velvora::TMemoryStream record;
    velvora::TCompressStream compressor;
    compressor.CompressStream(source, record, input.size());
    record.Seek(0);
    velvora::TMemoryStream output;
    compressor.DecompressStream(record, output);
    if (output.Bytes() != input || record.Position() != record.Size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckBlock(data, size < velvora::MaxBlockInput ? size : velvora::MaxBlockInput);
    CheckRecord(std::vector<std::uint8_t>(data, data + size));
    return 0;
}
