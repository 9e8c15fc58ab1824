#include "menu/frmsplash.h"

#include "ui/navigator.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A blank invoice with a pencil: the business setup that the first start asks for.
QPixmap welcomePicture()
{
    const QSize size(112, 136);
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF sheet(8, 6, 80, 110);
    const qreal fold = 18;
    QPainterPath outline;
    outline.moveTo(sheet.topLeft());
    outline.lineTo(sheet.right() - fold, sheet.top());
    outline.lineTo(sheet.right(), sheet.top() + fold);
    outline.lineTo(sheet.bottomRight());
    outline.lineTo(sheet.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(QColor(0x55, 0x60, 0x70), 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);

    QPainterPath corner;
    corner.moveTo(sheet.right() - fold, sheet.top());
    corner.lineTo(sheet.right() - fold, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    painter.setBrush(QColor(0xdd, 0xe3, 0xec));
    painter.drawPath(corner);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x3f, 0x6e));
    painter.drawRect(QRectF(sheet.left() + 8, sheet.top() + 10, 40, 9));
    painter.setBrush(QColor(0xa8, 0xb4, 0xc6));
    for (int line = 0; line < 6; ++line) {
        const qreal y = sheet.top() + 32 + line * 10;
        painter.drawRect(QRectF(sheet.left() + 8, y, line % 2 ? 44 : 56, 3.5));
        painter.drawRect(QRectF(sheet.right() - 20, y, 12, 3.5));
    }
    painter.setBrush(QColor(0x1f, 0x3f, 0x6e));
    painter.drawRect(QRectF(sheet.right() - 34, sheet.bottom() - 14, 26, 5));

    // The pencil, lying across the sheet's lower right corner.
    painter.translate(86, 104);
    painter.rotate(-50);
    painter.setPen(QPen(QColor(0x5a, 0x40, 0x10), 1.2));
    painter.setBrush(QColor(0xf2, 0xb8, 0x2a));
    painter.drawRect(QRectF(-8, -40, 16, 48));
    painter.setBrush(QColor(0xe8, 0x8a, 0x9a));
    painter.drawRect(QRectF(-8, -50, 16, 10));
    QPainterPath tip;
    tip.moveTo(-8, 8);
    tip.lineTo(8, 8);
    tip.lineTo(0, 24);
    tip.closeSubpath();
    painter.setBrush(QColor(0xf5, 0xdc, 0xb0));
    painter.drawPath(tip);
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    QPainterPath lead;
    lead.moveTo(-3, 18);
    lead.lineTo(3, 18);
    lead.lineTo(0, 24);
    lead.closeSubpath();
    painter.drawPath(lead);
    return picture;
}

} // namespace

frmSplash::frmSplash(Navigator &navigator, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Pelmor Invoicer"));

    lblProductName = new QLabel(QStringLiteral("Pelmor Invoicer"), this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont nameFont = lblProductName->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 2.2);
    lblProductName->setFont(nameFont);
    lblProductName->setAlignment(Qt::AlignCenter);

    lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);

    cmdContinue = new QPushButton(QStringLiteral("&Continue"), this);
    cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    cmdContinue->setAccessibleName(QStringLiteral("Continue"));
    cmdContinue->setAutoDefault(true);
    connect(cmdContinue, &QPushButton::clicked, this, &frmSplash::cmdContinue_Click);

    fraWelcome = new QFrame(this);
    fraWelcome->setObjectName(QStringLiteral("fraWelcome"));
    fraWelcome->setFrameShape(QFrame::StyledPanel);
    fraWelcome->setAccessibleName(QStringLiteral("Welcome"));

    imgWelcome = new QToolButton(fraWelcome);
    imgWelcome->setObjectName(QStringLiteral("imgWelcome"));
    const QPixmap picture = welcomePicture();
    imgWelcome->setIcon(QIcon(picture));
    imgWelcome->setIconSize(picture.size());
    imgWelcome->setAutoRaise(true);
    imgWelcome->setCursor(Qt::PointingHandCursor);
    imgWelcome->setToolTip(QStringLiteral("Set up your business"));
    imgWelcome->setAccessibleName(QStringLiteral("Set up your business"));
    connect(imgWelcome, &QToolButton::clicked, this, &frmSplash::imgWelcome_Click);
    imgWelcome->installEventFilter(this);

    lblWelcome = new QLabel(fraWelcome);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    lblWelcome->setWordWrap(true);
    lblWelcome->setTextFormat(Qt::RichText);
    lblWelcome->setText(QStringLiteral(
        "<p><b>Welcome to Pelmor Invoicer!</b></p>"
        "<p>Before you write your first invoice, tell the program about your business: "
        "its name and address, your taxes, and how your invoices should be printed.</p>"
        "<p>Click the picture to open the business setup.</p>"));
    lblWelcome->setMinimumWidth(260);

    auto *welcome = new QHBoxLayout(fraWelcome);
    welcome->setSpacing(14);
    welcome->addWidget(imgWelcome, 0, Qt::AlignTop);
    welcome->addWidget(lblWelcome, 1);
    fraWelcome->setVisible(false);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(28, 22, 28, 18);
    main->setSpacing(8);
    main->addWidget(lblProductName);
    main->addWidget(lblVersion);
    main->addSpacing(10);
    main->addWidget(fraWelcome);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdContinue);
    buttons->addStretch(1);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(cmdContinue, imgWelcome);
    // Only the place counts: the layout fixes the size.
    restoreGeometryFromSettings();
}

frmSplash::~frmSplash() = default;

QString frmSplash::versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(PELMOR_VERSION_MAJOR)
        .arg(PELMOR_VERSION_MINOR)
        .arg(PELMOR_VERSION_PATCH);
}

void frmSplash::cmdContinue_Click()
{
    if (m_navigator.SettingsFilesPresent()) {
        if (m_navigator.show(Navigator::Target::MainMenu, this))
            closeByProgram();
        return;
    }
    fraWelcome->setVisible(true);
    imgWelcome->setFocus(Qt::OtherFocusReason);
}

// The picture is the panel's only action: Enter opens it as Space does.
bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == imgWelcome && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & ~Qt::KeypadModifier)) {
            imgWelcome->click();
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

void frmSplash::imgWelcome_Click()
{
    if (m_navigator.show(Navigator::Target::Setup, this))
        closeByProgram();
}
