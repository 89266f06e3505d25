#include "platform/dao/DaoRecordset.h"

#include "platform/dao/DaoException.h"
#include "platform/dao/DaoWriteObserver.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString Quoted(const QString& column) {
    return QLatin1Char('[') + column + QLatin1Char(']');
}

QString StripBrackets(QString name) {
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))) {
        name = name.mid(1, name.size() - 2);
    }
    return name;
}

QString NoCurrentRecord() {
    return QCoreApplication::translate("CDaoRecordset", "Er is geen huidig record.");
}

QString RecordGone() {
    return QCoreApplication::translate("CDaoRecordset",
                                       "Dit record staat niet meer in de database.");
}

} // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase) : m_pExternalDatabase(pDatabase) {}

CDaoRecordset::~CDaoRecordset() = default;

void CDaoRecordset::EnsureConnection() {
    if (m_database || m_pExternalDatabase) {
        return;
    }
    m_database = CDaoDatabase::OpenShared(GetDefaultDBName());
}

void CDaoRecordset::BindFields() {
    if (!m_fields.empty()) {
        return;
    }
    CDaoFieldExchange fx;
    DoFieldExchange(&fx);
    m_fields = std::move(fx.m_fields);
}

std::unique_ptr<CDaoStatement> CDaoRecordset::Prepare(const QString& sql) const {
    return GetDatabase()->Prepare(sql);
}

void CDaoRecordset::Open(int, const QString& sql, int) {
    if (m_bOpen) {
        Close();
    }
    EnsureConnection();
    BindFields();
    m_strTable = StripBrackets(sql.isEmpty() ? GetDefaultSQL() : sql);

    if (m_nKeyField < 0) {
        QString keyColumn;
        // A schema that cannot be read (a lock, a damaged file) throws: it is no missing table.
        if (!GetDatabase()->Engine().TableKey(m_strTable, &keyColumn)) {
            // The engine reads a missing table as an empty one here; it is reported in the
            // engine's own words, as a statement on it would be.
            throw CDaoException(DaoErrorKind::SchemaMissing, GetDatabase()->GetName(),
                                QStringLiteral("no such table: %1").arg(m_strTable), 1,
                                GetDatabase()->Engine().IsServer());
        }
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].name.compare(keyColumn, Qt::CaseInsensitive) == 0) {
                m_nKeyField = int(i);
            }
        }
        if (m_nKeyField < 0) {
            throw CDaoException(QCoreApplication::translate(
                                    "CDaoRecordset", "De tabel '%1' heeft geen sleutelkolom.")
                                    .arg(m_strTable));
        }
    }

    if (!m_fetch) {
        QStringList columns;
        for (const auto& field : m_fields) {
            columns << Quoted(field.name);
        }
        m_fetch = Prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                              .arg(columns.join(QLatin1Char(',')), Quoted(m_strTable),
                                   Quoted(m_fields[m_nKeyField].name)));
    }

    LoadKeys();
    m_bOpen = true;
    m_nEditMode = dbEditNone;
    m_bCurrentDeleted = false;
    m_nCurrent = -1;
    m_nMaxReached = -1;
    if (!SeekFrom(0, 1)) {
        m_nCurrent = long(m_keys.size());
    }
}

void CDaoRecordset::LoadKeys() {
    const QString key = Quoted(m_fields[m_nKeyField].name);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(key, Quoted(m_strTable));
    if (!m_strFilter.trimmed().isEmpty()) {
        sql += QStringLiteral(" WHERE ") + m_strFilter;
    }
    QStringList order;
    for (const QString& term : m_strSort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QStringList words = term.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            continue;
        }
        const QString column = StripBrackets(words.takeFirst());
        QString sortTerm = Quoted(column);
        for (const auto& field : m_fields) {
            if (field.type == CDaoFieldExchange::Text &&
                field.name.compare(column, Qt::CaseInsensitive) == 0) {
                sortTerm = GetDatabase()->Engine().TextSortTerm(sortTerm);
            }
        }
        if (!words.isEmpty()) {
            sortTerm += QLatin1Char(' ') + words.join(QLatin1Char(' '));
        }
        order << sortTerm;
    }
    order << key; // rows that sort alike keep the engine's own order
    sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));

    const auto keys = Prepare(sql);
    m_keys.clear();
    while (keys->Step()) {
        m_keys.push_back(keys->Int64(0));
    }
}

