#pragma once

#include "invoice/partialinvoice.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class DataFolder;
struct ApplicationState;

// The list of partial invoices: one row per file, from the file's first four lines.
// The count is kept here, so the main menu never lists the folder.
class IncompleteInvoices final : public QObject
{
    Q_OBJECT
public:
    struct Row
    {
        QString fileName; // as found in the folder; every path is built from it
        QString number;   // the four columns: invoice number, account, name, date
        QString account;
        QString name;
        QString date;
        QStringList cells() const { return {number, account, name, date}; }
    };

    explicit IncompleteInvoices(const DataFolder &data, QObject *parent = nullptr);

    // Rebuilds the rows from the folder.
    void LoadIncomplete();
    int IncompleteCount() const { return int(m_rows.size()); }
    const QList<Row> &rows() const { return m_rows; }

    // Reads the row's file into a fresh document, checked; CreationDate from the
    // row's date (today when it is not one). The error names the invoice.
    partialinvoice::Loaded load(int row, const QDate &today) const;

    // Loads the row into the invoice being built, as the list's "Add" does: the
    // document is replaced only when the file passed every check, and then the
    // resumed flag is set. The message for the operator when it was not loaded (the
    // list is then rebuilt).
    std::optional<QString> resume(int row, InvoiceDocument &invoice, ApplicationState &state,
                                  const QDate &today);

    // Deletes the row's file (by its own name) and rebuilds the list.
    void purge(int row);
    // Deletes every file of the folder and rebuilds the list.
    void purgeAll();
    // Deletes the partial file of that number, if any, and rebuilds the list.
    void purgeNumber(const QString &invoiceNumber);
    // A resumed invoice was posted: the file it was loaded from goes (whatever row is
    // selected now) and the list is rebuilt.
    void PostedResumed();
    // The file the last resume() loaded; empty when none.
    const QString &resumedFile() const { return m_resumedFile; }

signals:
    void changed();

private:
    const DataFolder &m_data;
    QList<Row> m_rows;
    QString m_resumedFile;
};
