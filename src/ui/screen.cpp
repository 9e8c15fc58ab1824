#include "ui/screen.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QToolButton>

namespace {

// Keys that work the buttons of every screen the same way.
class ScreenKeys final : public QObject
{
public:
    static void install()
    {
        static ScreenKeys *keys = nullptr;
        if (!keys && qApp) {
            keys = new ScreenKeys(qApp);
            qApp->installEventFilter(keys);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Shortcut && type != QEvent::KeyPress)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !qobject_cast<Screen *>(button->window()) || !button->isEnabled())
            return false;
        if (type == QEvent::Shortcut) {
            // Qt starts a button from its mnemonic without moving the cursor, so the box
            // the operator was typing in would never be left: take the focus first, as
            // a click does, and the box's leave rules run before the button acts.
            if ((button->focusPolicy() & Qt::ClickFocus) && !button->hasFocus())
                button->setFocus(Qt::ShortcutFocusReason);
            return false;
        }
        // Enter presses the focused button, as Space does.
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (!enter || modifiers != Qt::NoModifier || !button->hasFocus() ||
            !(qobject_cast<QPushButton *>(button) || qobject_cast<QToolButton *>(button)))
            return false;
        button->click();
        return true;
    }

private:
    using QObject::QObject;
};

} // namespace

Screen::Screen(QString settingsKey, QWidget *parent)
    : QWidget(parent, Qt::Window), m_settingsKey(std::move(settingsKey))
{
    ScreenKeys::install();
}

Screen::~Screen() = default;

void Screen::navigateTo()
{
    show();
    raise();
    activateWindow();
    // Qt draws the focus frame of buttons, checks and options only after a key has moved
    // the focus in this window; the operator arriving by keyboard must see at once
    // where the cursor is.
    setAttribute(Qt::WA_KeyboardFocusChange);
    Form_Activate();
}

void Screen::closeByProgram()
{
    m_closingByProgram = true;
    // Inside the operator's own close of this window, close() is refused: hide instead.
    close();
    if (isVisible()) {
        saveGeometryToSettings();
        hide();
    }
    m_closingByProgram = false;
}

bool Screen::restoreGeometryFromSettings()
{
    QSettings settings(QStringLiteral("Pelmor"), m_settingsKey);
    const QByteArray geometry =
        settings.value(objectName() + QStringLiteral("/geometry")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        return false;
    // A size no screen holds (saved while a damaged file's text stretched the window)
    // would be painted at every later start: keep the window within the screen.
    if (const QScreen *where = screen()) {
        const QSize room = where->availableGeometry().size();
        if (width() > room.width() || height() > room.height()) {
            resize(size().boundedTo(room));
            return false;
        }
    }
    m_placed = true;
    return true;
}

void Screen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen *where = screen()) {
        // A size made for a larger monitor would put the top of the window, with its
        // menu bar, above the screen: keep the whole window on it.
        const QRect room = where->availableGeometry();
        const QSize frameExtra = frameGeometry().size() - size();
        resize(size().boundedTo(room.size() - frameExtra).expandedTo(minimumSize()));
        QRect frame = frameGeometry();
        frame.moveCenter(room.center());
        move(std::max(frame.left(), room.left()), std::max(frame.top(), room.top()));
    }
}

void Screen::saveGeometryToSettings() const
{
    // A screen never shown in this run and with nothing restored has no place of its
    // own yet; saving Qt's default would pin it to the corner from then on.
    if (!m_placed)
        return;
    QSettings settings(QStringLiteral("Pelmor"), m_settingsKey);
    settings.setValue(objectName() + QStringLiteral("/geometry"), saveGeometry());
}

void Screen::closeEvent(QCloseEvent *event)
{
    saveGeometryToSettings();
    if (m_closingByProgram) {
        event->accept();
        return;
    }
    // The operator's close ends the whole program; the program closes us itself.
    event->ignore();
    emit closeRequested();
}
