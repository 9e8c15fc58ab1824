#include "printing/frmblanks.h"

#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "setup/businesssettings.h"
#include "ui/navigator.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmBlanks::frmBlanks(Printouts &printouts, const BusinessSettings &settings,
                     Navigator &navigator, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_printouts(printouts),
      m_settings(settings), m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmBlanks"));
    setWindowTitle(QStringLiteral("Print Blank Invoices"));

    lblInvoices = new QLabel(QStringLiteral("Enter the Number of Invoices to Print"), this);
    lblInvoices->setObjectName(QStringLiteral("lblInvoices"));
    txtInvoices = new QLineEdit(this);
    txtInvoices->setObjectName(QStringLiteral("txtInvoices"));
    lblInvoices->setBuddy(txtInvoices);
    txtInvoices->installEventFilter(this);

    const QString captions[] = {QStringLiteral("Print"), QStringLiteral("Return to Menu")};
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(captions[i], this);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons->addWidget(Command1[i]);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblInvoices);
    layout->addWidget(txtInvoices);
    layout->addLayout(buttons);
    setTabOrder(txtInvoices, Command1[0]);
    setTabOrder(Command1[0], Command1[1]);
    restoreGeometryFromSettings();
}

frmBlanks::~frmBlanks() = default;

void frmBlanks::Form_Activate()
{
    txtInvoices->clear();
    txtInvoices->setFocus(Qt::OtherFocusReason);
}

void frmBlanks::Command1_Click(int index)
{
    if (index == 0)
        PrintBlankForms();
    else
        m_navigator.show(Navigator::Target::MainMenu, this);
}

void frmBlanks::PrintBlankForms()
{
    m_printouts.PrintBlankForms(m_settings.printSettings(), txtInvoices->text());
    // Printed, cancelled or failed alike: the next run starts from a typed key.
    Command1[0]->setEnabled(false);
}

bool frmBlanks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtInvoices && event->type() == QEvent::KeyPress)
        Command1[0]->setEnabled(true);
    return Screen::eventFilter(watched, event);
}
