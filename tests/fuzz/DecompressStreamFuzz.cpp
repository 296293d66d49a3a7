// Any bytes as a record: reading fails with a stream, record or block error, or succeeds
// having consumed no more than the input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compression/Compress.h"
#include "compression/LZRW1KH.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velvora::TMemoryStream source(std::vector<std::uint8_t>(data, data + size)), destination;
    try {
        velvora::TCompressStream().DecompressStream(source, destination);
        if (source.Position() > size) __builtin_trap();
    } catch (const velvora::EStreamError&) {
    } catch (const velvora::ECompressedRecord&) {
    } catch (const velvora::ELzrw1KHCompressor&) {
    }
    return 0;
}
