#pragma once

#include "ui/desktop.h"

#include <QTest>

// Answers save dialogs from a script (one nobody scripted fails the test) and
// records the folders the program would show.
class ScriptedDesktop final : public Desktop
{
public:
    std::optional<QString> chooseSaveFile(QWidget *, const QString &caption,
                                          const QString &suggestedName, const QString &) override
    {
        asked.append(caption + u'|' + suggestedName);
        if (saveAnswers.isEmpty())
            QTest::qFail(qPrintable("unscripted save dialog: " + caption), __FILE__, __LINE__);
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
    }
    bool openFolder(const QString &path) override
    {
        opened.append(path);
        return true;
    }

    QList<std::optional<QString>> saveAnswers;
    QStringList asked;
    QStringList opened;
};
