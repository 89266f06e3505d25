#include "exchange/UitwisselFout.h"
#include "exchange/VCardLezer.h"

#include <cstddef>
#include <cstdint>

// Any bytes: the reader either answers cards and Dutch errors or refuses the whole file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        CVCardLezer::Lees(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const CUitwisselFout&) {
    }
    return 0;
}
