#pragma once

#include "core/money.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

// One record of a fixed-length record file. Reads beyond the bytes held yield
// blanks and zeros, so a record cut short by the end of the file never crashes.
class FixedRecord final
{
public:
    explicit FixedRecord(int length);
    FixedRecord(int length, QByteArray bytes);

    int length() const { return int(m_bytes.size()); }
    const QByteArray &bytes() const { return m_bytes; }

    // Text of width w: Windows-1252, padded with blanks, cut at w. Read back
    // trimmed of padding blanks (and of the zeros of a cut-short record).
    QString text(int offset, int width) const;
    QString rawText(int offset, int width) const;
    void setText(int offset, int width, const QString &value);

    qint16 int16(int offset) const;
    void setInt16(int offset, qint16 value);
    qint32 int32(int offset) const;
    void setInt32(int offset, qint32 value);
    // IEEE double, little-endian.
    double float64(int offset) const;
    void setFloat64(int offset, double value);
    float float32(int offset) const;
    void setFloat32(int offset, float value);
    // Days since 30 December 1899, the time of day as fraction.
    QDateTime dateTime(int offset) const;
    QDate date(int offset) const { return dateTime(offset).date(); }
    void setDateTime(int offset, const QDateTime &value);
    void setDate(int offset, const QDate &value);
    // Amount × 10,000 as a signed 64-bit integer.
    Money money(int offset) const;
    void setMoney(int offset, Money value);

    static double toSerialDate(const QDateTime &value);
    static QDateTime fromSerialDate(double days);

private:
    QByteArray m_bytes;
};

// A fixed-length record file opened for reading and writing (created when absent).
// Record n counts from 1; writing record count + 1 appends.
class FixedRecordFile final
{
public:
    FixedRecordFile(const QString &absolutePath, int recordLength);
    bool open();
    bool isOpen() const { return m_file.isOpen(); }
    // File length / record length, ties to even (as RecordCount).
    qint64 count() const;
    FixedRecord read(qint64 number);
    bool write(qint64 number, const FixedRecord &record);
    bool append(const FixedRecord &record) { return write(count() + 1, record); }
    QString errorString() const { return m_file.errorString(); }

private:
    QFile m_file;
    int m_length;
};
