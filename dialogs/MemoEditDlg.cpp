#include "dialogs/MemoEditDlg.h"

#include "agenda/KalenderDlg.h"
#include "platform/rtf/Rtf.h"
#include "platform/rtf/RtfCodePage.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "ui_MemoEditDlg.h"
#include "ui_MemoKop138.h"
#include "ui_MemoKop139.h"
#include "ui_MemoKop154.h"
#include "ui_MemoKop162.h"
#include "ui_MemoKop163.h"

#include <optional>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <utility>
#include <vector>

namespace {

// The band above the header pane and the text that the toolbar takes.
constexpr int kWerkbalkHoogte = 30;
// The colour box of the platform's font dialog.
constexpr int kKleurId = 1139;

struct MenuRegel {
    const char* tekst;
    int id; // 0: separator
};

struct MenuKolom {
    const char* titel;
    std::vector<MenuRegel> regels;
};

// The menu shows Ctrl+W, Ctrl+G and Ctrl+K, but only the accelerator table binds keys.
const std::vector<MenuKolom>& Menu() {
    static const std::vector<MenuKolom> menu = {
        {"&Gegevens",
         {{"&Bewaren", CMemoEditDlg::ID_BEWAREN},
          {"&Alles Wissen\tCtrl+W", CMemoEditDlg::ID_ALLES_WISSEN},
          {nullptr, 0},
          {"Zoeken in tekst\tCtrl+F", CMemoEditDlg::ID_ZOEKEN},
          {"Zoek en &Vervang\tCtrl+G", CMemoEditDlg::ID_VERVANG}}},
        {"&Bewerk",
         {{"&Knippen\tCtrl+X", CMemoEditDlg::ID_KNIPPEN},
          {"K&opieer\tCtrl+C", CMemoEditDlg::ID_KOPIEER},
          {"&Plakken\tCtrl+V", CMemoEditDlg::ID_PLAKKEN},
          {"On&gedaan maken\tCtrl+Z", CMemoEditDlg::ID_ONGEDAAN}}},
        {"&Opmaak",
         {{"&Vet\tCtrl+B", CMemoEditDlg::ID_VET},
          {"&Cursief\tCtrl+I", CMemoEditDlg::ID_CURSIEF},
          {"&Onderstreep\tCtrl+U", CMemoEditDlg::ID_ONDERSTREEP},
          {nullptr, 0},
          {"Font...\tCtrl+O", CMemoEditDlg::ID_FONT}}},
        {"&Extra", {{"&Kalender\tCtrl+K", CMemoEditDlg::ID_KALENDER}}},
    };
    return menu;
}

struct WerkbalkKnop {
    int id; // 0: separator
    const char* icoon;
    const char* naam;
    const char* tip;
};

constexpr WerkbalkKnop kWerkbalk[] = {
    {CMemoEditDlg::ID_BEWAREN, "memo_bewaren", "Bewaren", "Ctrl+S:Tekst overnemen"},
    {CMemoEditDlg::ID_ZOEKEN, "memo_zoeken", "Zoeken in tekst", "Ctrl+F: Zoeken in de tekst"},
    {0, nullptr, nullptr, nullptr},
    {CMemoEditDlg::ID_VET, "memo_vet", "Vet", "Ctrl+B: Tekst vet"},
    {CMemoEditDlg::ID_CURSIEF, "memo_cursief", "Cursief", "Ctrl+I: Tekst cursief"},
    {CMemoEditDlg::ID_ONDERSTREEP, "memo_onderstreep", "Onderstreep", "Ctrl+U: Tekst onderstrepen"},
    {0, nullptr, nullptr, nullptr},
    {CMemoEditDlg::ID_FONT, "memo_font", "Font", "Ctrl+O: Font kiezen"},
};

struct Versneller {
    Qt::Key toets;
    int id;
};

// Accelerator table 134: these ten and no others.
constexpr Versneller kVersnellers[] = {
    {Qt::Key_B, CMemoEditDlg::ID_VET},         {Qt::Key_C, CMemoEditDlg::ID_KOPIEER},
    {Qt::Key_F, CMemoEditDlg::ID_ZOEKEN},      {Qt::Key_I, CMemoEditDlg::ID_CURSIEF},
    {Qt::Key_O, CMemoEditDlg::ID_FONT},        {Qt::Key_S, CMemoEditDlg::ID_BEWAREN},
    {Qt::Key_U, CMemoEditDlg::ID_ONDERSTREEP}, {Qt::Key_V, CMemoEditDlg::ID_PLAKKEN},
    {Qt::Key_X, CMemoEditDlg::ID_KNIPPEN},     {Qt::Key_Z, CMemoEditDlg::ID_ONGEDAAN},
};

// A toolbar button whose check mark only the editor sets: a click runs the command, which
// decides the mark itself.
class CWerkbalkKnop : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void nextCheckState() override {}
};

