#include "exchange/JetBestand.h"

#include "exchange/UitwisselFout.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <mdbtools.h>
#include <QFile>
#include <QFileInfo>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five bytes it leaves undefined
// keep their own code point, as Windows itself reads them.
constexpr char16_t kCp1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString UitCp1252(const char* bytes, qsizetype n) {
    QString tekst(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        tekst[i] = QChar(b >= 0x80 && b < 0xA0 ? kCp1252[b - 0x80] : char16_t(b));
    }
    return tekst;
}

// Other code pages go through the C library; a byte it cannot place keeps its own value
// rather than dropping out, so no letter of the firm's text goes missing.
QString UitCodetabel(int codetabel, const char* bytes, qsizetype n) {
    const iconv_t cd = iconv_open("UTF-16LE", QByteArray("CP" + QByteArray::number(codetabel)));
    if (cd == iconv_t(-1)) {
        return UitCp1252(bytes, n);
    }
    QString tekst;
    std::vector<char16_t> uit(4);
    char* in = const_cast<char*>(bytes);
    size_t over = size_t(n);
    while (over > 0) {
        char* out = reinterpret_cast<char*>(uit.data());
        size_t ruimte = uit.size() * sizeof(char16_t);
        const size_t r = iconv(cd, &in, &over, &out, &ruimte);
        tekst.append(reinterpret_cast<const QChar*>(uit.data()),
                     qsizetype(uit.size() - ruimte / sizeof(char16_t)));
        if (r == size_t(-1) && errno != E2BIG) {
            tekst.append(QChar(char16_t(static_cast<unsigned char>(*in))));
            ++in;
            --over;
        }
    }
    iconv_close(cd);
    return tekst;
}

// Text of the later formats is UTF-16, optionally "compressed": after the mark FF FE each
// byte is one character, and a zero byte switches between one byte and two per character.
QString UitUnicode(const char* bytes, qsizetype n) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    QString tekst;
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        tekst.reserve(n);
        bool smal = true;
        for (qsizetype i = 2; i < n;) {
            if (b[i] == 0) {
                smal = !smal;
                ++i;
            } else if (smal) {
                tekst.append(QChar(char16_t(b[i++])));
            } else if (i + 1 < n) {
                tekst.append(QChar(char16_t(b[i] | (b[i + 1] << 8))));
                i += 2;
            } else {
                break;
            }
        }
        return tekst;
    }
    tekst.resize(n / 2);
    for (qsizetype i = 0; i + 1 < n; i += 2) {
        tekst[i / 2] = QChar(char16_t(b[i] | (b[i + 1] << 8)));
    }
    return tekst;
}

CJetBestand::Soort SoortVan(int type) {
    switch (type) {
    case MDB_BOOL:
        return CJetBestand::JaNee;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return CJetBestand::Geheel;
    case MDB_DATETIME:
        return CJetBestand::Datum;
    case MDB_TEXT:
    case MDB_MEMO:
        return CJetBestand::Tekst;
    default:
        return CJetBestand::Anders;
    }
}

struct TabelDef {
    MdbTableDef* def;
    explicit TabelDef(MdbTableDef* t) : def(t) {}
    ~TabelDef() {
        if (def) {
            mdb_free_tabledef(def);
        }
    }
};

} // namespace

struct CJetBestand::Data {
    QString pad;
    MdbHandle* mdb = nullptr;
    std::vector<char> brok = std::vector<char>(64 * 1024);

