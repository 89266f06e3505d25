#include "exchange/CsvLezer.h"
#include "exchange/UitwisselFout.h"

#include <cstddef>
#include <cstdint>

// Any bytes: the reader either answers a table with its unreadable rows listed or refuses a
// file without a readable first row.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        CCsvLezer::Lees(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const CUitwisselFout&) {
    }
    return 0;
}
