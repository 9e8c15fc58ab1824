#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Text record files: comma-separated fields, one record a line, CR LF.
// Text is quoted (a quote inside is not escaped), numbers bare with ".",
// booleans #TRUE#/#FALSE#, flags -1/0.
class TextRecordWriter final
{
public:
    TextRecordWriter &text(const QString &value);
    TextRecordWriter &number(qint64 value);
    TextRecordWriter &decimal(double value);
    TextRecordWriter &boolean(bool value);
    // 16-bit flag: -1 for true, 0 for false.
    TextRecordWriter &flag(bool value);
    // Ends the current record with CR LF.
    TextRecordWriter &endRecord();
    // A plain line (line-file style) in a mixed file, CR LF added.
    TextRecordWriter &line(const QString &value);

    // The bytes written so far, in Windows-1252; an unfinished record is ended.
    QByteArray bytes() const;

private:
    void separate();
    QByteArray m_bytes;
    bool m_inRecord = false;
};

// Reads fields in order; reading past the last field of a line continues on the
// next line. A missing field reads as nullopt, never a crash.
class TextRecordReader final
{
public:
    explicit TextRecordReader(QByteArray bytes);

    bool atEnd() const;
    // The next field as raw text: a quoted field runs to its closing quote (commas
    // are data); an unquoted one to the next comma or line end, trimmed.
    std::optional<QString> field();
    std::optional<QString> text() { return field(); }
    // Numbers accept a bare or quoted value; nullopt when absent or not a number.
    std::optional<double> decimal();
    std::optional<qint64> number();
    // #TRUE#/#FALSE#, also quoted, or a number (non-zero is true).
    std::optional<bool> boolean();
    // The rest of the current line without its line end (line-file style).
    std::optional<QString> line();

private:
    bool fieldWasQuoted() const { return m_lastQuoted; }
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_lastQuoted = false;
};
