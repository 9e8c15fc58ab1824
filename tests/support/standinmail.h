#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in `xdg-email` first on PATH while it lives: records its arguments and
// exits with the code asked for.
class StandInMail final
{
public:
    StandInMail() : m_path(qgetenv("PATH"))
    {
        QFile script(m_dir.filePath(QStringLiteral("xdg-email")));
        if (script.open(QIODevice::WriteOnly))
            script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$MAIL_RECORD\"\n"
                         "exit ${MAIL_EXIT:-0}\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("MAIL_RECORD", record().toLocal8Bit());
        failWith(0);
        qputenv("PATH", m_dir.path().toLocal8Bit() + ':' + m_path);
    }
    ~StandInMail() { qputenv("PATH", m_path); }

    void failWith(int code) { qputenv("MAIL_EXIT", QByteArray::number(code)); }
    // No xdg-email anywhere on PATH.
    void remove() { qputenv("PATH", m_dir.filePath(QStringLiteral("none")).toLocal8Bit()); }
    bool called() const { return QFile::exists(record()); }
    QStringList arguments() const
    {
        QFile file(record());
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QStringList out = QString::fromUtf8(bytes).split(QChar(0));
        out.removeLast(); // after the last terminator
        return out;
    }

private:
    QString record() const { return m_dir.filePath(QStringLiteral("arguments")); }
    QTemporaryDir m_dir;
    QByteArray m_path;
};
