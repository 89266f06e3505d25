#include "ZoekBank.h"

#include "platform/rtf/Rtf.h"
#include "search/ZoekBijwerker.h"
#include "search/ZoekTabel.h"
#include "store/DatabasePath.h"
#include "store/RecOfferte.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"

#include <QTextDocument>

ZoekBank::ZoekBank() {
    CZoekBijwerker::Installeer();
    Bouw();
}

ZoekBank::~ZoekBank() {
    index.reset();
    CDaoWriteObserver::Install(nullptr);
}

void ZoekBank::Bouw() {
    index = CZoekIndex::Voor(g_strDatabasePath);
    index->Herbouw({});
}

QStringList ZoekBank::Vind(const QString& vraag, int nMax) {
    QStringList namen;
    for (const CZoekTreffer& treffer : index->Zoek(vraag, nMax)) {
        namen << treffer.strNaam;
    }
    return namen;
}

QStringList ZoekBank::Sleutels(const QString& vraag) {
    QStringList sleutels;
    for (const CZoekTreffer& treffer : index->Zoek(vraag, 200)) {
        sleutels << QStringLiteral("%1:%2").arg(treffer.nSoort).arg(treffer.lNummer);
    }
    return sleutels;
}

LONG ZoekBank::Relatie(const QString& inLijst, const QString& volleNaam, const QString& telefoon,
                       const QString& plaats) {
    CRecRelatie rel;
    rel.NieuwRecord();
    rel.Edit();
    rel.szInLijst = inLijst;
    rel.szVolleNaam = volleNaam;
    rel.szTelefoon = telefoon;
    rel.szBezoekWoonplaats = plaats;
    rel.Update();
    return rel.lRelatieNummer;
}

LONG ZoekBank::Persoon(LONG relatie, const QString& achter, const QString& voor,
                       const QString& telefoon) {
    CRecPersoon persoon;
    persoon.NieuwRecord(relatie);
    persoon.Edit();
    persoon.szAchterNaam = achter;
    persoon.szVoorNaam = voor;
    persoon.szTelefoon = telefoon;
    persoon.Update();
    return persoon.IDnr;
}

LONG ZoekBank::RelatieMemo(LONG relatie, const QString& onderwerp, const QString& tekst) {
    CRecRelatieMemo memo;
    memo.NieuweMemo(relatie, 0);
    memo.Edit();
    memo.szInLijst = onderwerp;
    memo.szTekst = Rtf(tekst);
    memo.Update();
    return memo.dwIndex;
}

LONG ZoekBank::Offerte(LONG relatie, const QString& inLijst, const QString& kontakt) {
    CRecOfferte offerte;
    offerte.NieuwRecord();
    offerte.Edit();
    offerte.dwRelatieNummer = relatie;
    offerte.szInLijst = inLijst;
    offerte.szKontaktPersoon = kontakt;
    offerte.Update();
    return offerte.dwIndex;
}

QString ZoekBank::Rtf(const QString& tekst) {
    QTextDocument document;
    document.setPlainText(tekst);
    return QString::fromLatin1(WriteRtf(document));
}
