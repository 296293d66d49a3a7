// libjpeg's errors turned into a false result for the codec's own files: an error jumps back
// out of the step that raised it, and no message reaches stderr.
#pragma once

#include <csetjmp>

// jpeglib.h needs the size types declared before it.
#include <cstdio>
#include <jpeglib.h>

namespace velvora {

struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] inline void JumpOnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

inline void SilentJpegMessage(j_common_ptr) {}

// Runs `step`; false when libjpeg raised an error inside it. The step must own nothing that
// needs destroying, since the jump passes over its destructors.
template <typename Step>
bool GuardedJpegStep(JpegErrorManager& errors, Step step) {
    if (setjmp(errors.jump) != 0) return false;
    step();
    return true;
}

}  // namespace velvora
