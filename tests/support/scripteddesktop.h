#pragma once

#include "ui/desktop.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <optional>

// Answers save dialogs from a script and records the folders the program would
// show. A save dialog nobody scripted fails the test and is cancelled.
class ScriptedDesktop final : public Desktop
{
public:
    std::optional<QString> chooseSaveFile(QWidget *, const QString &caption,
                                          const QString &suggestedName, const QString &) override
    {
        asked.append(caption + u'|' + suggestedName);
        if (saveAnswers.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("unscripted save dialog: ") + caption), __FILE__,
                         __LINE__);
            return std::nullopt;
        }
        return saveAnswers.takeFirst();
    }
    bool openFolder(const QString &path) override
    {
        opened.append(path);
        return openWorks;
    }

    QList<std::optional<QString>> saveAnswers;
    QStringList asked;
    QStringList opened;
    bool openWorks = true;
};
