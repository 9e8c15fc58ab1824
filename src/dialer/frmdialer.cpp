#include "dialer/frmdialer.h"

#include "core/appstate.h"
#include "core/prompts.h"
#include "dialer/modemdialer.h"
#include "dialer/speednumbers.h"
#include "dialer/telephone.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

using namespace dialer;

namespace {

const QString ReadyToDial = QStringLiteral("Ready to Dial......");
const QString ShowHelp = QStringLiteral("Show Help");
const QString HideHelp = QStringLiteral("Hide Help");

enum SpeedDialer
{
    Save = 0,
    Cancel = 1,
    Delete = 2,
    Restore = 3,
    LoadCurrent = 4
};

QString name(const char *base, int index)
{
    return QLatin1String(base) + u'_' + QString::number(index);
}

QPushButton *button(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    // Enter presses the button that has the focus, as in a dialog.
    b->setAutoDefault(true);
    return b;
}

QLabel *wrappedLabel(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(objectName);
    l->setWordWrap(true);
    return l;
}

// A handset, drawn so that no picture file has to travel with the program.
QPixmap handsetPicture(int size, const QColor &colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(size / 2.0, size / 2.0);
    painter.rotate(-35);
    const double s = size / 48.0;
    QPen grip(colour, 7 * s, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(grip);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(-16 * s, -12 * s, 32 * s, 30 * s), 20 * 16, 140 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(-22 * s, -4 * s, 13 * s, 9 * s), 3 * s, 3 * s);
    painter.drawRoundedRect(QRectF(9 * s, -4 * s, 13 * s, 9 * s), 3 * s, 3 * s);
    return pixmap;
}

} // namespace

frmDialer::frmDialer(Telephone &telephone, ApplicationState &state, DataFolder &data,
                     Prompts &prompts, QWidget *parent)
    : Screen(QStringLiteral("PelmorProposal"), parent), m_telephone(telephone), m_state(state),
      m_data(data), m_prompts(prompts), m_speedDial(std::make_unique<SpeedDial>(data)),
      m_modem(std::make_unique<ModemDialer>())
{
    setObjectName(QStringLiteral("frmDialer"));
    setWindowTitle(QStringLiteral("Call ..............."));
    buildControls();
    connect(m_modem.get(), &ModemDialer::answered, this, &frmDialer::answered);
    restoreGeometryFromSettings();
    Form_Load();
}

frmDialer::~frmDialer() = default;

// Building the window ------------------------------------------------------------

void frmDialer::buildControls()
{
    QWidget *call = buildCallPanel();
    QWidget *speed = buildSpeedDialPanel();
    QWidget *modem = buildModemPanel();

    cmdHelp = button(ShowHelp, QStringLiteral("cmdHelp"), this);
    connect(cmdHelp, &QPushButton::clicked, this, &frmDialer::cmdHelp_Click);
    fraHelp = buildHelpFrame();

    auto *left = new QVBoxLayout;
    left->setSpacing(12);
    left->addWidget(call);
    left->addWidget(modem);
    left->addStretch(1);
    auto *helpRow = new QHBoxLayout;
    helpRow->addWidget(cmdHelp);
    helpRow->addStretch(1);
    left->addLayout(helpRow);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addLayout(left, 3);
    top->addWidget(speed, 2);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(12, 12, 12, 12);
    main->setSpacing(12);
    main->addLayout(top, 1);
    main->addWidget(fraHelp);

    // Escape returns to the previous screen, as "D&isconnect/Cancel" does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdHangup, &QPushButton::click);

    setTabOrder(ckDial1, cmdNewDial);
    setTabOrder(cmdNewDial, cmdCancel);
    setTabOrder(cmdCancel, cmdHangup);
    setTabOrder(cmdHangup, cmdDialer[0]);
    for (int i = 1; i < SpeedButtons; ++i)
        setTabOrder(cmdDialer[i - 1], cmdDialer[i]);
    setTabOrder(cmdDialer[SpeedButtons - 1], cmdSpeedDialer[Delete]);
    setTabOrder(cmdSpeedDialer[Delete], cmdSpeedDialer[Restore]);
    setTabOrder(cmdSpeedDialer[Restore], txtDialer[0]);
    setTabOrder(txtDialer[0], txtDialer[1]);
    setTabOrder(txtDialer[1], cmdSpeedDialer[Save]);
    setTabOrder(cmdSpeedDialer[Save], cmdSpeedDialer[Cancel]);
    setTabOrder(cmdSpeedDialer[Cancel], cmdSpeedDialer[LoadCurrent]);
    setTabOrder(cmdSpeedDialer[LoadCurrent], cmdHelp);
}

