#pragma once

#include <exception>
#include <QString>
#include <string>

// A failure of the database engine. m_strError carries the engine's text, with the file
// it concerns, so that the message box can show it as it stands.
class CDaoException : public std::exception {
public:
    CDaoException(QString error, int engineCode = 0);

    const char* what() const noexcept override { return m_utf8.c_str(); }
    QString GetErrorMessage() const { return m_strError; }

    QString m_strError;
    int m_nEngineCode = 0;

private:
    std::string m_utf8;
};
