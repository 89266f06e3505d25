#include "exchange/venster/UitwisselVenster.h"

#include "dialogs/ProgressDlg.h"
#include "exchange/CsvExport.h"
#include "exchange/CsvImport.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/UitwisselBestand.h"
#include "exchange/UitwisselFout.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "exchange/venster/CsvVoorbeeldDlg.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/ui/MessageBox.h"
#include "store/DatabasePath.h"
#include "store/RecLijstKalender.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

namespace {

const char* const kLetOp = "Let Op";

std::shared_ptr<CDaoDatabase> Database() {
    return CDaoDatabase::OpenShared(g_strDatabasePath);
}

std::shared_ptr<CDaoDatabase> Afspraken() {
    return CDaoDatabase::OpenShared(CRecLijstKalender().GetDefaultDBName());
}

// The progress window for one long run: it appears only when the run is long enough to
// be noticed, and goes when the run ends, also by an exception.
class Voortgangsvenster {
public:
    Voortgangsvenster(QWidget* owner, QString naam) : m_dlg(owner), m_naam(std::move(naam)) {}
    ~Voortgangsvenster() { m_dlg.DestroyWindow(); }

    Voortgang Callback() {
        return [this](int gedaan, int totaal) {
            if (!m_dlg.IsWindow() && gedaan == 0 && totaal >= CUitwisselVenster::kVoortgangVanaf) {
                m_dlg.Create();
                m_dlg.m_nTeller = 0;
                m_dlg.StartVerzameling(m_naam, DWORD(totaal));
            }
            if (m_dlg.IsWindow()) {
                m_dlg.VolgendRecord();
            }
            return true;
        };
    }

private:
    CProgressDlg m_dlg;
    QString m_naam;
};

class WachtCursor {
public:
    WachtCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WachtCursor() { QApplication::restoreOverrideCursor(); }
};

// The first cards that could not be read, enough to find them in the file.
QString FoutLijst(const QStringList& fouten) {
    if (fouten.isEmpty()) {
        return {};
    }
    constexpr int kToon = 10;
    QString tekst =
        QStringLiteral("\n\nNiet gelezen:\n") + fouten.mid(0, kToon).join(QLatin1Char('\n'));
    if (fouten.size() > kToon) {
        tekst += QStringLiteral("\n... en nog %1.").arg(fouten.size() - kToon);
    }
    return tekst;
}

} // namespace

QString CUitwisselVenster::KiesOpslaan(QWidget* owner, const QString& titel, const QString& naam,
                                       const QString& filter) {
    return QFileDialog::getSaveFileName(owner, titel, QDir::home().filePath(naam), filter);
}

QString CUitwisselVenster::KiesOpenen(QWidget* owner, const QString& titel, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, titel, QDir::homePath(), filter);
}

void CUitwisselVenster::Gereed(QWidget* owner, const QString& tekst) {
    MessageBox(owner, tekst, QString::fromLatin1(kLetOp), MB_OK | MB_ICONINFORMATION);
}

void CUitwisselVenster::Fout(QWidget* owner, const QString& tekst) {
    MessageBox(owner, tekst, QString::fromLatin1(kLetOp), MB_OK | MB_ICONSTOP);
}

void CUitwisselVenster::ExporteerVCard(QWidget* owner, bool bVersie3, LONG lRelatie, QString pad) {
    if (pad.isEmpty()) {
        pad = KiesOpslaan(owner, QStringLiteral("Relaties exporteren als vCard"),
                          lRelatie ? QStringLiteral("relatie.vcf") : QStringLiteral("relaties.vcf"),
                          QStringLiteral("vCard-bestanden (*.vcf);;Alle bestanden (*)"));
        if (pad.isEmpty()) {
            return;
        }
    }
    try {
        const auto database = Database();
        CVCardExport exp(database.get(), bVersie3);
        QByteArray inhoud;
        {
            Voortgangsvenster venster(owner, QStringLiteral("Relaties"));
            WachtCursor wacht;
            inhoud = exp.Exporteer(lRelatie, venster.Callback());
        }
        CUitwisselBestand::Schrijf(pad, inhoud);
        Gereed(owner,
               QStringLiteral("%1 kaarten geschreven naar %2.").arg(exp.AantalKaarten()).arg(pad));
    } catch (const CUitwisselFout& e) {
        Fout(owner, e.Tekst());
    }
}

void CUitwisselVenster::ExporteerICal(QWidget* owner, QString pad) {
    if (pad.isEmpty()) {
        pad = KiesOpslaan(owner, QStringLiteral("Afspraken exporteren als iCalendar"),
                          QStringLiteral("afspraken.ics"),
                          QStringLiteral("iCalendar-bestanden (*.ics);;Alle bestanden (*)"));
        if (pad.isEmpty()) {
            return;
        }
    }
    try {
        const auto afspraken = Afspraken();
        CICalExport exp(afspraken.get());
        CUitwisselBestand::Schrijf(pad, exp.Exporteer());
        Gereed(
            owner,
            QStringLiteral("%1 afspraken geschreven naar %2.").arg(exp.AantalAfspraken()).arg(pad));
    } catch (const CUitwisselFout& e) {
        Fout(owner, e.Tekst());
    }
}

