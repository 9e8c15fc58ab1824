#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Prompts;
class QWidget;

// What the screens ask of the desktop besides printing: a file to save to and a
// folder shown in the file manager. Tests answer from a script.
class Desktop
{
public:
    virtual ~Desktop() = default;
    // `filter` in Qt's form ("CSV files (*.csv)"); nullopt when the operator cancels.
    virtual std::optional<QString> chooseSaveFile(QWidget *parent, const QString &caption,
                                                  const QString &suggestedName,
                                                  const QString &filter) = 0;
    // False when nothing could show the folder.
    virtual bool openFolder(const QString &path) = 0;
};

// QFileDialog (starting in the documents folder) and the desktop's URL opener.
class QtDesktop final : public Desktop
{
public:
    std::optional<QString> chooseSaveFile(QWidget *parent, const QString &caption,
                                          const QString &suggestedName,
                                          const QString &filter) override;
    bool openFolder(const QString &path) override;
};

namespace ui {

// "Export to CSV…": asks where, then writes the table; a file that cannot be written
// is reported and leaves nothing behind.
inline const QString ExportCsvCaption = QStringLiteral("Export to CSV\u2026");
void exportCsv(QWidget *parent, Desktop &desktop, Prompts &prompts, const QString &suggestedName,
               const QList<QStringList> &rows);

} // namespace ui