QWidget *frmDialer::buildCallPanel()
{
    auto *panel = new QWidget(this);

    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);

    lblName = new QLabel(panel);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setFont(big);
    // A screen reader reads what the label shows; its caption is the description.
    lblName->setAccessibleDescription(QStringLiteral("Name to call"));
    lblName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblNumber = new QLabel(panel);
    lblNumber->setObjectName(QStringLiteral("lblNumber"));
    lblNumber->setFont(big);
    lblNumber->setAccessibleDescription(QStringLiteral("Number to call"));
    lblNumber->setTextInteractionFlags(Qt::TextSelectableByMouse);

    ckDial1 = new QCheckBox(QStringLiteral("Dial a Prefix  1-"), panel);
    ckDial1->setObjectName(QStringLiteral("ckDial1"));
    ckDial1->setToolTip(QStringLiteral("Click for Long Distance Calls"));
    connect(ckDial1, &QCheckBox::clicked, this, &frmDialer::ckDial1_Click);

    cmdNewDial = button(QStringLiteral("&Dial"), QStringLiteral("cmdNewDial"), panel);
    connect(cmdNewDial, &QPushButton::clicked, this, &frmDialer::cmdNewDial_Click);
    cmdCancel = button(QStringLiteral("Pick up the receiver then &Click to Talk"),
                       QStringLiteral("cmdCancel"), panel);
    cmdCancel->setToolTip(QStringLiteral("Disconnect the Call"));
    connect(cmdCancel, &QPushButton::clicked, this, &frmDialer::cmdCancel_Click);
    cmdHangup = button(QStringLiteral("D&isconnect/Cancel"), QStringLiteral("cmdHangup"), panel);
    cmdHangup->setToolTip(QStringLiteral("Return to previous Screen"));
    connect(cmdHangup, &QPushButton::clicked, this, &frmDialer::cmdHangup_Click);

    lblStatus = new QLabel(ReadyToDial, panel);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setAccessibleDescription(QStringLiteral("Dialing status"));
    QFont status = font();
    status.setBold(true);
    lblStatus->setFont(status);
    lblStatus->setFrameShape(QFrame::StyledPanel);
    lblStatus->setMargin(6);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(lblName);
    layout->addWidget(lblNumber);
    layout->addWidget(ckDial1, 0, Qt::AlignLeft);
    layout->addSpacing(6);
    // The dial button and the talk button take turns in the same place.
    for (QPushButton *turn : {cmdNewDial, cmdCancel}) {
        QSizePolicy policy = turn->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        turn->setSizePolicy(policy);
    }
    auto *turns = new QGridLayout;
    turns->setContentsMargins(0, 0, 0, 0);
    turns->addWidget(cmdNewDial, 0, 0);
    turns->addWidget(cmdCancel, 0, 0);
    layout->addLayout(turns);
    layout->addWidget(cmdHangup);
    layout->addSpacing(6);
    layout->addWidget(lblStatus);
    layout->addStretch(1);
    return panel;
}