CDaoRecordset::Value CDaoRecordset::ReadColumn(const CDaoStatement& stmt, int col,
                                               const CDaoFieldExchange::Field& field) const {
    const bool isNull = stmt.IsNull(col);
    switch (field.type) {
    case CDaoFieldExchange::Long:
        return isNull ? 0 : int(stmt.Int64(col));
    case CDaoFieldExchange::Bool:
        return (!isNull && stmt.Int64(col) != 0) ? TRUE : FALSE;
    case CDaoFieldExchange::Text:
        return isNull ? QString() : stmt.Text(col);
    case CDaoFieldExchange::DateTime: {
        if (isNull) {
            return COleDateTime::Null();
        }
        const QVariant value = stmt.Value(col);
        if (value.typeId() == QMetaType::Double) {
            return COleDateTime(value.toDouble());
        }
        return COleDateTime::FromStorageText(value.toString());
    }
    }
    return 0;
}

void CDaoRecordset::AssignMember(const CDaoFieldExchange::Field& field, const Value& value) {
    switch (field.type) {
    case CDaoFieldExchange::Long:
    case CDaoFieldExchange::Bool:
        *static_cast<LONG*>(field.member) = std::get<int>(value);
        break;
    case CDaoFieldExchange::Text:
        *static_cast<QString*>(field.member) = std::get<QString>(value);
        break;
    case CDaoFieldExchange::DateTime:
        *static_cast<COleDateTime*>(field.member) = std::get<COleDateTime>(value);
        break;
    }
}

bool CDaoRecordset::FetchRow(qint64 key) {
    m_fetch->Reset();
    m_fetch->BindInt64(1, key);
    if (!m_fetch->Step()) {
        m_fetch->Reset();
        return false;
    }
    m_read.clear();
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_read.push_back(ReadColumn(*m_fetch, int(i), m_fields[i]));
    }
    m_fetch->Reset();
    RestoreMembers(m_read);
    return true;
}

// Reads the rows of the keys from index on in one statement; a key without a row is a row
// deleted since the open.
void CDaoRecordset::ReadAhead(long index) {
    m_ahead.clear();
    if (!m_fetchAhead) {
        m_nReadAhead = GetDatabase()->Engine().ReadAheadRows();
        QStringList columns{Quoted(m_fields[m_nKeyField].name)};
        for (const auto& field : m_fields) {
            columns << Quoted(field.name);
        }
        m_fetchAhead = Prepare(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4)")
                .arg(columns.join(QLatin1Char(',')), Quoted(m_strTable),
                     Quoted(m_fields[m_nKeyField].name),
                     QStringList(m_nReadAhead, QStringLiteral("?")).join(QLatin1Char(','))));
    }
    m_fetchAhead->Reset();
    for (int n = 0; n < m_nReadAhead; ++n) {
        const size_t i = size_t(index) + size_t(n);
        if (i < m_keys.size()) {
            m_fetchAhead->BindInt64(n + 1, m_keys[i]);
        } else {
            m_fetchAhead->BindNull(n + 1);
        }
    }
    try {
        while (m_fetchAhead->Step()) {
            std::vector<Value> row;
            row.reserve(m_fields.size());
            for (size_t i = 0; i < m_fields.size(); ++i) {
                row.push_back(ReadColumn(*m_fetchAhead, int(i) + 1, m_fields[i]));
            }
            m_ahead.emplace(m_fetchAhead->Int64(0), std::move(row));
        }
    } catch (...) {
        m_ahead.clear();
        throw;
    }
    m_fetchAhead->Reset();
    m_nAheadChanges = GetDatabase()->ChangeCount();
}

bool CDaoRecordset::FetchAhead(long index) {
    const qint64 key = m_keys[size_t(index)];
    auto it = m_ahead.find(key);
    if (it == m_ahead.end() || m_nAheadChanges != GetDatabase()->ChangeCount()) {
        ReadAhead(index);
        it = m_ahead.find(key);
        if (it == m_ahead.end()) {
            return false;
        }
    }
    m_read = std::move(it->second);
    m_ahead.erase(it);
    RestoreMembers(m_read);
    return true;
}