template <class Form> QWidget* MaakPaneel(QWidget* parent) {
    auto* paneel = new QWidget(parent);
    Form form;
    form.setupUi(paneel);
    return paneel;
}

QWidget* NieuwKopPaneel(int nSjabloon, QWidget* parent) {
    switch (nSjabloon) {
    case 138:
        return MaakPaneel<Ui::MemoKop138>(parent);
    case 139:
        return MaakPaneel<Ui::MemoKop139>(parent);
    case 154:
        return MaakPaneel<Ui::MemoKop154>(parent);
    case 162:
        return MaakPaneel<Ui::MemoKop162>(parent);
    case 163:
        return MaakPaneel<Ui::MemoKop163>(parent);
    default:
        return nullptr;
    }
}

// Stored memo text is RTF, whose bytes are ASCII but for \'xx-less letters of other
// writers; those are taken back to the cp1252 bytes they came from.
QByteArray RtfBytes(const QString& tekst) {
    QByteArray bytes;
    bytes.reserve(tekst.size());
    for (const QChar ch : tekst) {
        const char16_t u = ch.unicode();
        if (u < 0x100) {
            bytes.append(char(u));
        } else if (const unsigned char b = CRtfCodePage::ToCp1252(u)) {
            bytes.append(char(b));
        } else {
            bytes.append("\\u" + QByteArray::number(qint16(u)) + '?');
        }
    }
    return bytes;
}

// Bold, italic and underline by toolbar position.
bool Attribuut(const QTextCharFormat& format, int nAttribuut) {
    switch (nAttribuut) {
    case 0:
        return format.fontWeight() > QFont::Medium;
    case 1:
        return format.fontItalic();
    default:
        return format.fontUnderline();
    }
}

QTextCharFormat AlleenAttribuut(int nAttribuut, bool aan) {
    QTextCharFormat format;
    switch (nAttribuut) {
    case 0:
        format.setFontWeight(aan ? QFont::Bold : QFont::Normal);
        break;
    case 1:
        format.setFontItalic(aan);
        break;
    default:
        format.setFontUnderline(aan);
        break;
    }
    return format;
}

// The character formats over the selection, or the insertion format at the caret.
std::vector<QTextCharFormat> SelectieFormaten(const QTextCursor& cursor) {
    if (!cursor.hasSelection()) {
        return {cursor.charFormat()};
    }
    std::vector<QTextCharFormat> formaten;
    const int start = cursor.selectionStart();
    const int eind = cursor.selectionEnd();
    for (QTextBlock blok = cursor.document()->findBlock(start);
         blok.isValid() && blok.position() < eind; blok = blok.next()) {
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment stuk = it.fragment();
            if (stuk.position() < eind && stuk.position() + stuk.length() > start) {
                formaten.push_back(stuk.charFormat());
            }
        }
    }
    return formaten;
}

// The value of an attribute when it is the same over all formats.
std::optional<bool> Eenduidig(const std::vector<QTextCharFormat>& formaten, int nAttribuut) {
    if (formaten.empty()) {
        return std::nullopt;
    }
    const bool eerste = Attribuut(formaten.front(), nAttribuut);
    for (const QTextCharFormat& format : formaten) {
        if (Attribuut(format, nAttribuut) != eerste) {
            return std::nullopt;
        }
    }
    return eerste;
}

struct Kleur {
    const char* naam;
    QRgb rgb;
};

// The colours the desktop's font dialog offers.
constexpr Kleur kKleuren[] = {
    {"Zwart", 0x000000},      {"Kastanjebruin", 0x800000}, {"Groen", 0x008000},
    {"Olijfgroen", 0x808000}, {"Marineblauw", 0x000080},   {"Paars", 0x800080},
    {"Groenblauw", 0x008080}, {"Grijs", 0x808080},         {"Zilver", 0xC0C0C0},
    {"Rood", 0xFF0000},       {"Limoen", 0x00FF00},        {"Geel", 0xFFFF00},
    {"Blauw", 0x0000FF},      {"Fuchsia", 0xFF00FF},       {"Aqua", 0x00FFFF},
    {"Wit", 0xFFFFFF},
};

