#include "platform/rtf/Rtf.h"

#include <cstddef>
#include <cstdint>
#include <QGuiApplication>
#include <QTextDocument>

// A document's fonts need a running application; the offscreen platform needs no display.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

// Any bytes: read into a document and written back, never a crash or a hang.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTextDocument doc;
    if (ReadRtf(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &doc)) {
        WriteRtf(doc);
    }
    return 0;
}
