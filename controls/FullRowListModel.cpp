#include "controls/FullRowListModel.h"

#include <algorithm>
#include <QSize>

int CFullRowListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CFullRowListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant CFullRowListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !IsRow(index.row())) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return Text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(index.column()) | Qt::AlignVCenter);
    case Qt::SizeHintRole:
        return QSize(0, m_nRowHeight);
    default:
        return {};
    }
}

QVariant CFullRowListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_columns.size())) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return m_columns[section].strHeading;
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(m_columns[section].alignment | Qt::AlignVCenter);
    }
    return {};
}

int CFullRowListModel::InsertColumn(int nCol, const QString& strHeading, Qt::Alignment alignment) {
    if (nCol < 0) {
        return -1;
    }
    // A list control appends a column asked for beyond the last one, and always aligns its
    // first column to the left.
    nCol = std::min(nCol, int(m_columns.size()));
    if (nCol == 0) {
        alignment = Qt::AlignLeft;
    }
    beginInsertColumns({}, nCol, nCol);
    m_columns.insert(m_columns.begin() + nCol, {strHeading, alignment});
    for (Row& row : m_rows) {
        if (nCol < row.texts.size()) {
            row.texts.insert(nCol, QString());
        }
    }
    endInsertColumns();
    return nCol;
}

int CFullRowListModel::InsertRow(int nRow, const QString& strText, int nImage) {
    if (nRow < 0) {
        return -1;
    }
    nRow = std::min(nRow, int(m_rows.size()));
    beginInsertRows({}, nRow, nRow);
    m_rows.insert(m_rows.begin() + nRow, Row{QStringList{strText}, nImage, 0});
    endInsertRows();
    return nRow;
}

bool CFullRowListModel::SetText(int nRow, int nCol, const QString& strText) {
    if (!IsRow(nRow) || nCol < 0 || nCol >= int(m_columns.size())) {
        return false;
    }
    QStringList& texts = m_rows[nRow].texts;
    while (texts.size() <= nCol) {
        texts.append(QString());
    }
    texts[nCol] = strText;
    const QModelIndex cell = index(nRow, nCol);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
    return true;
}

QString CFullRowListModel::Text(int nRow, int nCol) const {
    if (!IsRow(nRow) || nCol < 0 || nCol >= m_rows[nRow].texts.size()) {
        return {};
    }
    return m_rows[nRow].texts[nCol];
}

int CFullRowListModel::Image(int nRow) const {
    return IsRow(nRow) ? m_rows[nRow].nImage : -1;
}

bool CFullRowListModel::SetUserData(int nRow, qintptr data) {
    if (!IsRow(nRow)) {
        return false;
    }
    m_rows[nRow].data = data;
    return true;
}

qintptr CFullRowListModel::UserData(int nRow) const {
    return IsRow(nRow) ? m_rows[nRow].data : 0;
}

Qt::Alignment CFullRowListModel::ColumnAlignment(int nCol) const {
    if (nCol < 0 || nCol >= int(m_columns.size())) {
        return Qt::AlignLeft;
    }
    return m_columns[nCol].alignment;
}

bool CFullRowListModel::RemoveRow(int nRow) {
    if (!IsRow(nRow)) {
        return false;
    }
    beginRemoveRows({}, nRow, nRow);
    m_rows.erase(m_rows.begin() + nRow);
    endRemoveRows();
    return true;
}

void CFullRowListModel::RemoveAllRows() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void CFullRowListModel::SetRowHeight(int nHeight) {
    if (nHeight == m_nRowHeight) {
        return;
    }
    m_nRowHeight = nHeight;
    if (!m_rows.empty()) {
        emit layoutChanged();
    }
}
