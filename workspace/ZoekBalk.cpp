#include "workspace/ZoekBalk.h"

#include "controls/FullRowListCtrl.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/ui/FontScale.h"
#include "platform/ui/MessageBox.h"
#include "search/ZoekBijwerker.h"
#include "search/ZoekIndex.h"
#include "search/ZoekIndexBouwer.h"
#include "search/ZoekTabel.h"
#include "store/DatabasePath.h"
#include "store/RecLijstKalender.h"
#include "workspace/TolvarView.h"
#include "workspace/ZoekResultaatDelegate.h"

#include <algorithm>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

constexpr int kSoortRol = Qt::UserRole + 1;
constexpr int kZichtbareRijen = 10;

// Failures a new index mends: its own tables missing, damaged or unreadable. After the
// others (a server out of reach, rights lacking, a full disk) a rebuild would only fail
// again, once per key press.
bool HerbouwHelpt(DaoErrorKind kind) {
    return kind == DaoErrorKind::Other || kind == DaoErrorKind::Damaged ||
           kind == DaoErrorKind::SchemaMissing;
}

int Plaatje(int nSoort) {
    switch (nSoort) {
    case ZoekTabel::RELATIE:
        return IMG_RELATIE;
    case ZoekTabel::PERSOON:
        return IMG_PERSOON;
    case ZoekTabel::OFFERTE:
        return IMG_OFFERTE;
    case ZoekTabel::CALCULATIE:
        return IMG_CALCULATIE;
    case ZoekTabel::ORDER:
        return IMG_ORDER;
    case ZoekTabel::BESTELLING:
        return IMG_BESTELLING;
    case ZoekTabel::TEDOEN:
    case ZoekTabel::AFSPRAAK:
        return -1;
    default:
        return IMG_MEMO;
    }
}

// The piece of text with the matched words in bold, on one line.
QString FragmentHtml(QString fragment) {
    fragment.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return fragment.toHtmlEscaped()
        .replace(CZoekTreffer::kBegin, QLatin1String("<b>"))
        .replace(CZoekTreffer::kEinde, QLatin1String("</b>"));
}

// The piece of text without the list name it starts with, which the first line shows already.
QString ZonderNaam(const QString& fragment, const QString& naam) {
    int n = 0;
    int i = 0;
    for (; i < fragment.size() && n < naam.size(); ++i) {
        const QChar c = fragment[i];
        if (c == CZoekTreffer::kBegin || c == CZoekTreffer::kEinde) {
            continue;
        }
        if (c != naam[n++]) {
            return fragment;
        }
    }
    if (n < naam.size()) {
        return fragment;
    }
    // Markers that close right after the name stay with it.
    while (i < fragment.size() && fragment[i] == CZoekTreffer::kEinde) {
        ++i;
    }
    QString rest = fragment.mid(i);
    const int nOpen =
        fragment.left(i).count(CZoekTreffer::kBegin) - fragment.left(i).count(CZoekTreffer::kEinde);
    if (nOpen > 0) {
        rest.prepend(CZoekTreffer::kBegin);
    }
    return rest.trimmed();
}

QString Leesbaar(QString fragment) {
    return fragment.remove(CZoekTreffer::kBegin).remove(CZoekTreffer::kEinde).simplified();
}

// A file that cannot be written now, or a server out of reach, is already reported by the
// record store; the search uses the index as it is, and the next turn to the search line
// tries again.
bool ZegtDeOpslagAl(DaoErrorKind kind) {
    return kind == DaoErrorKind::ReadOnly || kind == DaoErrorKind::InUse ||
           kind == DaoErrorKind::ServerUnreachable || kind == DaoErrorKind::ConnectionLost ||
           kind == DaoErrorKind::DatabaseMissing;
}

QString EersteZin(const CDaoException& e) {
    return e.GetErrorMessage().section(QStringLiteral("\n\n"), 0, 0);
}