    [[noreturn]] void Beschadigd(const QString& waar) const {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 is beschadigd en kan niet volledig worden "
                           "gelezen (%2). Er is niets overgenomen.")
                .arg(pad, waar));
    }

    MdbCatalogEntry* Ingang(const QString& tabel) const {
        for (guint i = 0; i < mdb->num_catalog; ++i) {
            auto* ingang = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (ingang->object_type == MDB_TABLE &&
                QString::fromUtf8(ingang->object_name) == tabel) {
                return ingang;
            }
        }
        Beschadigd(QStringLiteral("tabel %1 ontbreekt").arg(tabel));
    }

    std::unique_ptr<TabelDef> Open(const QString& tabel) const {
        auto t = std::make_unique<TabelDef>(mdb_read_table(Ingang(tabel)));
        if (!t->def || !mdb_read_columns(t->def)) {
            Beschadigd(QStringLiteral("tabel %1").arg(tabel));
        }
        return t;
    }

    QString Tekst(const char* bytes, qsizetype n) const {
        if (mdb->f->jet_version != MDB_VER_JET3) {
            return UitUnicode(bytes, n);
        }
        const int codetabel = mdb->f->code_page;
        return codetabel == 0 || codetabel == 1252 ? UitCp1252(bytes, n)
                                                   : UitCodetabel(codetabel, bytes, n);
    }

    // A memo is kept apart from its row, in pieces on other pages; libmdb fetches the
    // pieces, which are joined here raw so that no length limit applies.
    QString Memo(MdbColumn* kolom, const MdbField& veld) {
        if (veld.siz < MDB_MEMO_OVERHEAD) {
            Beschadigd(QStringLiteral("memo in %1").arg(QString::fromUtf8(kolom->name)));
        }
        char kop[MDB_MEMO_OVERHEAD];
        std::memcpy(kop, mdb->pg_buf + veld.start, MDB_MEMO_OVERHEAD);
        const qsizetype lengte = mdb_get_int32(kop, 0) & 0x3FFFFFFF;
        QByteArray bytes;
        bytes.reserve(lengte);
        kolom->cur_value_start = veld.start;
        kolom->cur_value_len = veld.siz;
        kolom->bind_ptr = brok.data();
        size_t n = mdb_ole_read(mdb, kolom, kop, brok.size());
        while (n > 0 && bytes.size() + qsizetype(n) <= lengte) {
            bytes.append(brok.data(), qsizetype(n));
            n = mdb_ole_read_next(mdb, kolom, kop);
        }
        kolom->bind_ptr = nullptr;
        if (bytes.size() != lengte) {
            Beschadigd(QStringLiteral("memo in %1").arg(QString::fromUtf8(kolom->name)));
        }
        return Tekst(bytes.constData(), bytes.size());
    }

    QVariant Waarde(MdbColumn* kolom, const MdbField& veld) {
        if (kolom->col_type == MDB_BOOL) {
            // Yes/no lives in the row's null flags: a set flag is yes.
            return QVariant(qlonglong(veld.is_null ? 0 : 1));
        }
        if (veld.is_null) {
            return {};
        }
        const unsigned char* p = mdb->pg_buf + veld.start;
        switch (kolom->col_type) {
        case MDB_BYTE:
            return QVariant(qlonglong(p[0]));
        case MDB_INT:
            return QVariant(qlonglong(qint16(mdb_get_int16(mdb->pg_buf, veld.start))));
        case MDB_LONGINT:
            return QVariant(qlonglong(qint32(mdb_get_int32(mdb->pg_buf, veld.start))));
        case MDB_DATETIME:
            return QVariant(mdb_get_double(mdb->pg_buf, veld.start));
        case MDB_TEXT:
            return QVariant(Tekst(reinterpret_cast<const char*>(p), veld.siz));
        case MDB_MEMO:
            return QVariant(Memo(kolom, veld));
        default:
            return {};
        }
    }
};

bool CJetBestand::IsJet(const QString& pad) {
    QFile bestand(pad);
    if (!bestand.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray kop = bestand.read(20);
    return kop.size() == 20 && kop.at(0) == 0 && kop.at(1) == 1 &&
           (kop.mid(4, 16) == QByteArray("Standard Jet DB", 16) ||
            kop.mid(4, 16) == QByteArray("Standard ACE DB", 16));
}

CJetBestand::CJetBestand(const QString& pad) : d(std::make_unique<Data>()) {
    d->pad = pad;
    if (!QFileInfo(pad).isFile()) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 bestaat niet of kan niet worden gelezen.").arg(pad));
    }
    if (!IsJet(pad)) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 is geen database van de Windows-versie (geen Jet- of "
                           "ACE-bestand).")
                .arg(pad));
    }
    d->mdb = mdb_open(QFile::encodeName(pad).constData(), MDB_NOFLAGS);
    if (!d->mdb) {
        d->Beschadigd(QStringLiteral("de kop"));
    }
    // A file cut off mid-page lost its end; one that lists no tables is encrypted or its
    // catalog is gone.
    if (QFileInfo(pad).size() % d->mdb->fmt->pg_size != 0) {
        d->Beschadigd(QStringLiteral("het bestand is afgebroken"));
    }
    if (!mdb_read_catalog(d->mdb, MDB_TABLE) || Tabellen().isEmpty()) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 kan niet worden gelezen: het is versleuteld, met "
                           "een wachtwoord beveiligd of beschadigd. Er is niets "
                           "overgenomen.")
                .arg(pad));
    }
}

