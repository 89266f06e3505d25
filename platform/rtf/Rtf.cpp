#include "platform/rtf/Rtf.h"

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QChar>

bool ReadRtf(const QByteArray& rtf, QTextDocument* doc) {
    if (doc == nullptr || !CRtfReader::IsRtf(rtf)) {
        return false;
    }
    CRtfReader(rtf, doc).Read();
    return true;
}

QByteArray WriteRtf(const QTextDocument& doc) {
    return CRtfWriter(doc).Write();
}

bool IsDocumentMark(char16_t ch) {
    return ch == QChar::ObjectReplacementCharacter || ch == 0xFDD0 || ch == 0xFDD1;
}