QWidget *frmDialer::buildSpeedDialPanel()
{
    auto *panel = new QWidget(this);

    Label2.insert(33, new QLabel(QStringLiteral("(Used to auto-dial Players)"), panel));

    auto *buttons = new QGridLayout;
    buttons->setSpacing(6);
    for (int i = 0; i < SpeedButtons; ++i) {
        cmdDialer[i] = button(QString(), name("cmdDialer", i), panel);
        cmdDialer[i]->setMinimumWidth(130);
        buttons->addWidget(cmdDialer[i], i % 5, i / 5);
        connect(cmdDialer[i], &QPushButton::clicked, this, [this, i] { cmdDialer_Click(i); });
    }

    cmdSpeedDialer[Delete] = button(QStringLiteral("Delete Selected Speed Dial &No"),
                                    name("cmdSpeedDialer", Delete), panel);
    cmdSpeedDialer[Restore] = button(QStringLiteral("&Restore Original Call Recipient"),
                                     name("cmdSpeedDialer", Restore), panel);

    fraSpeedDial = new QGroupBox(QStringLiteral("Add Speed Dial Name and No."), panel);
    fraSpeedDial->setObjectName(QStringLiteral("fraSpeedDial"));
    lblSpeedDial =
        new QLabel(QStringLiteral("Enter a Speed Dial Name and Number Click Save"), fraSpeedDial);
    lblSpeedDial->setObjectName(QStringLiteral("lblSpeedDial"));
    txtDialer[0] = new QLineEdit(fraSpeedDial);
    txtDialer[0]->setAccessibleName(QStringLiteral("Speed dial name"));
    txtDialer[0]->setPlaceholderText(QStringLiteral("Name"));
    txtDialer[1] = new QLineEdit(fraSpeedDial);
    txtDialer[1]->setAccessibleName(QStringLiteral("Speed dial number"));
    txtDialer[1]->setPlaceholderText(QStringLiteral("Number"));
    for (int i = 0; i < 2; ++i)
        txtDialer[i]->setObjectName(name("txtDialer", i));
    connect(txtDialer[0], &QLineEdit::returnPressed, txtDialer[1],
            [this] { txtDialer[1]->setFocus(Qt::TabFocusReason); });
    cmdSpeedDialer[Save] =
        button(QStringLiteral("&Save"), name("cmdSpeedDialer", Save), fraSpeedDial);
    cmdSpeedDialer[Save]->setToolTip(QStringLiteral("Saves this Data to the selected Speed dial"));
    connect(txtDialer[1], &QLineEdit::returnPressed, cmdSpeedDialer[Save], &QPushButton::click);
    cmdSpeedDialer[Cancel] =
        button(QStringLiteral("Ca&ncel"), name("cmdSpeedDialer", Cancel), fraSpeedDial);
    cmdSpeedDialer[LoadCurrent] = button(QStringLiteral("&Load Current Player"),
                                         name("cmdSpeedDialer", LoadCurrent), fraSpeedDial);
    cmdSpeedDialer[LoadCurrent]->setToolTip(QStringLiteral("Load Current Player to Above"));
    for (int i = 0; i < SpeedDialerButtons; ++i)
        connect(cmdSpeedDialer[i], &QPushButton::clicked, this,
                [this, i] { cmdSpeedDialer_Click(i); });

    auto *frame = new QGridLayout(fraSpeedDial);
    frame->addWidget(lblSpeedDial, 0, 0, 1, 2);
    frame->addWidget(txtDialer[0], 1, 0, 1, 2);
    frame->addWidget(txtDialer[1], 2, 0, 1, 2);
    frame->addWidget(cmdSpeedDialer[Save], 3, 0);
    frame->addWidget(cmdSpeedDialer[Cancel], 3, 1);
    frame->addWidget(cmdSpeedDialer[LoadCurrent], 4, 0, 1, 2);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(Label2.value(33));
    layout->addLayout(buttons);
    layout->addWidget(cmdSpeedDialer[Delete]);
    layout->addWidget(cmdSpeedDialer[Restore]);
    layout->addWidget(fraSpeedDial);
    layout->addStretch(1);
    return panel;
}

QWidget *frmDialer::buildModemPanel()
{
    auto *panel = new QWidget(this);
    Label2.insert(4, new QLabel(QStringLiteral("Modem is connected to"), panel));
    Label2.insert(3, new QLabel(QStringLiteral("COM Port #"), panel));
    QLabel *warning = wrappedLabel(
        QStringLiteral("Not all MODEMS can perform dialing operations. Some UPS Units may use the "
                       "same port as your modem and a dialing error may occur."),
        QString(), panel);
    // A wrapped label only claims the height of the width it is given, so the window
    // could squeeze the labels above it; at this width and wider it takes two lines.
    warning->setMinimumWidth(420);
    warning->setMinimumHeight(warning->heightForWidth(420));
    Label2.insert(5, warning);
    for (auto it = Label2.cbegin(); it != Label2.cend(); ++it)
        it.value()->setObjectName(name("Label2", it.key()));
    QFont bold = Label2.value(3)->font();
    bold.setBold(true);
    Label2.value(3)->setFont(bold);

    Text1 = new QLineEdit(panel);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    // Read by a screen reader, not typed in: it stays out of the Tab order.
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setAccessibleName(QStringLiteral("Modem status"));

    auto *port = new QHBoxLayout;
    port->addWidget(Label2.value(4));
    port->addWidget(Label2.value(3));
    port->addStretch(1);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(port);
    layout->addWidget(Text1);
    layout->addWidget(Label2.value(5));
    return panel;
}