// Moves from index in the direction of step to the first key whose row still exists; rows
// deleted since the open are passed over. A forward walk (bAhead) reads rows ahead.
bool CDaoRecordset::SeekFrom(long index, int step, bool bAhead) {
    for (long i = index; i >= 0 && i < long(m_keys.size()); i += step) {
        if (bAhead ? FetchAhead(i) : FetchRow(m_keys[size_t(i)])) {
            m_nCurrent = i;
            m_nMaxReached = std::max(m_nMaxReached, i);
            m_bCurrentDeleted = false;
            return true;
        }
    }
    return false;
}

void CDaoRecordset::Close() {
    m_fetch.reset();
    m_fetchAhead.reset();
    m_ahead.clear();
    m_bOpen = false;
    m_keys.clear();
    m_nCurrent = -1;
    m_nMaxReached = -1;
    m_nEditMode = dbEditNone;
    m_bHasLastModified = false;
}

bool CDaoRecordset::IsBOF() const {
    RequireOpen();
    return m_keys.empty() || m_nCurrent < 0;
}

bool CDaoRecordset::IsEOF() const {
    RequireOpen();
    return m_keys.empty() || m_nCurrent >= long(m_keys.size());
}

void CDaoRecordset::RequireOpen() const {
    if (!m_bOpen) {
        throw CDaoException(
            QCoreApplication::translate("CDaoRecordset", "De recordset is niet geopend."));
    }
}

void CDaoRecordset::RequireCurrentRow() const {
    RequireOpen();
    if (m_bCurrentDeleted || m_nCurrent < 0 || m_nCurrent >= long(m_keys.size())) {
        throw CDaoException(NoCurrentRecord(), 3021);
    }
}

void CDaoRecordset::MoveFirst() {
    RequireOpen();
    if (!SeekFrom(0, 1)) {
        throw CDaoException(NoCurrentRecord(), 3021);
    }
}

void CDaoRecordset::MoveLast() {
    RequireOpen();
    if (!SeekFrom(long(m_keys.size()) - 1, -1)) {
        throw CDaoException(NoCurrentRecord(), 3021);
    }
}

void CDaoRecordset::MoveNext() {
    RequireOpen();
    if (IsEOF()) {
        throw CDaoException(NoCurrentRecord(), 3021);
    }
    if (!SeekFrom(m_nCurrent + 1, 1, true)) {
        m_nCurrent = long(m_keys.size());
        m_nMaxReached = std::max(m_nMaxReached, m_nCurrent - 1);
    }
}

void CDaoRecordset::MovePrev() {
    RequireOpen();
    if (IsBOF()) {
        throw CDaoException(NoCurrentRecord(), 3021);
    }
    if (!SeekFrom(m_nCurrent - 1, -1)) {
        m_nCurrent = -1;
    }
}

long CDaoRecordset::GetRecordCount() const {
    RequireOpen();
    return m_nMaxReached + 1;
}

std::vector<CDaoRecordset::Value> CDaoRecordset::SaveMembers() const {
    std::vector<Value> values;
    values.reserve(m_fields.size());
    for (const auto& field : m_fields) {
        switch (field.type) {
        case CDaoFieldExchange::Long:
        case CDaoFieldExchange::Bool:
            values.emplace_back(int(*static_cast<const LONG*>(field.member)));
            break;
        case CDaoFieldExchange::Text:
            values.emplace_back(*static_cast<const QString*>(field.member));
            break;
        case CDaoFieldExchange::DateTime:
            values.emplace_back(*static_cast<const COleDateTime*>(field.member));
            break;
        }
    }
    return values;
}

void CDaoRecordset::RestoreMembers(const std::vector<Value>& values) {
    for (size_t i = 0; i < m_fields.size() && i < values.size(); ++i) {
        AssignMember(m_fields[i], values[i]);
    }
}

