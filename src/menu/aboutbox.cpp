#include "menu/aboutbox.h"

#include "menu/frmsplash.h"
#include "ui/programicon.h"

#include <QDir>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AboutBox::AboutBox(const QString &dataFolder, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Pelmor Invoicer"));
    setWindowIcon(ProgramIcon::icon());

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setPixmap(ProgramIcon::icon().pixmap(64, 64));
    imgIcon->setAccessibleName(QStringLiteral("Pelmor Invoicer icon"));

    lblName = new QLabel(QStringLiteral("Pelmor Invoicer"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont large = lblName->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    lblName->setFont(large);
    lblVersion = new QLabel(frmSplash::versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto *folderCaption = new QLabel(QStringLiteral("&Data folder:"), this);
    txtDataFolder = new QLineEdit(QDir::toNativeSeparators(dataFolder), this);
    txtDataFolder->setObjectName(QStringLiteral("txtDataFolder"));
    // Read-only, but selectable and copyable, so the path can be pasted into a file manager.
    txtDataFolder->setReadOnly(true);
    txtDataFolder->setCursorPosition(0);
    txtDataFolder->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    folderCaption->setBuddy(txtDataFolder);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *heading = new QVBoxLayout;
    heading->addWidget(lblName);
    heading->addWidget(lblVersion);
    heading->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(imgIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(heading, 1);

    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addSpacing(8);
    main->addWidget(folderCaption);
    main->addWidget(txtDataFolder);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
    cmdOK->setFocus(Qt::OtherFocusReason);
}

AboutBox::~AboutBox() = default;
