#include "ui/messageprompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString titleOrDefault(const QString &title)
{
    return title.isEmpty() ? DefaultMessageTitle : title;
}

int runBox(const QString &text, const QString &title, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton, QMessageBox::Icon icon = QMessageBox::NoIcon)
{
    QMessageBox box(icon, titleOrDefault(title), text, buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void MessagePrompts::tell(const QString &text, const QString &title)
{
    runBox(text, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessagePrompts::ask(const QString &text, const QString &title)
{
    return runBox(text, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

bool MessagePrompts::askOkCancel(const QString &text, const QString &title)
{
    return runBox(text, title, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
           == QMessageBox::Ok;
}

bool MessagePrompts::askOkCancelWarning(const QString &text, const QString &title)
{
    return runBox(text, title, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
                  QMessageBox::Warning) == QMessageBox::Ok;
}

std::optional<QString> MessagePrompts::input(const QString &prompt, const QString &title,
                                             const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), titleOrDefault(title),
                                               prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void MessagePrompts::beep()
{
    QApplication::beep();
}