void CDaoRecordset::SetMembersNull() {
    for (const auto& field : m_fields) {
        switch (field.type) {
        case CDaoFieldExchange::Long:
        case CDaoFieldExchange::Bool:
            *static_cast<LONG*>(field.member) = kPseudoNull;
            break;
        case CDaoFieldExchange::Text:
            static_cast<QString*>(field.member)->clear();
            break;
        case CDaoFieldExchange::DateTime:
            *static_cast<COleDateTime*>(field.member) = COleDateTime::Null();
            break;
        }
    }
}

void CDaoRecordset::AddNew() {
    RequireOpen();
    if (m_nEditMode != dbEditNone) {
        CancelUpdate();
    }
    m_saved = SaveMembers();
    SetMembersNull();
    m_nEditMode = dbEditAdd;
}

void CDaoRecordset::Edit() {
    RequireCurrentRow();
    if (m_nEditMode != dbEditNone) {
        CancelUpdate();
    }
    m_saved = SaveMembers();
    m_nEditMode = dbEditInProgress;
}

void CDaoRecordset::CancelUpdate() {
    RequireOpen();
    if (m_nEditMode == dbEditNone) {
        return;
    }
    RestoreMembers(m_saved);
    m_nEditMode = dbEditNone;
}

namespace {

// Binds a member's value as parameter n; empty text and null or invalid dates go in as
// null, which is how the tables keep "nothing".
void BindValue(CDaoStatement& stmt, int n, const CDaoFieldExchange::Field& field) {
    switch (field.type) {
    case CDaoFieldExchange::Long:
        stmt.BindInt64(n, *static_cast<const LONG*>(field.member));
        break;
    case CDaoFieldExchange::Bool:
        stmt.BindInt64(n, *static_cast<const BOOL*>(field.member) ? 1 : 0);
        break;
    case CDaoFieldExchange::Text: {
        const auto& text = *static_cast<const QString*>(field.member);
        if (text.isEmpty()) {
            stmt.BindNull(n);
        } else {
            stmt.BindText(n, text);
        }
        break;
    }
    case CDaoFieldExchange::DateTime: {
        const QString text = static_cast<const COleDateTime*>(field.member)->ToStorageText();
        if (text.isEmpty()) {
            stmt.BindNull(n);
        } else {
            stmt.BindText(n, text);
        }
        break;
    }
    }
}

// A condition that holds while column holds either of two values as a member reads them:
// the value read, or the value about to be written (someone else storing the same thing
// loses nothing). Its two parameters are filled by BindReadValue. A null reads as 0, ""
// or no date, so it passes for those as well.
QString StillAsRead(const CDaoEngine& engine, const CDaoFieldExchange::Field& field,
                    const QString& column) {
    QString read;
    switch (field.type) {
    case CDaoFieldExchange::Long:
        read = QStringLiteral("coalesce(%1, 0)").arg(column);
        break;
    case CDaoFieldExchange::Bool:
        return QStringLiteral("(coalesce(%1, 0) <> 0) IN ((? <> 0), (? <> 0))").arg(column);
    case CDaoFieldExchange::Text:
        read = QStringLiteral("coalesce(%1, '')").arg(column);
        break;
    case CDaoFieldExchange::DateTime:
        read = engine.DateAsText(column);
        break;
    }
    return read + QStringLiteral(" IN (?, ?)");
}

void BindReadValue(CDaoStatement& stmt, int n,
                   const std::variant<int, QString, COleDateTime>& old) {
    if (const int* number = std::get_if<int>(&old)) {
        stmt.BindInt64(n, *number);
    } else if (const QString* text = std::get_if<QString>(&old)) {
        stmt.BindText(n, *text);
    } else {
        stmt.BindText(n, std::get<COleDateTime>(old).ToStorageText());
    }
}

bool SameValue(const CDaoFieldExchange::Field& field,
               const std::variant<int, QString, COleDateTime>& old) {
    switch (field.type) {
    case CDaoFieldExchange::Long:
        return *static_cast<const LONG*>(field.member) == std::get<int>(old);
    case CDaoFieldExchange::Bool:
        return (*static_cast<const BOOL*>(field.member) != 0) == (std::get<int>(old) != 0);
    case CDaoFieldExchange::Text:
        return *static_cast<const QString*>(field.member) == std::get<QString>(old);
    case CDaoFieldExchange::DateTime:
        return static_cast<const COleDateTime*>(field.member)->ToStorageText() ==
               std::get<COleDateTime>(old).ToStorageText();
    }
    return true;
}

} // namespace