QIcon Staal(const QColor& kleur) {
    QPixmap staal(14, 10);
    staal.fill(kleur);
    return QIcon(staal);
}

// Qt's font dialog has effects but no colour; the colour box goes with its effects.
QComboBox* VoegKleurToe(QFontDialog& dlg, const QColor& kleur) {
    QGroupBox* effecten = nullptr;
    for (QGroupBox* groep : dlg.findChildren<QGroupBox*>()) {
        if (groep->findChild<QCheckBox*>() != nullptr && groep->layout() != nullptr) {
            effecten = groep;
        }
    }
    if (effecten == nullptr) {
        return nullptr;
    }
    auto* box = new QComboBox(effecten);
    SetCtrlId(box, kKleurId);
    for (const Kleur& k : kKleuren) {
        box->addItem(Staal(QColor(k.rgb)), QString::fromUtf8(k.naam), QColor(k.rgb));
    }
    int nKeuze = box->findData(kleur);
    if (nKeuze < 0) {
        box->addItem(Staal(kleur), QStringLiteral("Aangepast"), kleur);
        nKeuze = box->count() - 1;
    }
    box->setCurrentIndex(nKeuze);
    auto* label = new QLabel(QStringLiteral("&Kleur:"), effecten);
    label->setBuddy(box);
    effecten->layout()->addWidget(label);
    effecten->layout()->addWidget(box);
    return box;
}

} // namespace

CMemoEditDlg::CMemoEditDlg(QWidget* parent) : CDialog(parent), m_ui(new Ui::MemoEditDlg) {
    m_ui->setupUi(this);
    m_pTekst = m_ui->tekst;
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setSizeGripEnabled(true);
    RegistreerCommandos();
    MaakMenu();
}

CMemoEditDlg::~CMemoEditDlg() {
    qApp->removeEventFilter(this);
}

void CMemoEditDlg::RegistreerCommandos() {
    OnCommand(ID_BEWAREN, [this] { OnOK(); });
    OnCommand(ID_ALLES_WISSEN, [this] { OnAllesWissen(); });
    OnCommand(ID_ZOEKEN, [this] { OnZoeken(true); });
    OnCommand(ID_VERVANG, [this] { OnZoeken(false); });
    OnCommand(ID_KNIPPEN, [this] { m_pTekst->cut(); });
    OnCommand(ID_KOPIEER, [this] { m_pTekst->copy(); });
    OnCommand(ID_PLAKKEN, [this] { m_pTekst->paste(); });
    OnCommand(ID_ONGEDAAN, [this] { m_pTekst->undo(); });
    for (int id : {ID_VET, ID_CURSIEF, ID_ONDERSTREEP}) {
        OnCommand(id, [this, id] { OnOpmaak(id); });
    }
    OnCommand(ID_FONT, [this] { OnFont(); });
    OnCommand(ID_KALENDER, [this] { OnKalender(); });
}

