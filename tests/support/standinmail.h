#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in `xdg-email` first on PATH for as long as it lives: it records the
// arguments it gets and exits with the code asked for.
class StandInMail final
{
public:
    StandInMail() : m_path(qgetenv("PATH"))
    {
        QFile script(m_dir.filePath(QStringLiteral("xdg-email")));
        if (script.open(QIODevice::WriteOnly)) {
            script.write("#!/bin/sh\n"
                         "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$MAIL_RECORD\"\n"
                         "exit ${MAIL_EXIT:-0}\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("MAIL_RECORD", record().toLocal8Bit());
        qputenv("MAIL_EXIT", "0");
        qputenv("PATH", m_dir.path().toLocal8Bit() + ':' + m_path);
    }
    ~StandInMail() { qputenv("PATH", m_path); }
    StandInMail(const StandInMail &) = delete;
    StandInMail &operator=(const StandInMail &) = delete;

    void failWith(int code) { qputenv("MAIL_EXIT", QByteArray::number(code)); }
    // No xdg-email anywhere on PATH.
    void remove() { qputenv("PATH", m_dir.filePath(QStringLiteral("empty")).toLocal8Bit()); }

    bool called() const { return QFile::exists(record()); }
    QStringList arguments() const
    {
        QFile file(record());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QByteArray bytes = file.readAll();
        if (bytes.endsWith('\0'))
            bytes.chop(1);
        QStringList out;
        for (const QByteArray &argument : bytes.split('\0'))
            out.append(QString::fromUtf8(argument));
        return out;
    }

private:
    QString record() const { return m_dir.filePath(QStringLiteral("arguments")); }
    QTemporaryDir m_dir;
    QByteArray m_path;
};
