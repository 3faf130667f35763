// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the JPEG decoder: whatever they are, it must answer with a
// picture or an error, never crash, leak or read outside the data.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const helune::DecodedJpeg decoded = helune::DecodeJpeg(bytes);
    if (decoded.image.isNull() == decoded.error.isEmpty())
        __builtin_trap();
    return 0;
}
