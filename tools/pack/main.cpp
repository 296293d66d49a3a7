// velvora-pack: turns a whole file into one compressed record and back. The build embeds
// the viewer programs with it; a user can unpack a record by hand.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "base/FileIo.h"
#include "compression/Compress.h"
#include "compression/FileStream.h"
#include "compression/LZRW1KH.h"

namespace {

using velvora::TCompressStream;
using velvora::TFileStream;
using velvora::TMemoryStream;

constexpr const char* Usage = "usage: velvora-pack compress|decompress IN OUT";

std::string_view ViewOf(const TMemoryStream& stream) {
    return {reinterpret_cast<const char*>(stream.Bytes().data()), stream.Bytes().size()};
}

// The output is built in memory and saved atomically, so a failure never leaves a
// half-written OUT behind and IN may even be OUT.
void Pack(const std::string& command, const std::string& inPath, const std::string& outPath) {
    TFileStream in(inPath, TFileStream::Mode::Read);
    TMemoryStream out;
    TCompressStream record;
    if (command == "compress")
        record.CompressStream(in, out, in.Size());
    else
        record.DecompressStream(in, out);
    velvora::WriteFileAtomic(outPath, ViewOf(out));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string_view(argv[1]) != "compress" && std::string_view(argv[1]) != "decompress")) {
        std::fprintf(stderr, "%s\n", Usage);
        return 1;
    }
    try {
        velvora::InitLzrw1KH();
        Pack(argv[1], argv[2], argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velvora-pack: %s\n", error.what());
        return 1;
    }
    return 0;
}
