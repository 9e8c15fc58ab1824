#pragma once

#include "ui/screen.h"

class Navigator;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

// The welcome window: product name and version, then the main menu or, on a first start,
// an invitation to set up the business.
class frmSplash final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplash)
public:
    explicit frmSplash(Navigator &navigator, QWidget *parent = nullptr);
    ~frmSplash() override;

    // "Version " and the major, minor and revision numbers joined by ".".
    static QString versionText();

    void cmdContinue_Click();
    void imgWelcome_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Navigator &m_navigator;

    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QPushButton *cmdContinue = nullptr;
    QFrame *fraWelcome = nullptr;
    QToolButton *imgWelcome = nullptr;
    QLabel *lblWelcome = nullptr;
};
