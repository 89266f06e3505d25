#pragma once

#include "exchange/Voortgang.h"
#include "platform/dao/DaoTypes.h"

#include <QByteArray>

class CDaoDatabase;

// Every relation as an organisation card followed by the cards of its persons, or only
// those of one relation; in version 4.0, or 3.0 for older phones and programs.
class CVCardExport {
public:
    CVCardExport(CDaoDatabase* pDatabase, bool bVersie3);

    // The file's content; lRelatie 0 means all relations. Answers an empty array when the
    // progress callback stopped the run.
    QByteArray Exporteer(LONG lRelatie = 0, const Voortgang& voortgang = {});

    int AantalKaarten() const { return m_nKaarten; }

private:
    CDaoDatabase* m_pDatabase;
    bool m_bVersie3;
    int m_nKaarten = 0;
};
