#pragma once

#include "invoice/invoicedocument.h"

#include <QAbstractTableModel>
#include <QObject>
#include <QString>

class Clock;

// The invoice being built, as the invoice screen edits it. Line operations take line
// numbers 1 to LineCount (grid rows) and refuse anything outside them; every change
// is announced, so the grid and the enabled states follow.
class InvoiceSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InvoiceSession)
public:
    InvoiceSession(InvoiceDocument &document, const Clock &clock, QObject *parent = nullptr);

    InvoiceDocument &document() { return m_doc; }
    const InvoiceDocument &document() const { return m_doc; }
    int LineCount() const { return m_doc.LineCount(); }
    bool isFull() const { return LineCount() >= InvoiceDocument::MaxLines; }
    bool hasLine(int n) const { return n >= 1 && n <= LineCount(); }
    // Empty outside 1 to LineCount.
    InvoiceLine line(int n) const;

    // False, and nothing is written, when the invoice already holds 100 lines.
    bool addLine(const InvoiceLine &line);
    // Empties the lines and the amounts; for a new invoice also the reference. The
    // sold-to block and account stay: the hand-over sets them before activation.
    void ClearInvoice(bool newInvoice);

    bool deleteLine(int n);
    // The arrows act only on a line with units; down only onto a line with units.
    bool canMove(int n) const;
    bool moveUp(int n);
    bool moveDown(int n);
    // A click in the taxable column of a line with units.
    bool toggleTaxable(int n);
    bool setLineDate(int n, const QString &date);

    // A key typed on a grid cell (Backspace is 8).
    struct KeyResult
    {
        bool changed = false;
        bool beep = false;
        QString message; // shown when not empty
    };
    static QString laborEditMessage();
    KeyResult gridKey(int n, int column, QChar key);
    // Enter released on a line: the price re-shown and the amount recomputed.
    KeyResult gridEnter(int n);

signals:
    // Lines first to last (1-based) changed; LineCount may have changed too.
    void linesChanged(int first, int last);
    void cleared();

private:
    void changed(int first, int last);

    InvoiceDocument &m_doc;
    const Clock &m_clock;
};

// The 100-row grid `fgInvoice` over the session's lines: a view, never edited in
// place (the key handlers edit through the session).
class InvoiceLinesModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit InvoiceLinesModel(InvoiceSession &session, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    InvoiceSession &m_session;
};
