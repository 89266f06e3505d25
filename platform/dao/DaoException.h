#pragma once

#include "platform/dao/DaoErrorKind.h"

#include <exception>
#include <QString>
#include <string>

// A failure of the database or of a recordset. A failure of the engine carries its kind,
// as the engine layer decided it, the file or database it concerns and the engine's own
// text; m_strError is what the user reads: one Dutch sentence for the kind, naming the
// file, with the engine's text as a detail line.
class CDaoException : public std::exception {
public:
    // A failure the program describes itself (no current record, a file that already exists).
    CDaoException(QString error, int engineCode = 0);
    // A failure the engine reported; bServer for a database on a server rather than a file.
    CDaoException(DaoErrorKind kind, QString name, QString engineText, int engineCode,
                  bool bServer = false);

    const char* what() const noexcept override { return m_utf8.c_str(); }
    QString GetErrorMessage() const { return m_strError; }

    // The user's text for a kind of failure of the file or database name; the one place
    // where these sentences are made.
    static QString KindSentence(DaoErrorKind kind, const QString& name, bool bServer = false);
    // The text with every password in a database address replaced by ***.
    static QString WithoutSecrets(QString text);

    QString m_strError;
    int m_nEngineCode = 0;
    DaoErrorKind m_kind = DaoErrorKind::Other;
    QString m_strName;
    QString m_strEngineText;

private:
    std::string m_utf8;
};
