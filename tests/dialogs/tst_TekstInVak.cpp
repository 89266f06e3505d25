#include "agenda/AlarmDlg.h"
#include "agenda/TeDoenDlg.h"
#include "comm/BellenDlg.h"
#include "comm/ConfigDlg.h"
#include "dialogs/BestellingDlg.h"
#include "dialogs/CalculatieDlg.h"
#include "dialogs/MemoEditDlg.h"
#include "dialogs/OfferteDlg.h"
#include "dialogs/OrderDlg.h"
#include "dialogs/PersoonDlg.h"
#include "dialogs/RelatieDlg.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/FontScale.h"
#include "platform/ui/MessageBox.h"
#include "store/RecBestelling.h"
#include "store/RecCalculatie.h"
#include "store/RecOfferte.h"
#include "store/RecOrder.h"
#include "store/RecRelatie.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include <algorithm>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QTest>

namespace {

// 30 characters each, as a relation's name and a street are written; a list name of 20.
const QString kNaam = QStringLiteral("Installatiebedrijf De Vries BV");
const QString kKort = QStringLiteral("De Vries Installatie");
const QString kStraat = QStringLiteral("Burgemeester Van Randwijcklaan");
const QString kLang = QStringLiteral("Vos Elektrotechniek, Amersfoort en omstreken, afdeling "
                                     "installatie en onderhoud");

// The pixels a line edit has for its text: inside the frame and the edit's own margins.
int TekstRuimte(const QLineEdit* vak) {
    QStyleOptionFrame optie;
    optie.initFrom(vak);
    optie.rect = vak->rect();
    optie.lineWidth =
        vak->hasFrame() ? vak->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &optie, vak) : 0;
    const QRect binnen = vak->style()
                             ->subElementRect(QStyle::SE_LineEditContents, &optie, vak)
                             .marginsRemoved(vak->textMargins());
    return binnen.width() - 2 * 2;
}

// Describes a box that cannot show its text whole, or nothing.
QString PastNiet(QLineEdit* vak, const QString& tekst) {
    const QWidget* dlg = vak->window();
    const int nodig = vak->fontMetrics().horizontalAdvance(tekst) + 1;
    return TekstRuimte(vak) >= nodig ? QString()
                                     : QStringLiteral("%1 in %2: %3 < %4")
                                           .arg(tekst, dlg->windowTitle() + "/" + vak->objectName())
                                           .arg(TekstRuimte(vak))
                                           .arg(nodig);
}

// The boxes of a dialog whose text does not start at its first character.
QStringList NietVooraan(QWidget* dlg) {
    QStringList fout;
    const auto vakken = dlg->findChildren<QLineEdit*>();
    for (const QLineEdit* vak : vakken) {
        if (!vak->text().isEmpty() && vak->cursorPosition() != 0) {
            fout << vak->text() + " in " + dlg->windowTitle();
        }
    }
    return fout;
}

// Ordinary long values of each kind of field.
const QString kPlaats = QStringLiteral("Nieuwerkerk aan den IJssel");
const QString kHuisnummer = QStringLiteral("117-119a");
const QString kPostcode = QStringLiteral("1234 AB");
const QString kTelefoon = QStringLiteral("+31 (0)10 123 45 67");
const QString kEmail = QStringLiteral("verkoop@installatiebedrijf.com");
const QString kPersoon = QStringLiteral("Jan-Willem van der Heijden-Vermeulen");
const QString kVolleNaam = QStringLiteral("Installatiebedrijf Gebroeders Van Dam");

struct Waarden {
    std::function<QDialog*()> maak;
    std::vector<std::pair<const char*, QString>> vakken;
};

std::vector<Waarden> AlleDialogen() {
    const std::vector<std::pair<const char*, QString>> document = {
        {"relatie", kVolleNaam}, {"relatieKort", kKort}, {"kontakt", kPersoon}};
    return {
        {[] { return new CRelatieDlg; },
         {{"bezoekStraat", kStraat},
          {"bezoekNummer", kHuisnummer},
          {"bezoekPostcode", kPostcode},
          {"bezoekPlaats", kPlaats},
          {"afleverStraat", kStraat},
          {"afleverNummer", kHuisnummer},
          {"afleverPostcode", kPostcode},
          {"postBus", "12345"},
          {"afleverPlaats", kPlaats},
          {"inLijst", kKort},
          {"btwNummer", "NL123456789B01"},
          {"volleNaam", kVolleNaam},
          {"telefoon", kTelefoon},
          {"telefax", kTelefoon},
          {"emailAdres", kEmail},
          {"homePage", "www.installatiebedrijf-vries.nl"}}},
        {[] { return new CPersoonDlg; },
         {{"voorNaam", "Alexander Johannes"},
          {"achterNaam", "van der Heijden-Vermeulen"},
          {"functie", "Hoofd technische dienst"},
          {"afdeling", "Onderhoud en installatie"},
          {"telefoon", kTelefoon},
          {"autoTelefoon", kTelefoon},
          {"telefax", kTelefoon},
          {"email", kEmail}}},
        {[] { return new COfferteDlg; }, document},
        {[] { return new CCalculatieDlg; }, document},
        {[] { return new COrderDlg; }, document},
        {[] { return new CBestellingDlg; }, document},
        {[] { return new CTeDoenDlg(nullptr); }, {{"datum", "28-12-2026"}, {"tijd", "23:59"}}},
        {[] { return new CAlarmDlg(nullptr); },
         {{"tekst", "Bezoek Van Dam, Nieuwerkerk a/d IJssel"}}},
        {[] { return new CConfigDlg; }, {{"voorloop", "0"}, {"compoort", "12"}}},
        {[] { return new CBellenDlg(kTelefoon); },
         {{"status", "Bezig met kiezen van " + kTelefoon}}},
    };
}

} // namespace