bool IsKeuzeToets(int nKey) {
    switch (nKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

CZoekBalk::CZoekBalk(CTolvarView* pView, QWidget* pVenster, QWidget* parent)
    : QWidget(parent), m_pView(pView), m_pVenster(pVenster) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 2, 0);
    auto* label = new QLabel(QStringLiteral("&Zoeken:"), this);
    m_pVeld = new QLineEdit(this);
    m_pVeld->setObjectName(QStringLiteral("zoekVeld"));
    m_pVeld->setAccessibleName(QStringLiteral("Zoeken"));
    m_pVeld->setPlaceholderText(QStringLiteral("Naam, plaats, telefoon, memotekst (Ctrl+F)"));
    m_pVeld->setClearButtonEnabled(true);
    m_pVeld->setMinimumWidth(WidthForCharacters(m_pVeld, 40));
    label->setBuddy(m_pVeld);
    layout->addWidget(label);
    layout->addWidget(m_pVeld);
    // As wide as the line needs, wherever it is placed: the bar around it takes the rest.
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);

    m_pLijst = new QListWidget(pVenster);
    m_pLijst->setObjectName(QStringLiteral("zoekResultaten"));
    m_pLijst->setAccessibleName(QStringLiteral("Zoekresultaten"));
    m_pLijst->setItemDelegate(new CZoekResultaatDelegate(m_pLijst));
    m_pLijst->setUniformItemSizes(true);
    m_pLijst->setIconSize(QSize(CTreeImageList::kCellWidth, CTreeImageList::kCellHeight));
    m_pLijst->setFrameShape(QFrame::Box);
    m_pLijst->hide();

    connect(m_pVeld, &QLineEdit::textChanged, this, &CZoekBalk::Zoek);
    connect(m_pLijst, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Kies(m_pLijst->row(item)); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now != m_pVeld && now != m_pLijst && m_pLijst->isVisible()) {
            m_pLijst->hide();
        }
    });
    m_pVeld->installEventFilter(this);
    m_pLijst->installEventFilter(this);
    pVenster->installEventFilter(this);
}

CZoekBalk::~CZoekBalk() {
    // A build under way is broken off before the indexes it belongs to go.
    m_bouwers.clear();
}

void CZoekBalk::OpenIndex() {
    CZoekBijwerker::Installeer();
    m_bouwers.clear();
    m_inOpbouw.clear();
    m_bronnen.clear();
    m_buitenBereik.clear();
    m_indexen.clear();
    std::shared_ptr<CDaoDatabase> hoofd;
    std::shared_ptr<CDaoDatabase> afspraken;
    try {
        hoofd = CDaoDatabase::OpenShared(g_strDatabasePath);
    } catch (const CDaoException&) {
        return;
    }
    const QString strAfspraken = CRecLijstKalender().GetDefaultDBName();
    try {
        afspraken = CDaoDatabase::OpenShared(strAfspraken);
    } catch (const CDaoException&) {
        afspraken.reset();
    }
    std::vector<int> soorten = ZoekTabel::Hoofdbestand();
    if (afspraken == hoofd) {
        soorten.push_back(ZoekTabel::AFSPRAAK);
    } else if (afspraken) {
        m_indexen.push_back(CZoekIndex::Voor(afspraken->GetName(), ZoekTabel::Afsprakenbestand()));
        m_bronnen[m_indexen.back().get()] = {strAfspraken, ZoekTabel::Afsprakenbestand()};
    }
    try {
        m_indexen.insert(m_indexen.begin(), CZoekIndex::Voor(g_strDatabasePath, soorten));
        m_bronnen[m_indexen.front().get()] = {g_strDatabasePath, soorten};
    } catch (const CDaoException& e) {
        // The search line says why it finds no relations, instead of failing the start.
        m_pVeld->setPlaceholderText(e.GetErrorMessage());
        m_pVeld->setToolTip(e.GetErrorMessage());
    }
    for (const auto& index : m_indexen) {
        try {
            index->DoorAnderenGewijzigd();
        } catch (const CDaoException&) {
            // The check on the thread finds out what is wrong.
        }
        BouwIndex(*index, true);
    }
}

bool CZoekBalk::IsBezig() const {
    return std::any_of(m_bouwers.begin(), m_bouwers.end(), [](const auto& bouwer) {
        return bouwer.second && !bouwer.second->IsKlaar();
    });
}

void CZoekBalk::Mislukt(CZoekIndex& index, const CDaoException& e) {
    // After a build that failed, another would only fail again, once per key press.
    const auto& bouwer = m_bouwers[&index];
    const CDaoException* pBouwFout =
        bouwer && bouwer->IsKlaar() && bouwer->Fout() ? &*bouwer->Fout() : nullptr;
    if (HerbouwHelpt(e.m_kind) && !pBouwFout) {
        BouwIndex(index, false);
    } else if (e.m_kind != DaoErrorKind::ConnectionLost) {
        m_buitenBereik[&index] = EersteZin(pBouwFout ? *pBouwFout : e);
    }
}

