#pragma once

#include <QByteArray>
#include <QString>

// A file written whole or not at all: the contents go to a hidden file beside the target,
// are flushed to the disk and only then take the target's name, so that a full disk, a
// file-size limit or a power cut leaves the old file exactly as it was. Every failure is
// told in a Dutch sentence the user can act on.
class CWholeFile {
public:
    explicit CWholeFile(QString path);
    ~CWholeFile();
    CWholeFile(const CWholeFile&) = delete;
    CWholeFile& operator=(const CWholeFile&) = delete;

    bool Open();
    bool Write(const char* data, qint64 size);
    bool Write(const QByteArray& data) { return Write(data.constData(), data.size()); }
    // Puts the written contents in the target's place; false (and the target untouched)
    // when any step before failed.
    bool Commit();

    // Why the last step failed, as a sentence: "De schijf is vol."
    QString ErrorText() const { return m_strError; }

    // The whole contents in one go; on failure *error receives the reason.
    static bool Write(const QString& path, const QByteArray& contents, QString* error);
    // A copy of source made the same way.
    static bool Copy(const QString& source, const QString& target, QString* error);
    // The Dutch sentence for a system error number of a file operation.
    static QString Reason(int systemError);

private:
    bool Fail(int systemError);
    void Discard();

    QString m_strTarget;
    QString m_strTemp;
    int m_fd = -1;
    QString m_strError;
};
