#pragma once

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoFieldExchange.h"
#include "platform/dao/DaoTypes.h"
#include "platform/dao/OleDateTime.h"

#include <memory>
#include <QString>
#include <QVariant>
#include <unordered_map>
#include <variant>
#include <vector>

// A dynaset over one table: opening fixes the keys of the rows that meet the filter, in the
// order of the sort; every move fetches its row afresh by key into the bound members.
// Changes are buffered in the members between AddNew/Edit and Update, and Update writes
// only the columns that changed, always through bound parameters.
class CDaoRecordset {
public:
    enum OpenType { dbOpenDynaset = 2, dbOpenTable = 1, dbOpenSnapshot = 4 };
    enum EditMode { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

    explicit CDaoRecordset(CDaoDatabase* pDatabase = nullptr);
    virtual ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    virtual void Open(int nOpenType = dbOpenDynaset, const QString& sql = QString(),
                      int nOptions = 0);
    virtual void Close();
    bool IsOpen() const { return m_bOpen; }
    bool IsBOF() const;
    bool IsEOF() const;

    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    long GetRecordCount() const;

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    int GetEditMode() const { return m_nEditMode; }
    bool CanUpdate() const { return m_bOpen; }

    QVariant GetLastModifiedBookmark() const;
    QVariant GetBookmark() const;
    void SetBookmark(const QVariant& bookmark);

    // The shared connection this recordset uses; open after the first Open.
    CDaoDatabase* GetDatabase() const {
        return m_pExternalDatabase ? m_pExternalDatabase : m_database.get();
    }
    // Begins, commits or rolls back a transaction on the connection of this recordset's
    // file, opening the connection if need be.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    virtual QString GetDefaultDBName() = 0;
    virtual QString GetDefaultSQL() = 0;
    virtual void DoFieldExchange(CDaoFieldExchange* pFX) = 0;

    QString m_strFilter;
    QString m_strSort;
    int m_nFields = 0;
    int m_nDefaultType = dbOpenDynaset;

    // What AddNew puts in a number or yes/no member until the caller sets it, so that a
    // deliberate 0 is told apart from "not set" and an unset column is stored as null.
    static constexpr LONG kPseudoNull = 0x4a4d4120;
    // The engine code of an Update refused because another user changed the row.
    static constexpr int kChangedByOther = 3197;

private:
    using Value = std::variant<int, QString, COleDateTime>;

    void EnsureConnection();
    void BindFields();
    void LoadKeys();
    bool FetchRow(qint64 key);
    bool FetchAhead(long index);
    void ReadAhead(long index);
    Value ReadColumn(const CDaoStatement& stmt, int col,
                     const CDaoFieldExchange::Field& field) const;
    void AssignMember(const CDaoFieldExchange::Field& field, const Value& value);
    bool SeekFrom(long index, int step, bool bAhead = false);
    void RequireOpen() const;
    void RequireCurrentRow() const;
    std::vector<Value> SaveMembers() const;
    void RestoreMembers(const std::vector<Value>& values);
    void SetMembersNull();
    bool IsUnsetForInsert(const CDaoFieldExchange::Field& field) const;
    void InsertRow();
    void UpdateRow();
    [[noreturn]] void ThrowChangedOrGone(qint64 key) const;
    std::unique_ptr<CDaoStatement> Prepare(const QString& sql) const;

    std::shared_ptr<CDaoDatabase> m_database;
    CDaoDatabase* m_pExternalDatabase = nullptr;
    std::vector<CDaoFieldExchange::Field> m_fields;
    QString m_strTable;
    int m_nKeyField = -1;
    std::unique_ptr<CDaoStatement> m_fetch;
    // A forward walk reads the next rows in one statement: one read transaction (or one
    // round trip to a server) instead of one per row. Rows read ahead are dropped as soon
    // as the database's connection writes.
    int m_nReadAhead = 0;
    std::unique_ptr<CDaoStatement> m_fetchAhead;
    std::unordered_map<qint64, std::vector<Value>> m_ahead;
    qint64 m_nAheadChanges = -1;
    std::vector<qint64> m_keys;
    long m_nCurrent = -1; // index into m_keys; -1 before the first, size() after the last
    long m_nMaxReached = -1;
    bool m_bOpen = false;
    bool m_bCurrentDeleted = false;
    int m_nEditMode = dbEditNone;
    std::vector<Value> m_saved;
    // The current row's values as they were read: an Update stores only if the columns it
    // changes still hold them.
    std::vector<Value> m_read;
    qint64 m_lastModified = 0;
    bool m_bHasLastModified = false;
};