QGroupBox *frmDialer::buildHelpFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Help!"), this);
    frame->setObjectName(QStringLiteral("fraHelp"));
    auto *layout = new QVBoxLayout(frame);
    layout->setSpacing(8);

    auto *hints = new QLabel(QStringLiteral("Hints"), frame);
    QFont heading = hints->font();
    heading.setBold(true);
    hints->setFont(heading);
    layout->addWidget(hints);
    const QStringList steps{
        QStringLiteral("Connect Your Computers Modem to the Telephone Wall Outlet"),
        QStringLiteral("Daisy-Chain a Telephone downstream from your Computers Modem"),
        QStringLiteral("Customers Name and Number were loaded Automatically"),
        QStringLiteral("Or Select from Speed Dial"),
        QStringLiteral("Click the Dial Button"),
        QStringLiteral("Click the Pick up the receiver Button"),
        QStringLiteral("Talk -------------"),
        QStringLiteral("You can add anyone to the Speed Dial names and numbers"),
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    const int rows = int(steps.size() + 1) / 2;
    for (int i = 0; i < steps.size(); ++i)
        grid->addWidget(new QLabel(steps.at(i), frame), i % rows, i / rows);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    imgReceiver = new QWidget(frame);
    imgReceiver->setObjectName(QStringLiteral("imgReceiver"));
    auto *picture = new QLabel(imgReceiver);
    picture->setPixmap(handsetPicture(48, palette().color(QPalette::WindowText)));
    auto *caption = new QLabel(QStringLiteral("Pick up the Receiver!"), imgReceiver);
    caption->setFont(heading);
    auto *pictureLayout = new QHBoxLayout(imgReceiver);
    pictureLayout->setContentsMargins(0, 6, 0, 0);
    pictureLayout->addWidget(picture);
    pictureLayout->addWidget(caption);
    pictureLayout->addStretch(1);
    imgReceiver->setAccessibleName(caption->text());
    layout->addWidget(imgReceiver);
    return frame;
}

// Showing ------------------------------------------------------------------------

void frmDialer::Form_Load()
{
    // Hanging up unloads the window, so every call starts from a fresh one.
    m_speedDial = std::make_unique<SpeedDial>(m_data);
    ckDial1->setChecked(false);
    txtDialer[0]->clear();
    txtDialer[1]->clear();
    fraSpeedDial->hide();
    showHelp(false);
    imgReceiver->hide();
    lblName->clear();
    lblNumber->clear();
}

void frmDialer::openFor(const QString &name, const QString &number)
{
    if (!isVisible()) {
        Form_Load();
        setWindowModality(Qt::ApplicationModal);
    }
    lblName->setText(name);
    lblNumber->setText(number);
    m_speedDial->setOriginal({name, number});
    navigateTo();
}

void frmDialer::DialCustomer(const QString &name, const QString &number)
{
    openFor(name, number);
    if (m_modalLoop || !isVisible())
        return;
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_modalLoop = nullptr;
}

void frmDialer::Form_Activate()
{
    resetCall();

    SerialLine &line = m_telephone.modemLine();
    if (!line.isOpen())
        line.open(m_state.modemPort);

    Text1->setText(m_telephone.modemStatus());
    Label2.value(3)->setText(m_telephone.portCaption().isEmpty() ? QStringLiteral("COM Port #")
                                                                 : m_telephone.portCaption());

    m_speedDial->Load();
    showCaptions();
    // The window is there to dial: Enter does it.
    cmdNewDial->setFocus(Qt::OtherFocusReason);
}

void frmDialer::resetCall()
{
    imgReceiver->hide();
    cmdSpeedDialer[Delete]->setEnabled(false);
    cmdNewDial->show();
    cmdCancel->hide();
    lblStatus->setText(ReadyToDial);
}

void frmDialer::showCaptions()
{
    for (int i = 0; i < SpeedButtons; ++i) {
        const QString caption = m_speedDial->caption(i);
        // A name such as "Smith & Sons" is shown as written, not as a mnemonic.
        cmdDialer[i]->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
        cmdDialer[i]->setAccessibleName(caption.isEmpty() ? QStringLiteral("Free speed dial ") +
                                                                QString::number(i + 1)
                                                          : caption);
    }
}

void frmDialer::hideEvent(QHideEvent *event)
{
    Screen::hideEvent(event);
    // Minimizing is not closing.
    if (event->spontaneous())
        return;
    endCall();
    if (m_modalLoop)
        m_modalLoop->quit();
}

// Calling ------------------------------------------------------------------------

