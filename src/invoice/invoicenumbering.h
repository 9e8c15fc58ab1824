#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class Clock;
class DataFolder;

// The number the next new invoice gets, kept in "/PIInvoiceNo.txt" as one bare whole
// number: the four-digit year followed by a sequence part.
class InvoiceNumbering final
{
public:
    static const QString NumberFile;
    static const QString CompletedFolder;  // "/CompletedInvoices"
    static const QString IncompleteFolder; // "/PelmorInvoicer/IncompleteInvoices"
    static const QString JournalFile;      // "/InvoiceSalesJournal.txt"
    // Invoice numbers name files and end in 32-bit fields; one is kept free so the
    // number after the largest still fits.
    static constexpr qint32 Largest = 2147483646;

    InvoiceNumbering(DataFolder &data, const Clock &clock);

    // The number proposed for a new invoice, written back at once. A damaged or zero
    // file restarts at year × 10,000; no file gives year × 10,000 + 1; a number whose
    // first four digits (as text) come before this year turns the year. Numbers that
    // already have an image or a partial invoice are passed over. A file that cannot
    // be read is left as it is.
    qint32 LoadNextInvoiceNumber();
    // Stores the number typed plus one; false when the text is no invoice number or
    // the file cannot be written.
    bool AdvanceInvoiceNumber(const QString &typed);
    bool WriteInvoiceNumber(qint32 number);

    // The number in the box when it is one a file may be named after, else nullopt.
    static std::optional<qint32> parseNumber(const QString &text);
    static QString invalidNumberMessage(const QString &text);
    // A refusal naming the number when it is not a valid number, or a completed
    // image, a partial invoice or a sales-journal record already carries it.
    std::optional<QString> checkNewNumber(const QString &text) const;

    bool hasImage(qint32 number) const;
    bool hasPartial(qint32 number) const;
    bool inJournal(qint32 number) const;

private:
    std::optional<qint64> storedValue(bool &unreadable) const;

    DataFolder &m_data;
    const Clock &m_clock;
};
