#include "sites/SiteListModel.h"

#include "platform/TextFile.h"
#include "platform/Texts.h"
#include "sites/SiteEntry.h"

#include <QFont>

int SiteListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant SiteListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const Row& row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return GetSiteName(row.text);
    case Qt::ToolTipRole:
        return GetSiteURL(row.text);
    case Qt::CheckStateRole:
        return row.ticked ? Qt::Checked : Qt::Unchecked;
    case Qt::FontRole: {
        QFont font;
        font.setBold(index.row() == m_currentRow);
        return font;
    }
    default:
        return {};
    }
}

bool SiteListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= count() || role != Qt::CheckStateRole)
        return false;
    setTicked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags SiteListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void SiteListModel::setRows(const QList<Row>& rows) {
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void SiteListModel::appendRow(const QString& text, bool ticked) {
    beginInsertRows({}, count(), count());
    m_rows.append({text, ticked});
    endInsertRows();
}

QString SiteListModel::textAt(int row) const {
    return row >= 0 && row < count() ? m_rows[row].text : QString();
}

void SiteListModel::setTicked(int row, bool ticked) {
    if (row < 0 || row >= count() || m_rows[row].ticked == ticked)
        return;
    m_rows[row].ticked = ticked;
    const QModelIndex at = index(row);
    emit dataChanged(at, at, {Qt::CheckStateRole});
}

QString SiteListModel::SiteNameAt(int row) const {
    return GetSiteName(textAt(row));
}

QString SiteListModel::SiteURLAt(int row) const {
    return GetSiteURL(textAt(row));
}

bool SiteListModel::SiteHasGIFAt(int row) const {
    return GetSiteHasGIF(textAt(row));
}

bool SiteListModel::SiteSelected(int row) const {
    return row >= 0 && row < count() && m_rows[row].ticked;
}

bool SiteListModel::Check4CurrentSite() const {
    for (const Row& row : m_rows)
        if (row.ticked)
            return true;
    return false;
}

bool SiteListModel::LoadSiteList(const QString& path) {
    const std::optional<QStringList> lines = ReadTextLines(path);
    QList<Row> rows;
    for (const QString& line : lines.value_or(QStringList())) {
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'*'))
            rows.append({line.mid(1), false});
        else
            rows.append({line, true});
    }
    setRows(rows);
    return lines.has_value();
}

bool SiteListModel::SaveSiteList(const QString& path) const {
    QStringList lines;
    for (const Row& row : m_rows)
        lines.append(row.ticked ? row.text : "*" + row.text);
    return WriteTextLines(path, lines);
}

bool SiteListModel::LoadDefaultSiteList(const QString& path) {
    const std::optional<QStringList> lines = ReadTextLines(path);
    QList<Row> rows;
    for (const QString& line : lines.value_or(QStringList()))
        rows.append({line, !ContainsText("BIKINI", line)});
    setRows(rows);
    return lines.has_value();
}

void SiteListModel::setCurrentRow(int row) {
    m_currentRow = row;
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {Qt::FontRole});
}
