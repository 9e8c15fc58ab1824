#pragma once

#include "ui/screen.h"

#include <array>

class BusinessSettings;
class Navigator;
class Printouts;
class QLabel;
class QLineEdit;
class QPushButton;

// "Print Blank Invoices": empty invoice forms, dated today, for filling in by hand.
class frmBlanks final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmBlanks)
public:
    frmBlanks(Printouts &printouts, const BusinessSettings &settings, Navigator &navigator,
              QWidget *parent = nullptr);
    ~frmBlanks() override;

    void Form_Activate() override;
    // 0 prints, 1 returns to the main menu.
    void Command1_Click(int index);
    void PrintBlankForms();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Printouts &m_printouts;
    const BusinessSettings &m_settings;
    Navigator &m_navigator;

    QLabel *lblInvoices = nullptr;
    QLineEdit *txtInvoices = nullptr;
    std::array<QPushButton *, 2> Command1{};
};
