#include "dialogs/BestellingDlg.h"
#include "dialogs/CalculatieDlg.h"
#include "dialogs/OfferteDlg.h"
#include "dialogs/OrderDlg.h"
#include "dialogs/RelatieDlg.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/ControlId.h"
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
QString PastNiet(QWidget* dlg, int id, const QString& tekst) {
    auto* vak = qobject_cast<QLineEdit*>(GetDlgItem(dlg, id));
    const int nodig = vak->fontMetrics().horizontalAdvance(tekst) + 1;
    return TekstRuimte(vak) >= nodig ? QString()
                                     : QStringLiteral("%1 in %2: %3 < %4")
                                           .arg(tekst, dlg->windowTitle())
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
                m_fout << PastNiet(dlg, id, tekst);
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
};

TOLVAR_TEST(TestTekstInVak);

#include "tst_TekstInVak.moc"
