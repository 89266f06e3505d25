#include "app/AchtergrondControle.h"

#include "platform/dao/DaoBackup.h"
#include "platform/dao/DaoException.h"
#include "platform/ui/MessageBox.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QThread>

CAchtergrondControle::CAchtergrondControle(std::vector<Bestand> bestanden, CReserveKopieen kopieen,
                                           QStringList meldingen, QMainWindow* frame)
    : QObject(frame), m_bestanden(std::move(bestanden)), m_kopieen(std::move(kopieen)),
      m_meldingen(std::move(meldingen)), m_pFrame(frame) {}

CAchtergrondControle::~CAchtergrondControle() {
    if (m_pThread) {
        m_pThread->wait();
    }
}

void CAchtergrondControle::Start() {
    m_pThread.reset(QThread::create([this] { Voeruit(); }));
    m_pThread->start(QThread::LowPriority);
}

// On the thread: every file gets its own connections here, never the program's shared ones.
void CAchtergrondControle::Voeruit() {
    QStringList fouten;
    for (const Bestand& bestand : m_bestanden) {
        const QString strNaam = QFileInfo(bestand.strPad).fileName();
        Meld(QStringLiteral("Controle van %1...").arg(strNaam));
        const CDaoBackup::CheckResult check = CDaoBackup::QuickCheck(bestand.strPad);
        if (check.nState == CDaoBackup::CHECK_DAMAGED) {
            MeldBeschadigd(bestand, check.strDetail);
            continue;
        }
        if (!check.IsOk()) {
            continue;
        }
        Meld(QStringLiteral("Reservekopie van %1...").arg(strNaam));
        try {
            m_kopieen.MaakDagelijks(bestand.strPad);
        } catch (const CDaoException& e) {
            // Both files go to one folder: what stopped the first copy usually stops the
            // second.
            if (fouten.isEmpty()) {
                fouten << QStringLiteral("Geen reservekopie gemaakt. %1")
                              .arg(e.GetErrorMessage().section(QStringLiteral("\n\n"), 0, 0));
            }
        }
    }
    MeldEinde(fouten);
}

void CAchtergrondControle::Meld(const QString& strTekst) {
    QMetaObject::invokeMethod(this, [this, strTekst] {
        if (m_pFrame) {
            m_pFrame->statusBar()->showMessage(strTekst);
        }
    });
}

// The box comes from the window's thread; the file takes no write from the moment it is
// known to be damaged, before the user has read the box.
void CAchtergrondControle::MeldBeschadigd(const Bestand& bestand, const QString& strDetail) {
    QMetaObject::invokeMethod(this, [this, bestand, strDetail] {
        try {
            CDaoBackup::BlockWrites(bestand.strNaam);
        } catch (const CDaoException&) {
            // A file that cannot even be opened takes no write either.
        }
        m_beschadigd << bestand.strPad;
        MessageBox(m_pFrame,
                   QStringLiteral("Het bestand %1 is beschadigd:\n%2\n\nTolvar schrijft niets "
                                  "meer in dit bestand. Zet een goede reservekopie terug met "
                                  "Bestand, Reservekopie terugzetten, of sluit Tolvar.")
                       .arg(bestand.strPad,
                            strDetail.split(QLatin1Char('\n')).mid(0, 3).join(QLatin1Char('\n'))),
                   QString(), MB_OK | MB_ICONSTOP);
    });
}

void CAchtergrondControle::MeldEinde(const QStringList& fouten) {
    QMetaObject::invokeMethod(this, [this, fouten] {
        const QStringList alles = m_meldingen + fouten;
        if (m_pFrame) {
            if (alles.isEmpty()) {
                m_pFrame->statusBar()->clearMessage();
            } else {
                m_pFrame->statusBar()->showMessage(alles.join(QLatin1Char(' ')));
            }
        }
        m_bKlaar = true;
        emit Klaar();
    });
}