void CMemoEditDlg::MaakMenu() {
    auto* balk = new QMenuBar(this);
    balk->setNativeMenuBar(false);
    for (const MenuKolom& kolom : Menu()) {
        QMenu* menu = balk->addMenu(QString::fromUtf8(kolom.titel));
        for (const MenuRegel& regel : kolom.regels) {
            if (regel.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* actie = menu->addAction(QString::fromUtf8(regel.tekst));
            actie->setData(regel.id);
            connect(actie, &QAction::triggered, this, [this, id = regel.id] { Commando(id); });
        }
    }
    layout()->setMenuBar(balk);
}

bool CMemoEditDlg::OnInitDialog() {
    qApp->installEventFilter(this);
    CDialog::OnInitDialog();
    MaakKopPaneel();
    setWindowTitle(m_strTitel);
    MaakWerkbalk();
    connect(m_pTekst, &QTextEdit::cursorPositionChanged, this,
            GuardedSlot([this] { OnSelectieGewijzigd(); }, this));
    connect(m_pTekst, &QTextEdit::selectionChanged, this,
            GuardedSlot([this] { OnSelectieGewijzigd(); }, this));
    LaadTekst();
    m_ui->indeling->activate();
    return m_pKop == nullptr;
}

void CMemoEditDlg::MaakKopPaneel() {
    m_pKop = NieuwKopPaneel(m_nKopPaneel, this);
    if (m_pKop == nullptr) {
        m_pTekst->setFocus();
        return;
    }
    m_ui->indeling->insertWidget(0, m_pKop, 0, Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < KOP_AANTAL; ++i) {
        QWidget* box = ::GetDlgItem(m_pKop, IDC_KOP + i);
        if (box == nullptr) {
            break;
        }
        SetWindowText(box, m_apszKop[i] != nullptr ? *m_apszKop[i] : QString());
        if (i == 0) {
            box->setFocus();
        }
    }
    m_pKop->show();
}

void CMemoEditDlg::MaakWerkbalk() {
    m_pWerkbalk = new QToolBar(this);
    SetCtrlId(m_pWerkbalk, IDR_TOOLBAR);
    m_pWerkbalk->setFixedHeight(kWerkbalkHoogte);
    m_pWerkbalk->setIconSize(QSize(16, 15));
    for (const WerkbalkKnop& k : kWerkbalk) {
        if (k.id == 0) {
            m_pWerkbalk->addSeparator();
            continue;
        }
        auto* knop = new CWerkbalkKnop(m_pWerkbalk);
        knop->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(k.icoon))));
        knop->setToolTip(QString::fromUtf8(k.tip));
        knop->setAccessibleName(QString::fromUtf8(k.naam));
        knop->setAutoRaise(true);
        knop->setFocusPolicy(Qt::NoFocus);
        SetCtrlId(knop, k.id);
        if (k.id >= ID_VET && k.id <= ID_ONDERSTREEP) {
            knop->setCheckable(true);
            m_apOpmaakKnop[k.id - ID_VET] = knop;
        }
        connect(knop, &QToolButton::clicked, this, [this, id = k.id] { Commando(id); });
        m_pWerkbalk->addWidget(knop);
    }
    m_ui->indeling->insertWidget(0, m_pWerkbalk);
}

// Loading is no edit: the undo history starts with the text as it was stored. Text that is
// not RTF at all is shown as it is rather than lost.
void CMemoEditDlg::LaadTekst() {
    if (m_pTekstIn != nullptr) {
        const QString tekst = std::exchange(*m_pTekstIn, QString());
        QTextDocument* doc = m_pTekst->document();
        doc->setUndoRedoEnabled(false);
        if (!ReadRtf(RtfBytes(tekst), doc)) {
            m_pTekst->setPlainText(tekst);
        }
        doc->setUndoRedoEnabled(true);
    }
    QTextCursor cursor = m_pTekst->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_pTekst->setTextCursor(cursor);
    OnSelectieGewijzigd();
}

void CMemoEditDlg::OnOK() {
    m_strTekst = QString::fromLatin1(WriteRtf(*m_pTekst->document()));
    for (int i = 0; m_pKop != nullptr && i < KOP_AANTAL; ++i) {
        QWidget* box = ::GetDlgItem(m_pKop, IDC_KOP + i);
        if (box == nullptr) {
            break;
        }
        m_astrKop[i] = GetWindowText(box);
    }
    EndDialog(IDOK);
}

void CMemoEditDlg::done(int result) {
    if (m_pZoekDlg) {
        m_pZoekDlg->close();
    }
    CDialog::done(result);
}

void CMemoEditDlg::Commando(int id) {
    Guarded([this, id] { OnCmdMsg(id); }, this);
}

// Enter outside the text area saves, as the dialog's OK action; the text area keeps its own.
void CMemoEditDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        accept();
        return;
    }
    CDialog::keyPressEvent(event);
}

// The accelerators act before the focused control sees the key, wherever the focus is in
// the editor; only the clipboard and undo keys stay with a header box that has the focus.
bool CMemoEditDlg::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return false;
    }
    auto* doel = qobject_cast<QWidget*>(watched);
    if (doel == nullptr || doel->window() != this) {
        return false;
    }
    if (!Sneltoets(doel, static_cast<QKeyEvent*>(event))) {
        return false;
    }
    event->accept();
    return true;
}

