#include "search/ZoekIndexBouwer.h"

#include "platform/dao/DaoDatabase.h"
#include "search/ZoekIndex.h"

#include <QThread>

namespace {

// Thrown from the progress report when the window closes: it unwinds the build, whose
// transaction rolls back on its way out.
struct Afgebroken {};

} // namespace

CZoekIndexBouwer::CZoekIndexBouwer(QString strNaam, std::vector<int> soorten, bool bControleer)
    : m_strNaam(std::move(strNaam)), m_soorten(std::move(soorten)), m_bControleer(bControleer) {}

CZoekIndexBouwer::~CZoekIndexBouwer() {
    m_bStop = true;
    if (m_pThread) {
        m_pThread->wait();
    }
}

void CZoekIndexBouwer::Start() {
    m_pThread.reset(QThread::create([this] { Voeruit(); }));
    m_pThread->start(QThread::LowPriority);
}

// Whatever is told reaches this object on the window's thread, and nothing once it is gone.
template <typename F> void CZoekIndexBouwer::Meld(F&& melding) {
    QMetaObject::invokeMethod(this, std::forward<F>(melding));
}

void CZoekIndexBouwer::Voeruit() {
    std::optional<CDaoException> fout;
    try {
        Bouw();
    } catch (const Afgebroken&) {
        return;
    } catch (const CDaoException& e) {
        fout = e;
    } catch (const std::exception& e) {
        fout = CDaoException(QString::fromLocal8Bit(e.what()));
    }
    Meld([this, fout] {
        m_fout = fout;
        m_bKlaar = true;
        emit Klaar();
    });
}

// The program's shared connection belongs to the window's thread: the check and the build
// have one of their own.
void CZoekIndexBouwer::Bouw() {
    const auto index = CZoekIndex::Voor(CDaoDatabase::OpenPrivate(m_strNaam), m_soorten);
    if (m_bControleer && index->IsActueel()) {
        return;
    }
    Meld([this] { emit Bouwt(); });
    int nGemeld = -1;
    index->Bouw([&](const QString&, long nGedaan, long nTotaal) {
        if (m_bStop) {
            throw Afgebroken();
        }
        const int nProcent = nTotaal > 0 ? int(qint64(nGedaan) * 100 / nTotaal) : 100;
        if (nProcent != nGemeld) {
            nGemeld = nProcent;
            Meld([this, nProcent] { emit Voortgang(nProcent); });
        }
    });
}
