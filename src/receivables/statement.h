#pragma once

#include "core/money.h"
#include "printing/printouts.h"
#include "receivables/ledger.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class PrintEngine;
struct CustomerRecord;
struct PrintSettings;

namespace receivables {

struct StatementLine
{
    QString date; // as stored
    QString description;
    Money charge;
    Money payment;
    Money balance; // running
    bool operator==(const StatementLine &) const = default;
};

// One customer's entries of a date range: what was owed before it, each entry with
// the running balance, what is owed at its end and by age on that day. An entry
// whose date cannot be read is listed in every range (it cannot be placed before
// one), and entries dated after the range are left out.
struct Statement
{
    QString account;
    QStringList customer; // name and address lines
    QDate from;
    QDate to;
    Money broughtForward;
    QList<StatementLine> lines;
    Money balanceDue;
    Ageing ageing;
};

// The name and address lines a statement is sent to.
QStringList StatementAddress(const CustomerRecord &customer);

Statement MakeStatement(const Ledger &ledger, const QString &account,
                        const QStringList &customer, const QDate &from, const QDate &to);

// Draws the statement on a page set up for the job, under the business header of the
// printed invoice, on as many pages as it needs; the caller ends the document.
void PrintStatement(PrintEngine &engine, const Statement &statement, const QDate &today);

// The whole job: asks for a printer, prints, ends the document. A cancelled dialog
// prints nothing and says so; a failing printer says "A Print Error has occurred".
Printouts::Outcome PrintStatementJob(PageSource &pages, Prompts &prompts,
                                     const PrintSettings &settings, const DataFolder &data,
                                     const Statement &statement, const QDate &today);

} // namespace receivables
