#include "ui/desktop.h"

#include "core/csv.h"
#include "core/prompts.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

std::optional<QString> QtDesktop::chooseSaveFile(QWidget *parent, const QString &caption,
                                                 const QString &suggestedName,
                                                 const QString &filter)
{
    const QString start =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(suggestedName);
    const QString chosen = QFileDialog::getSaveFileName(parent, caption, start, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

bool QtDesktop::openFolder(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

namespace ui {

void exportCsv(QWidget *parent, Desktop &desktop, Prompts &prompts, const QString &suggestedName,
               const QList<QStringList> &rows)
{
    const QString title = QStringLiteral("Export to CSV");
    std::optional<QString> chosen = desktop.chooseSaveFile(
        parent, title, suggestedName, QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!chosen || chosen->isEmpty())
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (const std::optional<QString> failed = csv::writeFile(path, rows)) {
        prompts.tell(QStringLiteral("The file could not be written:\r\n") +
                         QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + *failed,
                     title);
    }
}

} // namespace ui
