#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <algorithm>

// A word of a PDF's text layer as pdftotext sees it, in points from the page's
// top-left corner; pages count from 1.
struct PdfWord
{
    int page = 0;
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    double height() const { return yMax - yMin; }
};

inline QString pdfTool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

inline bool pdfToTextInstalled()
{
    return !pdfTool("pdftotext").isEmpty();
}

// Every word of the PDF; pageSizes, when given, receives "WIDTHxHEIGHT" in points
// for each page. Empty when pdftotext is missing or fails.
inline QList<PdfWord> pdfWords(const QString &pdf, QStringList *pageSizes = nullptr)
{
    QProcess process;
    process.start(pdfTool("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pattern(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)"|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
        R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = 0;
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (!match.captured(1).isEmpty()) {
            ++page;
            if (pageSizes)
                pageSizes->append(QString::number(qRound(match.captured(1).toDouble())) + u'x' +
                                  QString::number(qRound(match.captured(2).toDouble())));
            continue;
        }
        PdfWord word;
        word.page = page;
        word.xMin = match.captured(3).toDouble();
        word.yMin = match.captured(4).toDouble();
        word.xMax = match.captured(5).toDouble();
        word.yMax = match.captured(6).toDouble();
        word.text = match.captured(7)
                        .replace(QLatin1String("&lt;"), QLatin1String("<"))
                        .replace(QLatin1String("&gt;"), QLatin1String(">"))
                        .replace(QLatin1String("&quot;"), QLatin1String("\""))
                        .replace(QLatin1String("&amp;"), QLatin1String("&"));
        words.append(word);
    }
    return words;
}