// Texts set into boxes show their start, and boxes sized for the design font hold what they
// were made for in the running font, at the normal and at a one-and-a-half times larger
// resolution.
class TestTekstInVak : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    QStringList m_fout;
    int m_nGevuld = 0;

    // Opens row 1 in its dialog, checks where every box starts and what the named boxes hold.
    template <class Rec> void Bekijk(std::initializer_list<std::pair<int, QString>> vakken) {
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            m_fout << NietVooraan(dlg);
            const auto alle = dlg->findChildren<QLineEdit*>();
            m_nGevuld += int(std::count_if(alle.begin(), alle.end(),
                                           [](QLineEdit* vak) { return !vak->text().isEmpty(); }));
            for (const auto& [id, tekst] : vakken) {
                m_fout << PastNiet(qobject_cast<QLineEdit*>(GetDlgItem(dlg, id)), tekst);
            }
            ClickButton(dlg, IDCANCEL);
        });
        Rec rec;
        rec.Selecteer(SEL_NUMMER, 1);
        QVERIFY(rec.Volgende());
        rec.WijzigRecord();
        QVERIFY(driver.WaitDone());
    }

    template <class Dlg, class Rec> void Document() {
        Bekijk<Rec>({{Dlg::kIds.relatie, kNaam}, {Dlg::kIds.relatieKort, kKort}});
    }

private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        m_db->Exec(QStringLiteral("INSERT INTO Relaties (bKlantJaNee, szInLijst, szVolleNaam, "
                                  "szBezoekStraat, szAfleverStraat, szHomePage, szEmailAdres) "
                                  "VALUES (1, '%1', '%2', '%3', '%3', '%1', '%1')")
                       .arg(kLang, kNaam, kStraat));
        for (const char* tabel : {"Offertes", "Calculaties", "Orders", "Bestelling"}) {
            m_db->Exec(QStringLiteral("INSERT INTO %1 (dwRelatieNummer, szInLijst, szDocument, "
                                      "szKontaktPersoon, dwSoortDocument) VALUES (1, '%2', "
                                      "'/home/gebruiker/Documenten/offertes/2026/%2.doc', '%2', "
                                      "'%2')")
                           .arg(QString::fromLatin1(tabel), kLang));
        }
    }
    void cleanup() { m_db.reset(); }

    void vakkenTonenHunTekst_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("96 dpi") << 1.0;
        QTest::newRow("144 dpi") << 1.5;
    }
    void vakkenTonenHunTekst() {
        QFETCH(double, factor);
        const QFont oud = QApplication::font();
        QFont font = oud;
        font.setPointSizeF(oud.pointSizeF() * factor);
        QApplication::setFont(font);
        m_fout.clear();
        m_nGevuld = 0;
        Document<COfferteDlg, CRecOfferte>();
        Document<CCalculatieDlg, CRecCalculatie>();
        Document<COrderDlg, CRecOrder>();
        Document<CBestellingDlg, CRecBestelling>();
        Bekijk<CRecRelatie>({{CRelatieDlg::IDC_BEZOEK_STRAAT, kStraat},
                             {CRelatieDlg::IDC_AFLEVER_STRAAT, kStraat},
                             {CRelatieDlg::IDC_VOLLENAAM, kNaam}});
        QApplication::setFont(oud);
        QVERIFY(m_nGevuld >= 4 * 7 + 6);
        m_fout.removeAll(QString());
        QVERIFY2(m_fout.isEmpty(), qPrintable(m_fout.join(" | ")));
    }

    // Every box of every dialog holds an ordinary long value of its field, however large the
    // font; the memo heading is laid out only when its editor opens.
    void langeWaardenPassen_data() { vakkenTonenHunTekst_data(); }
    void langeWaardenPassen() {
        QFETCH(double, factor);
        const QFont oud = QApplication::font();
        QFont font = oud;
        font.setPointSizeF(oud.pointSizeF() * factor);
        QApplication::setFont(font);
        QStringList fout;
        auto controleer = [&fout](QWidget* dlg, const auto& vakken) {
            for (const auto& [naam, tekst] : vakken) {
                auto* vak = dlg->findChild<QLineEdit*>(QString::fromLatin1(naam));
                QVERIFY2(vak, naam);
                vak->setText(tekst);
                vak->home(false);
                fout << PastNiet(vak, tekst);
            }
        };
        for (const Waarden& w : AlleDialogen()) {
            std::unique_ptr<QDialog> dlg(w.maak());
            ScaleWindowToFont(dlg.get());
            dlg->show();
            QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
            controleer(dlg.get(), w.vakken);
        }
        CMemoEditDlg memo;
        const QString onderwerp = QStringLiteral("Offerte nieuwe cv-installatie kantoorpand");
        memo.m_nKopPaneel = 138;
        memo.m_apszKop = {&onderwerp};
        memo.m_pTekstIn = &memo.m_strTekst;
        ModalDriver driver;
        driver.Queue([&](QWidget* dlg) {
            controleer(dlg, std::vector<std::pair<const char*, QString>>{{"onderwerp", onderwerp},
                                                                         {"kontakt", kPersoon}});
            qobject_cast<QDialog*>(dlg)->reject();
        });
        memo.DoModal();
        QVERIFY(driver.WaitDone());
        QApplication::setFont(oud);
        fout.removeAll(QString());
        QVERIFY2(fout.isEmpty(), qPrintable(fout.join(" | ")));
    }
};

TOLVAR_TEST(TestTekstInVak);

#include "tst_TekstInVak.moc"
