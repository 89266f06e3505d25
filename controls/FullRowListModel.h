#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

// The rows of a full-row list as a list control keeps them: a text per column, an image
// index and a number of the caller's own per row, and per column a heading and an alignment.
class CFullRowListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Each answers the index it used, or -1 when the position is out of range.
    int InsertColumn(int nCol, const QString& strHeading, Qt::Alignment alignment);
    int InsertRow(int nRow, const QString& strText, int nImage);

    bool SetText(int nRow, int nCol, const QString& strText);
    QString Text(int nRow, int nCol) const;
    int Image(int nRow) const;
    bool SetUserData(int nRow, qintptr data);
    qintptr UserData(int nRow) const;
    Qt::Alignment ColumnAlignment(int nCol) const;

    bool RemoveRow(int nRow);
    void RemoveAllRows();
    void SetRowHeight(int nHeight);

private:
    struct Row {
        QStringList texts;
        int nImage = -1;
        qintptr data = 0;
    };
    struct Column {
        QString strHeading;
        Qt::Alignment alignment;
    };

    bool IsRow(int nRow) const { return nRow >= 0 && nRow < int(m_rows.size()); }

    std::vector<Row> m_rows;
    std::vector<Column> m_columns;
    int m_nRowHeight = 20;
};