bool CDaoRecordset::IsUnsetForInsert(const CDaoFieldExchange::Field& field) const {
    switch (field.type) {
    case CDaoFieldExchange::Long:
    case CDaoFieldExchange::Bool:
        return *static_cast<const LONG*>(field.member) == kPseudoNull;
    case CDaoFieldExchange::Text:
        return static_cast<const QString*>(field.member)->isEmpty();
    case CDaoFieldExchange::DateTime:
        return static_cast<const COleDateTime*>(field.member)->ToStorageText().isEmpty();
    }
    return true;
}

void CDaoRecordset::InsertRow() {
    std::vector<size_t> columns;
    QStringList names;
    QStringList marks;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (int(i) == m_nKeyField || IsUnsetForInsert(m_fields[i])) {
            continue;
        }
        columns.push_back(i);
        names << Quoted(m_fields[i].name);
        marks << QStringLiteral("?");
    }
    const QString sql =
        columns.empty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Quoted(m_strTable))
                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(Quoted(m_strTable), names.join(QLatin1Char(',')),
                                   marks.join(QLatin1Char(',')));
    const auto insert =
        Prepare(sql + QStringLiteral(" RETURNING ") + Quoted(m_fields[m_nKeyField].name));
    for (size_t n = 0; n < columns.size(); ++n) {
        BindValue(*insert, int(n) + 1, m_fields[columns[n]]);
    }
    if (!insert->Step()) {
        throw CDaoException(RecordGone(), 3021);
    }
    m_lastModified = insert->Int64(0);
    while (insert->Step()) {
    }
    m_bHasLastModified = true;
    m_keys.push_back(m_lastModified);
}

void CDaoRecordset::UpdateRow() {
    std::vector<size_t> columns;
    QStringList assignments;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (int(i) == m_nKeyField || SameValue(m_fields[i], m_saved[i])) {
            continue;
        }
        columns.push_back(i);
        assignments << Quoted(m_fields[i].name) + QStringLiteral(" = ?");
    }
    const qint64 key = m_keys[size_t(m_nCurrent)];
    if (!columns.empty()) {
        // Another desk may have changed the row since it was read: the columns this edit
        // changes must still hold what was read, or nothing is stored. Only those columns,
        // so that two desks changing different fields of one record both keep their work,
        // and no column is added to the tables, so files made before this keep working.
        QStringList conditions{Quoted(m_fields[m_nKeyField].name) + QStringLiteral(" = ?")};
        const bool bHaveRead = m_read.size() == m_fields.size();
        if (bHaveRead) {
            for (size_t i : columns) {
                conditions << StillAsRead(GetDatabase()->Engine(), m_fields[i],
                                          Quoted(m_fields[i].name));
            }
        }
        const auto update =
            Prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                        .arg(Quoted(m_strTable), assignments.join(QStringLiteral(", ")),
                             conditions.join(QStringLiteral(" AND "))));
        int n = 1;
        for (size_t i : columns) {
            BindValue(*update, n++, m_fields[i]);
        }
        update->BindInt64(n++, key);
        const std::vector<Value> written = SaveMembers();
        if (bHaveRead) {
            for (size_t i : columns) {
                BindReadValue(*update, n++, m_read[i]);
                BindReadValue(*update, n++, written[i]);
            }
        }
        while (update->Step()) {
        }
        if (GetDatabase()->Engine().Changes() == 0) {
            ThrowChangedOrGone(key);
        }
        if (bHaveRead) {
            for (size_t i : columns) {
                m_read[i] = written[i];
            }
        }
    }
    m_lastModified = key;
    m_bHasLastModified = true;
}

