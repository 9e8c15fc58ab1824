#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Text record files: comma-separated fields, one record a line, CR LF, Windows-1252.
// Text is quoted (a quote inside is not escaped), numbers bare with ".",
// booleans #TRUE#/#FALSE#, flags -1/0.
class TextRecordWriter final
{
public:
    // A quote or a line break inside the text would shift every later field of the
    // file, so a quote is written as an apostrophe and a line break as a blank;
    // altered() then tells the caller the stored text differs from the value.
    TextRecordWriter &text(const QString &value);
    TextRecordWriter &number(qint64 value);
    // Bare, "." whatever the locale, the shortest text that reads back as the same
    // double, no exponent, no leading zero below one (".5", "-.25").
    TextRecordWriter &decimal(double value);
    // As decimal(), with the shortest text of the single-precision value.
    TextRecordWriter &single(float value);
    TextRecordWriter &boolean(bool value);
    // 16-bit flag: -1 for true, 0 for false.
    TextRecordWriter &flag(bool value);
    // Ends the current record with CR LF.
    TextRecordWriter &endRecord();
    // A plain line (line-file style) in a mixed file, CR LF added; an unfinished
    // record is ended first.
    TextRecordWriter &line(const QString &value);

    // The bytes written so far; an unfinished record is ended.
    QByteArray bytes() const;
    // True when a text had to be changed to keep the record readable.
    bool altered() const { return m_altered; }

    // The number text shared by decimal() and single().
    static QByteArray formatDecimal(double value);
    static QByteArray formatSingle(float value);

private:
    void separate();
    void appendBare(const QByteArray &bare);
    QByteArray m_bytes;
    bool m_inRecord = false;
    bool m_altered = false;
};

// Reads fields in order, as the classic sequential reader does:
// - leading blanks are skipped;
// - a quoted field runs to its closing quote (commas are data), or to the line end
//   when the quote is missing; anything after the closing quote up to the next
//   comma or line end is skipped;
// - an unquoted field runs to the next comma or line end and is trimmed;
// - reading past the last field of a line continues on the next line;
// - a blank line is one empty field (a plain empty value of a mixed file keeps its
//   place), but blank lines at the end of the data hold no field;
// - CR LF and LF both end a line; the last line needs no line end.
// A field that is not of the asked type reads as nullopt and is still consumed;
// a missing field reads as nullopt. No bytes make it crash.
class TextRecordReader final
{
public:
    explicit TextRecordReader(QByteArray bytes);

    // True when no field is left (only blanks and line ends remain).
    bool atEnd() const;
    // The next field as text.
    std::optional<QString> field();
    std::optional<QString> text() { return field(); }
    // A bare or quoted number ("12.5", "-.25", "1E+20"); a currency text is not
    // one (the caller parses it with the regional rules).
    std::optional<double> decimal();
    // As decimal(), rounded to a whole number ties to even; nullopt beyond 64 bits.
    std::optional<qint64> number();
    // #TRUE#/#FALSE# or True/False (any case, bare or quoted), or a number
    // (non-zero is true).
    std::optional<bool> boolean();
    // The rest of the current line without its line end (line-file style); after a
    // field that ended its line, the whole next line. nullopt past the last byte.
    std::optional<QString> line();

    // Whether the last field read was quoted.
    bool lastFieldQuoted() const { return m_lastQuoted; }

    static std::optional<double> parseDecimal(const QString &text);
    // Ties to even; nullopt beyond 64 bits.
    static std::optional<qint64> roundToEven(double value);

private:
    bool onlyBlanksRemain() const;
    qsizetype lineEndFrom(qsizetype from) const;
    qsizetype contentEndOf(qsizetype lineEnd) const;
    qsizetype find(char c, qsizetype from, qsizetype to) const;
    void consumeLineEnd();

    QByteArray m_bytes;
    qsizetype m_pos = 0;
    // A comma was read: one more field follows on this line, even if empty.
    bool m_pending = false;
    bool m_lastQuoted = false;
};
