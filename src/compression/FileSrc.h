// TFileSource: a whole file carried inside the program. At build time its bytes are stored
// (WriteData); at run time they are written back out to a fresh temporary file (ReadData),
// which lives exactly as long as the component.
#pragma once

#include <string>

#include "compression/Stream.h"

namespace velvora {

class TFileSource {
public:
    // `name` identifies the component in messages, as in "Viewer_CD cannot store file: ...".
    explicit TFileSource(std::string name);
    // Deletes the temporary file this component extracted, if any; failures are ignored.
    ~TFileSource();
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;

    const std::string& Name() const { return name_; }

    bool Compress() const { return compress_; }
    // Compressing implies storing: a compressed record only makes sense as stored content.
    void SetCompress(bool compress);
    bool Store() const { return store_; }
    void SetStore(bool store) { store_ = store; }
    const std::string& DisplayLabel() const { return displayLabel_; }
    void SetDisplayLabel(std::string label) { displayLabel_ = std::move(label); }
    // With its dot (".exe"); given to the temporary file. Taken from every assigned name.
    const std::string& Extension() const { return extension_; }
    void SetExtension(std::string extension) { extension_ = std::move(extension); }

    // The file's name while it exists, else empty.
    std::string FileName() const;
    // Deletes the current file first when this component extracted it.
    void SetFileName(const std::string& fileName);

    // Writes the stored bytes of `data` to a new temporary file named "~fs" + seconds of
    // the current minute + counter + Extension() in the temporary folder, and makes it
    // FileName(). `data` holds one compressed record with Compress(), else a 32-bit
    // little-endian size and that many bytes. Throws std::runtime_error ("Cannot create
    // file ...") when the temporary folder is not writable, and ECompressedRecord,
    // EStreamError or ELzrw1KHCompressor for damaged data; the temporary file then stays
    // empty and still belongs to the component.
    void ReadData(TStream& data);
    // Stores the file FileName() into `data` in the form that ReadData reads. Throws
    // std::runtime_error (Name() + " cannot store file: " + name + " (file is missing)").
    void WriteData(TStream& data) const;

private:
    void DeleteTemporaryFile();

    std::string name_;
    bool compress_ = false;
    bool store_ = false;
    std::string displayLabel_;
    std::string extension_;
    std::string fileName_;
    bool ownsTemporaryFile_ = false;
};

// The name ReadData would take now: folder + "~fs" + seconds + the first counter whose
// file does not exist yet + extension, created empty and exclusively so that no other
// component or process takes it. `folder` ends in a separator. Throws std::runtime_error
// ("Cannot create file ...") when the folder is not writable.
std::string CreateTemporaryFileName(const std::string& folder, int seconds, const std::string& extension);

}  // namespace velvora