void CDaoRecordset::ThrowChangedOrGone(qint64 key) const {
    const auto exists = Prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?")
                                    .arg(Quoted(m_strTable), Quoted(m_fields[m_nKeyField].name)));
    exists->BindInt64(1, key);
    if (exists->Step() && exists->Int64(0) > 0) {
        CDaoException changed(
            CDaoException::KindSentence(DaoErrorKind::ChangedByOther, GetDatabase()->GetName()),
            kChangedByOther);
        changed.m_kind = DaoErrorKind::ChangedByOther;
        changed.m_strName = GetDatabase()->GetName();
        throw changed;
    }
    throw CDaoException(RecordGone(), 3021);
}

void CDaoRecordset::Update() {
    RequireOpen();
    if (m_nEditMode == dbEditNone) {
        throw CDaoException(QCoreApplication::translate(
            "CDaoRecordset", "Update zonder AddNew of Edit: er is niets om op te slaan."));
    }
    if (m_nEditMode == dbEditAdd) {
        const bool wasAfterLast = m_nCurrent >= long(m_keys.size());
        const size_t nKeys = m_keys.size();
        try {
            CDaoWriteObserver::Write(*GetDatabase(), m_strTable, CDaoWriteObserver::RowAdded,
                                     [this] {
                                         InsertRow();
                                         return m_lastModified;
                                     });
        } catch (...) {
            // The observer's failure undid the row: its key must not stay in the keyset.
            m_keys.resize(nKeys);
            throw;
        }
        if (wasAfterLast) {
            m_nCurrent = long(m_keys.size());
        }
        m_nEditMode = dbEditNone;
        // The row that was current before AddNew stays current.
        if (m_nCurrent >= 0 && m_nCurrent < long(m_keys.size()) - 1 && !m_bCurrentDeleted &&
            FetchRow(m_keys[size_t(m_nCurrent)])) {
            return;
        }
        RestoreMembers(m_saved);
        return;
    }
    CDaoWriteObserver::Write(*GetDatabase(), m_strTable, CDaoWriteObserver::RowChanged, [this] {
        UpdateRow();
        return m_lastModified;
    });
    m_nEditMode = dbEditNone;
}

void CDaoRecordset::Delete() {
    RequireCurrentRow();
    if (m_nEditMode != dbEditNone) {
        CancelUpdate();
    }
    const qint64 key = m_keys[size_t(m_nCurrent)];
    CDaoWriteObserver::Write(*GetDatabase(), m_strTable, CDaoWriteObserver::RowDeleted, [&] {
        const auto remove =
            Prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                        .arg(Quoted(m_strTable), Quoted(m_fields[m_nKeyField].name)));
        remove->BindInt64(1, key);
        while (remove->Step()) {
        }
        if (GetDatabase()->Engine().Changes() == 0) {
            throw CDaoException(RecordGone(), 3021);
        }
        return key;
    });
    m_bCurrentDeleted = true;
}

QVariant CDaoRecordset::GetLastModifiedBookmark() const {
    RequireOpen();
    if (!m_bHasLastModified) {
        throw CDaoException(NoCurrentRecord(), 3021);
    }
    return QVariant::fromValue(m_lastModified);
}

QVariant CDaoRecordset::GetBookmark() const {
    RequireCurrentRow();
    return QVariant::fromValue(m_keys[size_t(m_nCurrent)]);
}

void CDaoRecordset::SetBookmark(const QVariant& bookmark) {
    RequireOpen();
    const qint64 key = bookmark.toLongLong();
    for (long i = long(m_keys.size()) - 1; i >= 0; --i) {
        if (m_keys[size_t(i)] == key) {
            if (!FetchRow(key)) {
                break;
            }
            m_nCurrent = i;
            m_nMaxReached = std::max(m_nMaxReached, i);
            m_bCurrentDeleted = false;
            return;
        }
    }
    throw CDaoException(NoCurrentRecord(), 3021);
}

void CDaoRecordset::BeginTrans() {
    EnsureConnection();
    GetDatabase()->BeginTrans();
}

void CDaoRecordset::CommitTrans() {
    EnsureConnection();
    GetDatabase()->CommitTrans();
}

void CDaoRecordset::Rollback() {
    EnsureConnection();
    GetDatabase()->Rollback();
}