// Another program may have changed a file while the program runs: when the user turns to
// the search line, an index that no longer agrees with its file is rebuilt. A database that
// was out of reach is tried again here, not at every key press.
void CZoekBalk::ControleerIndexen() {
    m_buitenBereik.clear();
    for (const auto& index : m_indexen) {
        try {
            if (index->DoorAnderenGewijzigd()) {
                BouwIndex(*index, true);
            }
        } catch (const CDaoException& e) {
            Mislukt(*index, e);
        }
    }
}

void CZoekBalk::ZetAgendaLijst(int nSoort, CFullRowListCtrl* pLijst) {
    m_agendaLijsten[nSoort] = pLijst;
}

void CZoekBalk::BouwIndex(CZoekIndex& index, bool bControleer) {
    auto& bouwer = m_bouwers[&index];
    if (bouwer && !bouwer->IsKlaar()) {
        // An index that failed while it is being checked is as good as being built.
        if (!bControleer) {
            m_inOpbouw.insert(&index);
        }
        return;
    }
    const auto& [strNaam, soorten] = m_bronnen[&index];
    bouwer = std::make_unique<CZoekIndexBouwer>(strNaam, soorten, bControleer);
    CZoekIndex* pIndex = &index;
    const auto bouwt = [this, pIndex] {
        m_inOpbouw.insert(pIndex);
        Status(QStringLiteral("De zoekindex wordt opgebouwd..."));
    };
    if (!bControleer) {
        bouwt();
    }
    connect(bouwer.get(), &CZoekIndexBouwer::Bouwt, this, [this, bouwt] {
        bouwt();
        if (m_pLijst->isVisible()) {
            Zoek(m_pVeld->text());
        }
    });
    connect(bouwer.get(), &CZoekIndexBouwer::Voortgang, this, [this](int nProcent) {
        Status(QStringLiteral("De zoekindex wordt opgebouwd (%1%)...").arg(nProcent));
    });
    connect(bouwer.get(), &CZoekIndexBouwer::Klaar, this, [this, pIndex] { IndexGereed(pIndex); });
    bouwer->Start();
}