void CUitwisselVenster::ExporteerCsv(QWidget* owner, QString tabblad, QString pad) {
    const QStringList namen = CCsvExport::Tabbladen();
    if (tabblad.isEmpty()) {
        QStringList titels;
        for (const QString& naam : namen) {
            titels << naam.left(1).toUpper() + naam.mid(1);
        }
        bool ok = false;
        const QString keuze =
            QInputDialog::getItem(owner, QStringLiteral("Lijst exporteren als CSV"),
                                  QStringLiteral("&Welke lijst:"), titels, 0, false, &ok);
        if (!ok) {
            return;
        }
        tabblad = namen.value(titels.indexOf(keuze));
    }
    if (pad.isEmpty()) {
        pad = KiesOpslaan(owner, QStringLiteral("Lijst exporteren als CSV"),
                          tabblad + QStringLiteral(".csv"),
                          QStringLiteral("CSV-bestanden (*.csv);;Alle bestanden (*)"));
        if (pad.isEmpty()) {
            return;
        }
    }
    try {
        const auto database = Database();
        CCsvExport exp(database.get());
        QByteArray inhoud;
        {
            WachtCursor wacht;
            inhoud = exp.Exporteer(tabblad);
        }
        CUitwisselBestand::Schrijf(pad, inhoud);
        Gereed(
            owner,
            QStringLiteral("%1 regels geschreven naar %2.").arg(exp.AantalRegels() - 1).arg(pad));
    } catch (const CUitwisselFout& e) {
        Fout(owner, e.Tekst());
    }
}

// Nothing is stored unless the user saw the summary and said yes; with nothing new there
// is nothing to ask.
template <typename Import>
bool CUitwisselVenster::Bevestig(QWidget* owner, const Import& import, bool bIetsNieuw) {
    const QString fouten = FoutLijst(import.Fouten());
    if (!bIetsNieuw) {
        if (import.Overgeslagen() == 0 && !import.Fouten().isEmpty()) {
            Fout(owner, QStringLiteral("Er kon niets uit het bestand worden gelezen; er is niets "
                                       "opgeslagen.") +
                            fouten);
        } else {
            Gereed(owner, import.Samenvatting() +
                              QStringLiteral(".\n\nEr is niets nieuw om op te slaan.") + fouten);
        }
        return false;
    }
    return MessageBox(owner,
                      import.Samenvatting() + QLatin1Char('.') + fouten +
                          QStringLiteral("\n\nWilt u dit opslaan?"),
                      QString::fromLatin1(kLetOp), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool CUitwisselVenster::ImporteerVCard(QWidget* owner, QString pad) {
    if (pad.isEmpty()) {
        pad = KiesOpenen(owner, QStringLiteral("vCard-bestand importeren"),
                         QStringLiteral("vCard-bestanden (*.vcf *.vcard);;Alle bestanden (*)"));
        if (pad.isEmpty()) {
            return false;
        }
    }
    try {
        const auto database = Database();
        CVCardImport imp(database.get());
        {
            WachtCursor wacht;
            imp.Lees(CUitwisselBestand::Lees(pad));
        }
        if (!Bevestig(owner, imp, imp.NieuweRelaties() + imp.NieuwePersonen() > 0)) {
            return false;
        }
        Voortgangsvenster venster(owner, QStringLiteral("Relaties"));
        WachtCursor wacht;
        imp.Bewaar(venster.Callback());
        return true;
    } catch (const CUitwisselFout& e) {
        Fout(owner, e.Tekst());
    }
    return false;
}

bool CUitwisselVenster::ImporteerICal(QWidget* owner, QString pad) {
    if (pad.isEmpty()) {
        pad = KiesOpenen(owner, QStringLiteral("iCalendar-bestand importeren"),
                         QStringLiteral("iCalendar-bestanden (*.ics *.ical);;Alle bestanden (*)"));
        if (pad.isEmpty()) {
            return false;
        }
    }
    try {
        const auto afspraken = Afspraken();
        CICalImport imp(afspraken.get());
        imp.Lees(CUitwisselBestand::Lees(pad));
        if (!Bevestig(owner, imp, imp.NieuweAfspraken() > 0)) {
            return false;
        }
        WachtCursor wacht;
        imp.Bewaar();
        return true;
    } catch (const CUitwisselFout& e) {
        Fout(owner, e.Tekst());
    }
    return false;
}

bool CUitwisselVenster::ImporteerCsv(QWidget* owner, bool bPersonen, QString pad) {
    if (pad.isEmpty()) {
        pad = KiesOpenen(owner,
                         bPersonen ? QStringLiteral("Personen uit CSV importeren")
                                   : QStringLiteral("Relaties uit CSV importeren"),
                         QStringLiteral("CSV-bestanden (*.csv *.txt);;Alle bestanden (*)"));
        if (pad.isEmpty()) {
            return false;
        }
    }
    try {
        const auto database = Database();
        CCsvImport imp(database.get(), bPersonen);
        {
            WachtCursor wacht;
            imp.Lees(CUitwisselBestand::Lees(pad));
        }
        CCsvVoorbeeldDlg voorbeeld(owner, imp, pad);
        if (voorbeeld.exec() != QDialog::Accepted) {
            return false;
        }
        Voortgangsvenster venster(owner, bPersonen ? QStringLiteral("Personen")
                                                   : QStringLiteral("Relaties"));
        WachtCursor wacht;
        imp.Bewaar(venster.Callback());
        return true;
    } catch (const CUitwisselFout& e) {
        Fout(owner, e.Tekst());
    }
    return false;
}
