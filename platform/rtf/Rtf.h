#pragma once

#include <QByteArray>

class QTextDocument;

// Memo texts are Rich Text Format as a rich-edit control writes it.

// Replaces the contents of doc with the RTF text. Answers false, leaving doc untouched, only
// when rtf is not RTF at all; damaged or truncated RTF is read as far as it goes.
bool ReadRtf(const QByteArray& rtf, QTextDocument* doc);

// The document as a rich-edit control would write it (cp1252, \uN for the rest).
QByteArray WriteRtf(const QTextDocument& doc);

// The characters a QTextDocument keeps for its own structure (an embedded object, the start
// and end of a frame). They are never text of a memo: the reader drops them and the writer
// never writes them, so a memo's text is the same before and after its first save.
bool IsDocumentMark(char16_t ch);