// The results for what was typed meanwhile follow by themselves. A failure is said once, in
// a box, and the search leaves the index aside until the user next turns to the line; one
// the record store reports already leaves the index as it is, to be searched while it can.
void CZoekBalk::IndexGereed(CZoekIndex* pIndex) {
    const bool bGebouwd = m_inOpbouw.erase(pIndex) > 0;
    if (auto* frame = qobject_cast<QMainWindow*>(m_pVenster);
        frame && frame->statusBar()->currentMessage() == m_strStatus) {
        frame->statusBar()->clearMessage();
    }
    try {
        // The build's own commits are no change by another program.
        pIndex->DoorAnderenGewijzigd();
    } catch (const CDaoException&) {
        // The next search says what is wrong.
    }
    if (const auto& fout = m_bouwers[pIndex]->Fout(); fout && !ZegtDeOpslagAl(fout->m_kind)) {
        m_buitenBereik[pIndex] = EersteZin(*fout);
        MessageBox(m_pVenster,
                   QStringLiteral("De zoekindex kon niet worden opgebouwd; zoeken vindt "
                                  "daardoor niet alles. Uw gegevens zijn niet veranderd.\n\n%1")
                       .arg(fout->GetErrorMessage()),
                   QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
    }
    if (bGebouwd && (m_pLijst->isVisible() || m_pVeld->hasFocus())) {
        Zoek(m_pVeld->text());
    }
}

void CZoekBalk::Status(const QString& strTekst) {
    if (auto* frame = qobject_cast<QMainWindow*>(m_pVenster)) {
        m_strStatus = strTekst;
        frame->statusBar()->showMessage(strTekst);
    }
}

void CZoekBalk::Activeer() {
    ControleerIndexen();
    m_pVeld->setFocus(Qt::ShortcutFocusReason);
    m_pVeld->selectAll();
    if (!m_pVeld->text().trimmed().isEmpty()) {
        PlaatsLijst();
    }
}

void CZoekBalk::Zoek(const QString& strTekst) {
    m_treffers.clear();
    m_strVraagFout.clear();
    if (!strTekst.trimmed().isEmpty()) {
        ZoekIn(strTekst);
    }
    VulLijst();
}

// Asks every index; what was found by name comes first, from whichever file.
void CZoekBalk::ZoekIn(const QString& strTekst) {
    for (const auto& index : m_indexen) {
        std::vector<CZoekTreffer> gevonden;
        if (!m_buitenBereik.count(index.get()) && !m_inOpbouw.count(index.get())) {
            try {
                gevonden = index->Zoek(strTekst, kMaxTreffers);
            } catch (const CDaoException& e) {
                // A text the engine will not search says so; the index is sound.
                if (e.m_kind == DaoErrorKind::QueryTooLong) {
                    m_strVraagFout = e.GetErrorMessage().section(QStringLiteral("\n\n"), 0, 0);
                    continue;
                }
                // An index that cannot be read is rebuilt from the tables on a thread; a
                // connection that broke is made again, and asked once more.
                Mislukt(*index, e);
                try {
                    if (!m_buitenBereik.count(index.get()) && !m_inOpbouw.count(index.get())) {
                        gevonden = index->Zoek(strTekst, kMaxTreffers);
                    }
                } catch (const CDaoException& opnieuw) {
                    // Once more at most: a rebuild or being left aside follows.
                    Mislukt(*index, opnieuw);
                    gevonden.clear();
                }
            }
        }
        m_treffers.insert(m_treffers.end(), gevonden.begin(), gevonden.end());
    }
    std::stable_partition(m_treffers.begin(), m_treffers.end(),
                          [](const CZoekTreffer& treffer) { return treffer.bInNaam; });
    if (m_treffers.size() > size_t(kMaxTreffers)) {
        m_treffers.resize(size_t(kMaxTreffers));
    }
}

void CZoekBalk::VulLijst() {
    m_pLijst->setUpdatesEnabled(false);
    m_pLijst->clear();
    const CTreeImageList& plaatjes = m_pView->Images();
    for (const CZoekTreffer& treffer : m_treffers) {
        QString kop = QStringLiteral("<b>%1</b>").arg(treffer.strNaam.toHtmlEscaped());
        if (!treffer.strRelatie.isEmpty()) {
            kop += QStringLiteral(" &nbsp;—&nbsp; %1").arg(treffer.strRelatie.toHtmlEscaped());
        }
        auto* item = new QListWidgetItem(m_pLijst);
        const QString fragment = ZonderNaam(treffer.strFragment, treffer.strNaam);
        item->setText(QStringList{treffer.strNaam, treffer.strRelatie, Leesbaar(fragment)}
                          .filter(QRegularExpression(QStringLiteral("\\S")))
                          .join(QStringLiteral(" — ")));
        item->setData(CZoekResultaatDelegate::kHtmlRole,
                      QStringLiteral("<div style='white-space:pre'>%1<br>%2</div>")
                          .arg(kop, FragmentHtml(fragment)));
        item->setData(kSoortRol, treffer.nSoort);
        const int n = Plaatje(treffer.nSoort);
        item->setIcon(n >= 0 ? plaatjes.Image(n)
                             : QIcon(QStringLiteral(":/icons/tb_todo_modify.svg")));
    }
    if (const QString tekst = Melding(); !tekst.isEmpty()) {
        auto* item = new QListWidgetItem(tekst, m_pLijst);
        item->setData(CZoekResultaatDelegate::kHtmlRole,
                      QStringLiteral("<i>%1</i>").arg(tekst.toHtmlEscaped()));
        item->setFlags(Qt::NoItemFlags);
    }
    m_pLijst->setCurrentRow(m_treffers.empty() ? -1 : 0);
    m_pLijst->setUpdatesEnabled(true);
    if (m_pLijst->count() == 0) {
        m_pLijst->hide();
    } else {
        PlaatsLijst();
    }
}

// Nothing found, nothing could be searched, or an index is still being built: the user is
// told which.
QString CZoekBalk::Melding() const {
    if (m_pVeld->text().trimmed().isEmpty()) {
        return {};
    }
    if (m_treffers.empty() && !m_strVraagFout.isEmpty()) {
        return m_strVraagFout;
    }
    if (!m_inOpbouw.empty()) {
        return QStringLiteral("De zoekindex wordt opgebouwd; zoeken kan zo dadelijk.");
    }
    if (!m_treffers.empty()) {
        return {};
    }
    return m_buitenBereik.empty()
               ? QStringLiteral("Niets gevonden")
               : QStringLiteral("Zoeken lukt nu niet. %1").arg(m_buitenBereik.begin()->second);
}

void CZoekBalk::PlaatsLijst() {
    if (m_pLijst->count() == 0) {
        return;
    }
    const QPoint hoek = m_pVenster->mapFromGlobal(
        m_pVeld->mapToGlobal(QPoint(m_pVeld->width(), m_pVeld->height())));
    const int nBreedte =
        std::min(m_pVenster->width() - 8,
                 std::max(m_pVeld->width(), m_pVeld->fontMetrics().averageCharWidth() * 90));
    const int nRijHoogte = std::max(m_pLijst->sizeHintForRow(0), 1);
    const int nHoogte =
        std::min(m_pLijst->count(), kZichtbareRijen) * nRijHoogte + 2 * m_pLijst->frameWidth();
    m_pLijst->setGeometry(std::max(4, hoek.x() - nBreedte), hoek.y() + 1, nBreedte, nHoogte);
    m_pLijst->raise();
    m_pLijst->show();
}

bool CZoekBalk::Kies(int nRij) {
    if (nRij < 0 || nRij >= int(m_treffers.size())) {
        return false;
    }
    const CZoekTreffer treffer = m_treffers[size_t(nRij)];
    m_pLijst->hide();
    if (m_agendaLijsten.count(treffer.nSoort)
            ? ToonInAgenda(treffer)
            : m_pView->ToonRecord(treffer.nSoort, treffer.lNummer)) {
        return true;
    }
    MessageBox(m_pVenster,
               QStringLiteral("\"%1\" staat niet in de werkruimte.").arg(treffer.strNaam),
               QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
    return false;
}

bool CZoekBalk::ToonInAgenda(const CZoekTreffer& treffer) {
    CFullRowListCtrl* lijst = m_agendaLijsten[treffer.nSoort];
    for (int n = 0; n < lijst->GetItemCount(); ++n) {
        if (lijst->GetItemData(n) == treffer.lNummer) {
            for (const int gekozen : lijst->GetSelectedItems()) {
                lijst->SetItemState(gekozen, 0, LVIS_SELECTED | LVIS_FOCUSED);
            }
            lijst->SetItemState(n, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            lijst->EnsureVisible(n);
            lijst->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

void CZoekBalk::Wis() {
    m_pVeld->clear();
    m_pLijst->hide();
    m_pView->Tree()->setFocus(Qt::OtherFocusReason);
}

bool CZoekBalk::Toets(QObject* watched, int nKey) {
    switch (nKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Kies(std::max(m_pLijst->currentRow(), 0));
        return true;
    case Qt::Key_Escape:
        Wis();
        return true;
    case Qt::Key_Up:
        if (watched == m_pLijst && m_pLijst->currentRow() <= 0) {
            m_pVeld->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    default:
        break;
    }
    if (watched == m_pVeld && m_pLijst->isVisible()) {
        // The arrows move through the results while the typing goes on in the line.
        const int nStap = nKey == Qt::Key_Up       ? -1
                          : nKey == Qt::Key_Down   ? 1
                          : nKey == Qt::Key_PageUp ? -kZichtbareRijen
                                                   : kZichtbareRijen;
        const int nRij = std::clamp(m_pLijst->currentRow() + nStap, 0, int(m_treffers.size()) - 1);
        m_pLijst->setCurrentRow(nRij);
        return true;
    }
    return false;
}

bool CZoekBalk::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pVenster) {
        if (event->type() == QEvent::Resize && m_pLijst->isVisible()) {
            PlaatsLijst();
        }
        return false;
    }
    if (watched == m_pVeld && event->type() == QEvent::FocusIn) {
        ControleerIndexen();
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Enter and Escape belong to the search here, not to the window's Modify command.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (IsKeuzeToets(key->key())) {
                event->accept();
                return true;
            }
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            IsKeuzeToets(key->key())) {
            return Toets(watched, key->key());
        }
    }
    return QWidget::eventFilter(watched, event);
}