void frmDialer::cmdNewDial_Click()
{
    cmdNewDial->hide();
    // The way out while the modem dials.
    cmdHangup->setFocus(Qt::OtherFocusReason);
    lblStatus->setText(QStringLiteral("Dialing..... ") + lblNumber->text());
    m_callOpen = true;
    m_modem->dial(m_telephone.modemLine(), lblNumber->text());
}

void frmDialer::answered()
{
    lblStatus->setText(QStringLiteral("Pickup Receiver - Then Click Hangup"));
    imgReceiver->show();
    cmdCancel->show();
    cmdCancel->setFocus(Qt::OtherFocusReason);
}

void frmDialer::cmdCancel_Click()
{
    // The handset has the line now; the modem lets go of it.
    resetCall();
    cmdHangup_Click();
}

void frmDialer::cmdHangup_Click()
{
    m_modem->hangUp(m_telephone.modemLine());
    m_callOpen = false;
    imgReceiver->hide();
    closeByProgram();
}

void frmDialer::endCall()
{
    m_modem->cancel();
    // The window went away while a call was open (the program is ending): the modem
    // must not keep the line.
    if (m_callOpen) {
        m_modem->hangUp(m_telephone.modemLine());
        m_callOpen = false;
    }
}

void frmDialer::ckDial1_Click()
{
    lblNumber->setText(WithLongDistancePrefix(lblNumber->text(), ckDial1->isChecked()));
}

// Speed dial ---------------------------------------------------------------------

void frmDialer::cmdDialer_Click(int index)
{
    // "Restore" brings back whoever was shown before this button, not only the
    // person the window was opened for.
    m_speedDial->setOriginal({lblName->text(), lblNumber->text()});
    const bool used = m_speedDial->Select(index);
    cmdSpeedDialer[Delete]->setEnabled(false);
    if (used) {
        const SpeedNumber &entry = m_speedDial->numbers().slot(index);
        lblName->setText(entry.name);
        lblNumber->setText(entry.number);
        cmdSpeedDialer[Delete]->setEnabled(true);
    } else {
        fraSpeedDial->show();
        txtDialer[0]->setFocus(Qt::OtherFocusReason);
    }
}

void frmDialer::cmdSpeedDialer_Click(int index)
{
    switch (index) {
    case Save:
        SaveSpeedDial();
        [[fallthrough]];
    case Cancel:
        txtDialer[0]->clear();
        txtDialer[1]->clear();
        fraSpeedDial->hide();
        break;
    case Delete: {
        const std::optional<int> selected = m_speedDial->selected();
        if (!selected)
            return;
        const QString caption = m_speedDial->caption(*selected);
        if (!m_prompts.askToDestroy(QStringLiteral("This will delete SpeedDial entry  ") + caption +
                                        QStringLiteral("\r\nAre you Sure"),
                                    QStringLiteral("Delete Speed Dial"))) {
            cmdSpeedDialer[Delete]->setEnabled(false);
            return;
        }
        if (!m_speedDial->DeleteSelected())
            m_prompts.tell(QStringLiteral("The file \"SpeedNumbers.txt\" could not be written."));
        showCaptions();
        // The slot now holds the entry that moved up, which nobody chose to delete.
        cmdSpeedDialer[Delete]->setEnabled(false);
        break;
    }
    case Restore:
        lblName->setText(m_speedDial->original().name);
        lblNumber->setText(m_speedDial->original().number);
        break;
    case LoadCurrent:
        txtDialer[0]->setText(lblName->text());
        txtDialer[1]->setText(lblNumber->text());
        cmdSpeedDialer_Click(Save);
        break;
    default:
        break;
    }
}

void frmDialer::SaveSpeedDial()
{
    if (!m_speedDial->selected())
        return;
    if (!m_speedDial->Save({txtDialer[0]->text(), txtDialer[1]->text()}))
        m_prompts.tell(QStringLiteral("The file \"SpeedNumbers.txt\" could not be written."));
    showCaptions();
}

void frmDialer::cmdHelp_Click()
{
    showHelp(fraHelp->isHidden());
}

void frmDialer::showHelp(bool show)
{
    cmdHelp->setText(show ? HideHelp : ShowHelp);
    if (show == !fraHelp->isHidden())
        return;
    if (show)
        m_heightWithoutHelp = height();
    fraHelp->setVisible(show);
    // The window grew for the help; it gives the room back when the help goes.
    if (!show && m_heightWithoutHelp > 0) {
        layout()->activate();
        resize(width(), std::max(m_heightWithoutHelp, minimumSizeHint().height()));
    }
}
