#pragma once

#include "ui/navigator.h"
#include "ui/screen.h"

#include <QString>

class DataFolder;
class Prompts;
class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

// The main menu: seven routines offered as options, enabled by the data on disk.
class frmStartup final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmStartup)
public:
    static constexpr int RoutineCount = 7;

    frmStartup(DataFolder &data, Prompts &prompts, Navigator &navigator, QWidget *parent = nullptr);
    ~frmStartup() override;

    void Form_Activate() override;

    void optMainMenuSub_DblClick(int index);
    void cmdGoto_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenuBar();
    void buildControls();
    void setOptionSelected(int index, bool selected);
    void moveSelection(int from, int step);
    void askThenOpen(const QString &text, const QString &title, const QString &address);

    void mnuCreate_Click();
    void mnuExit_Click();
    void mnuHelp_Click();

    DataFolder &m_data;
    Prompts &m_prompts;
    Navigator &m_navigator;

    QMenuBar *m_menuBar = nullptr;
    QMenu *m_filesMenu = nullptr;
    QMenu *m_orderFormsMenu = nullptr;
    QAction *mnuCreate = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuDeluxeForms = nullptr;
    QAction *mnuDeluxe = nullptr;
    QAction *mnuDepositSlips = nullptr;
    QAction *mnuPPaper = nullptr;
    QAction *mnuPPPaper = nullptr;
    QAction *mnuGraytex = nullptr;
    QAction *mnuAddress = nullptr;
    QAction *mnuLabels = nullptr;
    QAction *mnuHelp = nullptr;
    QMenu *mnuAccounts = nullptr;
    QAction *mnuBalances = nullptr;

    QRadioButton *optMainMenuSub[RoutineCount] = {};
    QButtonGroup *m_routines = nullptr;
    QPushButton *cmdGoto = nullptr;
    QLabel *lblIncomplete = nullptr;
    QGroupBox *fraInstructions = nullptr;
};
