#include "platform/dao/DaoException.h"

CDaoException::CDaoException(QString error, int engineCode)
    : m_strError(std::move(error)), m_nEngineCode(engineCode),
      m_utf8(m_strError.toUtf8().toStdString()) {}