CJetBestand::~CJetBestand() {
    if (d->mdb) {
        mdb_close(d->mdb);
    }
}

const QString& CJetBestand::Pad() const {
    return d->pad;
}

QString CJetBestand::Versie() const {
    switch (d->mdb->f->jet_version) {
    case MDB_VER_JET3:
        return QStringLiteral("Access 97 (Jet 3)");
    case MDB_VER_JET4:
        return QStringLiteral("Access 2000-2003 (Jet 4)");
    default:
        return QStringLiteral("Access 2007 of later (ACE)");
    }
}

QStringList CJetBestand::Tabellen() const {
    QStringList tabellen;
    for (guint i = 0; i < d->mdb->num_catalog; ++i) {
        auto* ingang = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d->mdb->catalog, i));
        if (ingang->object_type == MDB_TABLE && mdb_is_user_table(ingang)) {
            tabellen << QString::fromUtf8(ingang->object_name);
        }
    }
    return tabellen;
}

std::vector<CJetBestand::Kolom> CJetBestand::Kolommen(const QString& tabel) const {
    const auto t = d->Open(tabel);
    std::vector<Kolom> kolommen;
    for (guint i = 0; i < t->def->num_cols; ++i) {
        auto* kolom = static_cast<MdbColumn*>(g_ptr_array_index(t->def->columns, i));
        kolommen.push_back({QString::fromUtf8(kolom->name), SoortVan(kolom->col_type)});
    }
    return kolommen;
}

qint64 CJetBestand::LaatsteTeller(const QString& tabel) const {
    // libmdb does not hand out the counter: it is the word after the row count in the
    // table's definition page.
    const MdbCatalogEntry* ingang = d->Ingang(tabel);
    if (mdb_read_pg(d->mdb, ingang->table_pg) != d->mdb->fmt->pg_size) {
        d->Beschadigd(QStringLiteral("tabel %1").arg(tabel));
    }
    return qint32(mdb_get_int32(d->mdb->pg_buf, d->mdb->fmt->tab_num_rows_offset + 4));
}

void CJetBestand::Lees(const QString& tabel, const std::function<void(const Rij&)>& rij) const {
    const auto t = d->Open(tabel);
    MdbTableDef* def = t->def;
    const guint nKolommen = def->num_cols;
    std::vector<MdbField> velden(nKolommen);
    Rij waarden(nKolommen);
    unsigned nRijen = 0;
    mdb_rewind_table(def);
    while (mdb_fetch_row(def)) {
        // libmdb's own binding gives null and empty text alike; the row is taken apart
        // once more for its null flags and the place of each value.
        int begin = 0;
        size_t lengte = 0;
        if (mdb_find_row(d->mdb, int(def->cur_row) - 1, &begin, &lengte) != 0 ||
            mdb_crack_row(def, begin & 0x1FFF, lengte, velden.data()) < int(nKolommen)) {
            d->Beschadigd(QStringLiteral("rij %1 van tabel %2").arg(nRijen + 1).arg(tabel));
        }
        for (guint i = 0; i < nKolommen; ++i) {
            const MdbField& veld = velden[i];
            auto* kolom = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, veld.colnum));
            waarden[veld.colnum] = d->Waarde(kolom, veld);
        }
        rij(waarden);
        ++nRijen;
    }
    if (nRijen != def->num_rows) {
        d->Beschadigd(QStringLiteral("tabel %1: %2 van %3 rijen gevonden")
                          .arg(tabel)
                          .arg(nRijen)
                          .arg(def->num_rows));
    }
}
