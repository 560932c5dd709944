// Base64 decoding in each mode, into an exact and a short buffer, and the round trip of
// whatever decoded.
#include <cstring>
#include <vector>

#include "print/Base64Library.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Base64Library base64;
    const char* text = reinterpret_cast<const char*>(data);
    for (auto mode : {Base64Library::wxBase64DecodeMode::Strict,
                      Base64Library::wxBase64DecodeMode::SkipWhiteSpace,
                      Base64Library::wxBase64DecodeMode::Relaxed}) {
        size_t errorPosition = 0;
        const size_t needed = base64.wxBase64Decode(nullptr, 0, text, size, mode, &errorPosition);
        if (needed == Base64Library::kFailed) {
            if (errorPosition >= size && size > 0)
                __builtin_trap();
            continue;
        }
        std::vector<unsigned char> exact(needed);
        const size_t written = base64.wxBase64Decode(exact.data(), exact.size(), text, size, mode);
        if (written != Base64Library::kFailed && written > needed)
            __builtin_trap();
        if (needed > 0) {
            std::vector<unsigned char> shortBuffer(needed - 1);
            base64.wxBase64Decode(shortBuffer.data(), shortBuffer.size(), text, size, mode);
        }
        if (written != Base64Library::kFailed) {
            const wxMemoryBuffer again =
                base64.wxBase64Decode(base64.wxBase64Encode(exact.data(), written));
            if (again.GetDataLen() != written ||
                (written && std::memcmp(again.GetData(), exact.data(), written) != 0))
                __builtin_trap();
        }
    }
    base64.wxBase64Decode(FuzzText(data, size), Base64Library::wxBase64DecodeMode::Relaxed);
    return 0;
}
