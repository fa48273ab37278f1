#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

// The ordered site list: one entry text and a tick per row. Ticked rows take
// part in downloading. Views show it with check boxes; the current site's
// row is drawn bold.
class SiteListModel : public QAbstractListModel {
    Q_OBJECT
public:
    struct Row {
        QString text;
        bool ticked = true;
        bool operator==(const Row&) const = default;
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return int(m_rows.size()); }
    const QList<Row>& rows() const { return m_rows; }
    void setRows(const QList<Row>& rows);
    void appendRow(const QString& text, bool ticked);
    QString textAt(int row) const;
    void setTicked(int row, bool ticked);

    QString SiteNameAt(int row) const;
    QString SiteURLAt(int row) const;
    bool SiteHasGIFAt(int row) const;
    // Rows that do not exist count as unticked.
    bool SiteSelected(int row) const;
    // True when at least one row is ticked.
    bool Check4CurrentSite() const;

    // Replaces the list with the file's entries ("*" marks an unticked row,
    // empty lines are skipped); false, with an empty list, when unreadable.
    bool LoadSiteList(const QString& path);
    // Writes the list, "*" before unticked rows; false when it cannot.
    bool SaveSiteList(const QString& path) const;
    // The first-run list: every line of the default file as it stands, each
    // ticked unless it mentions "BIKINI"; false when the file is unreadable.
    bool LoadDefaultSiteList(const QString& path);

    // The row drawn bold; -1 or a row that does not exist draws none.
    void setCurrentRow(int row);

private:
    QList<Row> m_rows;
    int m_currentRow = -1;
};
