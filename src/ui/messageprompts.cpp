#include "ui/messageprompts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString titleOrDefault(const QString &title)
{
    return title.isEmpty() ? DefaultMessageTitle : title;
}

// Without a window manager nothing gives the keyboard back to the window a box was
// shown over, and every key the operator typed next would go nowhere.
void giveKeyboardBack(QWidget *window)
{
    if (window && window->isVisible())
        window->activateWindow();
}

int runBox(const QString &text, const QString &title, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton, QMessageBox::Icon icon = QMessageBox::NoIcon)
{
    auto box = makeMessageBox(text, title, buttons, defaultButton);
    box->setIcon(icon);
    const int answer = box->exec();
    giveKeyboardBack(box->parentWidget());
    return answer;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const QString &text, const QString &title,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, titleOrDefault(title), text,
                                             buttons, QApplication::activeWindow());
    box->setDefaultButton(defaultButton);
    // A message box sizes itself to its text; a short text cut the title bar's title
    // ("Pelmo… voicer"). Room for the title in a bold face, the window icon and the
    // title bar's buttons keeps it whole. The box fixes its own size, so the width is
    // asked for with a spacer in its grid.
    QFont titleFont = box->font();
    titleFont.setBold(true);
    constexpr int TitleBarAllowance = 160;
    const int wanted =
        QFontMetrics(titleFont).horizontalAdvance(box->windowTitle()) + TitleBarAllowance;
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

void MessagePrompts::tell(const QString &text, const QString &title)
{
    runBox(text, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessagePrompts::ask(const QString &text, const QString &title)
{
    return runBox(text, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

bool MessagePrompts::askToDestroy(const QString &text, const QString &title)
{
    return runBox(text, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

bool MessagePrompts::askOkCancel(const QString &text, const QString &title)
{
    return runBox(text, title, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) ==
           QMessageBox::Ok;
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
    QWidget *over = QApplication::activeWindow();
    const QString text = QInputDialog::getText(over, titleOrDefault(title), prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    giveKeyboardBack(over);
    if (!ok)
        return std::nullopt;
    return text;
}

void MessagePrompts::beep()
{
    QApplication::beep();
}