// Handles the key when it is an accelerator (or one of the keys the menu shows but that do
// nothing) and answers whether it did.
bool CMemoEditDlg::Sneltoets(QWidget* doel, const QKeyEvent* key) {
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::ControlModifier) {
        return false;
    }
    const int toets = key->key();
    if (toets == Qt::Key_W || toets == Qt::Key_G || toets == Qt::Key_K) {
        return true;
    }
    for (const auto& [sneltoets, id] : kVersnellers) {
        if (toets != sneltoets) {
            continue;
        }
        const bool bewerk =
            id == ID_KNIPPEN || id == ID_KOPIEER || id == ID_PLAKKEN || id == ID_ONGEDAAN;
        if (bewerk && qobject_cast<QLineEdit*>(doel) != nullptr) {
            return false;
        }
        if (key->type() == QEvent::KeyPress) {
            Commando(id);
        }
        return true;
    }
    return false;
}

void CMemoEditDlg::OnAllesWissen() {
    QTextCursor cursor = m_pTekst->textCursor();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    m_pTekst->setTextCursor(cursor);
}

// The button's check mark is the editor's idea of the format: a click applies what the
// mark says is missing; while the button is held down the mark stays as it is.
void CMemoEditDlg::OnOpmaak(int id) {
    const int nAttribuut = id - ID_VET;
    QToolButton* knop = m_apOpmaakKnop[nAttribuut];
    const bool bGemarkeerd = knop != nullptr && knop->isChecked();
    const bool bIngedrukt = knop != nullptr && knop->isDown();
    const bool bToepassen = bGemarkeerd == bIngedrukt;
    m_pTekst->mergeCurrentCharFormat(AlleenAttribuut(nAttribuut, bToepassen));
    if (knop != nullptr && !bIngedrukt) {
        knop->setChecked(bToepassen);
    }
}

void CMemoEditDlg::OnSelectieGewijzigd() {
    const std::vector<QTextCharFormat> formaten = SelectieFormaten(m_pTekst->textCursor());
    for (int i = 0; i < int(m_apOpmaakKnop.size()); ++i) {
        const std::optional<bool> waarde = Eenduidig(formaten, i);
        if (waarde && m_apOpmaakKnop[i] != nullptr) {
            m_apOpmaakKnop[i]->setChecked(*waarde);
        }
    }
}

// The dialog is offered the selection's true size and the chosen size is the size applied.
void CMemoEditDlg::OnFont() {
    const std::vector<QTextCharFormat> formaten = SelectieFormaten(m_pTekst->textCursor());
    const QTextCharFormat format =
        formaten.empty() ? m_pTekst->textCursor().charFormat() : formaten.front();
    const QFont standaard = m_pTekst->document()->defaultFont();
    QFont font(standaard);
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.front().isEmpty()) {
        font.setFamily(families.front());
    }
    font.setPointSizeF(format.fontPointSize() > 0 ? format.fontPointSize()
                                                  : standaard.pointSizeF());
    font.setWeight(Attribuut(format, 0) ? QFont::Bold : QFont::Normal);
    font.setItalic(format.fontItalic());
    font.setUnderline(format.fontUnderline());
    font.setStrikeOut(format.fontStrikeOut());
    const bool bEigenKleur = format.hasProperty(QTextFormat::ForegroundBrush) &&
                             format.foreground().style() != Qt::NoBrush;
    const QColor startKleur =
        bEigenKleur ? format.foreground().color() : m_pTekst->palette().color(QPalette::Text);

    QFontDialog dlg(this);
    dlg.setOption(QFontDialog::DontUseNativeDialog);
    dlg.setCurrentFont(font);
    QComboBox* kleurBox = VoegKleurToe(dlg, startKleur);
    if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    const QFont gekozen = dlg.selectedFont();
    QTextCharFormat nieuw;
    nieuw.setFontFamilies(QStringList{gekozen.family()});
    nieuw.setFontPointSize(gekozen.pointSizeF());
    const QColor kleur = kleurBox != nullptr ? kleurBox->currentData().value<QColor>() : startKleur;
    // Text without a colour of its own keeps following the desktop's text colour until
    // another colour is chosen.
    if (bEigenKleur || kleur != startKleur) {
        nieuw.setForeground(kleur);
    }
    nieuw.setFontWeight(gekozen.weight() > QFont::Normal ? QFont::Bold : QFont::Normal);
    nieuw.setFontItalic(gekozen.italic());
    nieuw.setFontUnderline(gekozen.underline());
    nieuw.setFontStrikeOut(gekozen.strikeOut());
    m_pTekst->mergeCurrentCharFormat(nieuw);
}

