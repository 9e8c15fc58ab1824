#include "ui/screen.h"

#include <QCloseEvent>
#include <QScreen>
#include <QSettings>

Screen::Screen(QString settingsKey, QWidget *parent)
    : QWidget(parent, Qt::Window), m_settingsKey(std::move(settingsKey))
{
}

Screen::~Screen() = default;

void Screen::navigateTo()
{
    show();
    raise();
    activateWindow();
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
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
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
