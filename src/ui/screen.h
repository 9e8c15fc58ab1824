#pragma once

#include <QWidget>

// A top-level screen of the program. Navigation shows it with navigateTo(), which
// runs Form_Activate; closing it with its close box asks the program to end.
// Its size and position are kept under the program key of the screen.
class Screen : public QWidget
{
    Q_OBJECT
public:
    Screen(QString settingsKey, QWidget *parent = nullptr);
    ~Screen() override;

    // Shows the screen in front and runs its activation.
    void navigateTo();
    // Hides or closes the screen without ending the program.
    void closeByProgram();
    virtual void Form_Activate() {}
    // The program is about to end (the close box of any screen included): keep what
    // the operator was editing, as leaving the screen would, without asking anything.
    virtual void programEnding() {}

    // True when a saved size and position was found; otherwise the screen is
    // centred the first time it is shown.
    bool restoreGeometryFromSettings();
    void saveGeometryToSettings() const;

signals:
    // The operator closed the window (close box, window menu, Alt+F4).
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QString m_settingsKey;
    bool m_placed = false;
    bool m_closingByProgram = false;
};