void CMemoEditDlg::OnKalender() {
    CKalenderDlg dlg(this);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    QTextCursor cursor = m_pTekst->textCursor();
    cursor.insertText(dlg.m_strDatum);
    m_pTekst->setTextCursor(cursor);
}

// One search dialog at a time: asking again brings the open one to the front.
void CMemoEditDlg::OnZoeken(bool bAlleenZoeken) {
    if (m_pZoekDlg) {
        m_pZoekDlg->show();
        m_pZoekDlg->raise();
        m_pZoekDlg->activateWindow();
        return;
    }
    auto* dlg = new CFindReplaceDialog(this);
    m_pZoekDlg = dlg;
    m_bAlleenZoeken = bAlleenZoeken;
    connect(dlg, &CFindReplaceDialog::FindReplace, this,
            GuardedSlot([this] { OnZoekMelding(); }, this));
    dlg->Create(bAlleenZoeken, QString(), QString(), FR_DOWN);
}

bool CMemoEditDlg::ZoekTekst(bool bVooruit, CharRange* pBereik) {
    if (!m_pZoekDlg) {
        return false;
    }
    QTextDocument::FindFlags opties;
    int nVanaf = 0;
    if (bVooruit) {
        if (m_pZoekDlg->MatchCase()) {
            opties |= QTextDocument::FindCaseSensitively;
        }
        if (m_pZoekDlg->MatchWholeWord()) {
            opties |= QTextDocument::FindWholeWords;
        }
        nVanaf = m_pTekst->textCursor().selectionStart() + (m_pZoekDlg->FindNext() ? 1 : 0);
    }
    const QTextCursor gevonden =
        m_pTekst->document()->find(m_pZoekDlg->GetFindString(), nVanaf, opties);
    if (gevonden.isNull()) {
        MessageBeep(MB_ICONINFORMATION);
        return false;
    }
    m_pTekst->setTextCursor(gevonden);
    m_pTekst->ensureCursorVisible();
    if (pBereik != nullptr) {
        *pBereik = {gevonden.selectionStart(), gevonden.selectionEnd()};
    }
    return true;
}

void CMemoEditDlg::OnZoekMelding() {
    if (!m_pZoekDlg) {
        return;
    }
    CFindReplaceDialog* dlg = m_pZoekDlg;
    if (dlg->IsTerminating()) {
        m_pZoekDlg = nullptr;
    } else if (dlg->SearchDown() && !dlg->ReplaceCurrent() && !dlg->ReplaceAll()) {
        ZoekTekst(true);
    } else if (m_bAlleenZoeken) {
        ZoekTekst(false);
        m_bGevonden = true;
    } else if (dlg->ReplaceCurrent() && !dlg->ReplaceAll()) {
        if (NeemTekst()) {
            VervangSelectie(true);
        }
    } else if (dlg->ReplaceAll() && !dlg->ReplaceCurrent()) {
        OnVervangAlles();
    }
}

// The text a replacement acts on: the selection when it already is the replacement after
// an upward find, else the next match from the start of the selection.
bool CMemoEditDlg::NeemTekst() {
    const QTextCursor cursor = m_pTekst->textCursor();
    if (m_bGevonden && cursor.selectedText() == m_pZoekDlg->GetReplaceString()) {
        return true;
    }
    CharRange bereik;
    return ZoekTekst(true, &bereik) && bereik.cpMin >= cursor.selectionStart();
}

void CMemoEditDlg::VervangSelectie(bool bSelecteer) {
    m_bGevonden = false;
    const QString vervanging = m_pZoekDlg->GetReplaceString();
    QTextCursor cursor = m_pTekst->textCursor();
    const int nStart = cursor.selectionStart();
    cursor.insertText(vervanging);
    if (bSelecteer) {
        cursor.setPosition(nStart);
        cursor.setPosition(nStart + int(vervanging.size()), QTextCursor::KeepAnchor);
    }
    m_pTekst->setTextCursor(cursor);
}

// Each search goes on after the previous replacement, so a replacement that holds the
// search text is never searched again and the loop ends with the failing search's beep.
void CMemoEditDlg::OnVervangAlles() {
    const int nBegin = m_pTekst->textCursor().selectionStart();
    while (m_pZoekDlg && NeemTekst()) {
        VervangSelectie(false);
    }
    QTextCursor cursor = m_pTekst->textCursor();
    cursor.setPosition(nBegin);
    m_pTekst->setTextCursor(cursor);
}
