#include "ui/keyfilterglue.h"

#include "core/keyfilters.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace {

constexpr Qt::KeyboardModifiers CommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

template <typename Action> bool withTextEdit(QWidget *box, Action action)
{
    if (auto *edit = qobject_cast<QPlainTextEdit *>(box)) {
        action(edit);
        return true;
    }
    if (auto *edit = qobject_cast<QTextEdit *>(box)) {
        action(edit);
        return true;
    }
    return false;
}

QWidget *viewportOf(QWidget *box)
{
    QWidget *viewport = nullptr;
    withTextEdit(box, [&viewport](auto *edit) { viewport = edit->viewport(); });
    return viewport;
}

// The same test the edit boxes make before they insert the text of a key press:
// Alt, Meta and AltGr combinations insert their character too, so they are filtered.
bool insertsText(const QKeyEvent *event, bool tabIsText)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse)
        return true;
    if (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate())
        return true;
    return tabIsText && c == u'\t';
}

bool isLineBreak(char32_t code)
{
    return code == u'\r' || code == u'\n' || code == 0x2028 || code == 0x2029;
}

// Dropped or pasted text as the box would take it: plain text, or the text of HTML
// where a rich text box would take HTML.
std::optional<QString> plainTextOf(const QMimeData *mime, const QWidget *box)
{
    if (!mime)
        return std::nullopt;
    if (mime->hasText())
        return mime->text();
    const auto *rich = qobject_cast<const QTextEdit *>(box);
    if (rich && rich->acceptRichText() && mime->hasHtml())
        return QTextDocumentFragment::fromHtml(mime->html()).toPlainText();
    return std::nullopt;
}

} // namespace

KeyFilterGlue::KeyFilterGlue(QWidget *box) : QObject(box), m_box(box)
{
    box->installEventFilter(this);
    if (auto *combo = qobject_cast<QComboBox *>(box)) {
        // Keys reach the combo and are handed to its line edit directly; mouse,
        // drops and menus go to the line edit.
        if (QLineEdit *edit = combo->lineEdit())
            edit->installEventFilter(this);
        else
            qWarning("attachKeyFilter: the combo box %s is not editable",
                     qPrintable(box->objectName()));
    } else if (QWidget *viewport = viewportOf(box)) {
        viewport->installEventFilter(this);
    } else if (!qobject_cast<QLineEdit *>(box)) {
        qWarning("attachKeyFilter: %s is not an edit box", box->metaObject()->className());
    }
}

KeyFilterGlue *KeyFilterGlue::of(QWidget *box)
{
    if (auto *glue = box->findChild<KeyFilterGlue *>(QString(), Qt::FindDirectChildrenOnly))
        return glue;
    return new KeyFilterGlue(box);
}

void KeyFilterGlue::addFilter(KeyFilterFunction filter)
{
    m_filters.append(std::move(filter));
}

bool KeyFilterGlue::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::ContextMenu:
    case QEvent::MouseButtonRelease:
        break;
    default:
        return false;
    }
    auto *target = qobject_cast<QWidget *>(watched);
    if (!m_box || !target || m_filters.isEmpty() || isReadOnly())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(static_cast<QKeyEvent *>(event));
    case QEvent::InputMethod:
        return inputMethod(static_cast<QInputMethodEvent *>(event));
    case QEvent::Drop:
        return drop(target, static_cast<QDropEvent *>(event));
    case QEvent::ContextMenu:
        return contextMenu(target, static_cast<QContextMenuEvent *>(event));
    case QEvent::MouseButtonRelease:
        return middleButtonRelease(target, static_cast<QMouseEvent *>(event));
    default:
        return false;
    }
}

bool KeyFilterGlue::keyPress(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFrom(QClipboard::Clipboard);
        return true;
    }
    int code = 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        code = keyfilters::Enter;
        break;
    case Qt::Key_Backspace:
        code = keyfilters::Backspace;
        break;
    default:
        break;
    }
    if (code != 0) {
        if (event->modifiers() & CommandModifiers)
            return false;
        if (runFilters(code, boxText()) != 0)
            return false;
        refused();
        return true;
    }

    bool tabIsText = false;
    withTextEdit(m_box, [&tabIsText](auto *edit) { tabIsText = !edit->tabChangesFocus(); });
    if (!insertsText(event, tabIsText))
        return false;
    const QString typed = event->text();
    Insertion at = atSelection();
    at.room = -1; // a full box drops the key itself, after the filters had their say
    const std::optional<QString> let = filterText(typed, at);
    if (!let) {
        refused();
        return true;
    }
    if (*let == typed)
        return false;
    insertAtSelection(*let);
    return true;
}

bool KeyFilterGlue::drop(QWidget *target, QDropEvent *event)
{
    if (!isTextArea(target))
        return false;
    const std::optional<QString> incoming = plainTextOf(event->mimeData(), m_box);
    if (!incoming)
        return false;
    const QPoint pos = event->position().toPoint();
    const std::optional<QString> let = filterText(*incoming, atPoint(pos));
    if (!let) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        // Lets the box put away its drop caret.
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(target, &leave);
        refused();
        return true;
    }
    // A rich text box would insert the HTML itself, whose text the filters did not see.
    if (*let == *incoming && !qobject_cast<QTextEdit *>(m_box))
        return false;
    insertAtPoint(pos, *let);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

bool KeyFilterGlue::inputMethod(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty())
        return false;
    Insertion at = atSelection();
    if (event->replacementLength() > 0) {
        int cursor = 0;
        if (QLineEdit *edit = lineEdit())
            cursor = edit->cursorPosition();
        else
            withTextEdit(m_box, [&cursor](auto *edit) { cursor = edit->textCursor().position(); });
        at.start = qBound(0, cursor + event->replacementStart(), int(at.text.size()));
        at.removed = qBound(0, event->replacementLength(), int(at.text.size()) - at.start);
        if (at.room >= 0)
            at.room = lineEdit()->maxLength() - int(at.text.size()) + at.removed;
    }
    const std::optional<QString> let = filterText(commit, at);
    if (!let) {
        // The composition itself goes on; only the committed text is dropped.
        event->setCommitString(QString());
        refused();
    } else if (*let != commit) {
        event->setCommitString(*let, event->replacementStart(), event->replacementLength());
    }
    return false;
}

bool KeyFilterGlue::contextMenu(QWidget *target, QContextMenuEvent *event)
{
    QWidget *policyOwner = target == viewportOf(m_box) ? m_box.data() : target;
    if (policyOwner->contextMenuPolicy() != Qt::DefaultContextMenu)
        return false;

    QMenu *menu = nullptr;
    QAction *paste = nullptr;
    if (QLineEdit *edit = lineEdit()) {
        menu = edit->createStandardContextMenu();
        // Depending on the Qt version the line edit names its Paste action or not, and
        // connects it by member pointer or by signature; disconnecting finds it either way.
        for (QAction *action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit-paste") ||
                QObject::disconnect(action, &QAction::triggered, edit, &QLineEdit::paste) ||
                QObject::disconnect(action, SIGNAL(triggered()), edit, SLOT(paste()))) {
                paste = action;
                break;
            }
        }
    } else {
        withTextEdit(m_box, [&menu](auto *edit) { menu = edit->createStandardContextMenu(); });
        if (menu)
            paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
    }
    if (!menu)
        return false;
    if (paste) {
        QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { pasteFrom(QClipboard::Clipboard); });
    } else {
        // Unfiltered text must not get in by a way this glue does not know.
        qWarning("attachKeyFilter: no Paste action found in the context menu");
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
    return true;
}

bool KeyFilterGlue::middleButtonRelease(QWidget *target, QMouseEvent *event)
{
    if (event->button() != Qt::MiddleButton || !isTextArea(target) ||
        !QGuiApplication::clipboard()->supportsSelection())
        return false;
    if (QLineEdit *edit = lineEdit()) {
        edit->deselect();
    } else {
        const QPoint pos = event->position().toPoint();
        withTextEdit(m_box,
                     [&pos](auto *edit) { edit->setTextCursor(edit->cursorForPosition(pos)); });
    }
    pasteFrom(QClipboard::Selection);
    return true;
}

int KeyFilterGlue::runFilters(int key, const QString &text) const
{
    for (const KeyFilterFunction &filter : m_filters) {
        key = filter(key, text);
        if (key == 0)
            return 0;
    }
    return key;
}

std::optional<QString> KeyFilterGlue::filterText(const QString &incoming, const Insertion &at) const
{
    const bool multiLine = isMultiLine();
    QString source = incoming;
    if (!multiLine) {
        while (source.endsWith(u'\n') || source.endsWith(u'\r'))
            source.chop(1);
    }

    QString text = at.text;
    qsizetype start = at.start;
    qsizetype removed = at.removed;
    QString let;
    for (qsizetype i = 0; i < source.size();) {
        const QChar c = source.at(i);
        char32_t code = c.unicode();
        qsizetype width = 1;
        if (c.isHighSurrogate() && i + 1 < source.size() && source.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, source.at(i + 1));
            width = 2;
        }
        if (isLineBreak(code)) {
            if (!multiLine)
                return std::nullopt;
            if (code == u'\r' && i + 1 < source.size() && source.at(i + 1) == u'\n')
                width = 2;
            code = keyfilters::Enter;
        } else if ((code < 0x20 && !(code == u'\t' && multiLine)) || code == 0x7f) {
            return std::nullopt;
        }
        i += width;

        // Characters past the box's limit are cut by the box; the filters need not see them.
        const qsizetype size = code > 0xffff ? 2 : 1;
        if (at.room >= 0 && let.size() + size > at.room)
            break;
        // A key typed over a selection is judged against the text it makes, not the
        // text it replaces: a full money box can be selected and typed over.
        const int key =
            runFilters(int(code), removed > 0 ? QString(text).replace(start, removed,
                                                                      source.mid(i - width, width))
                                              : text);
        if (key == 0)
            return std::nullopt;
        const char32_t result = char32_t(key);
        const QString piece =
            key == keyfilters::Enter ? QStringLiteral("\n") : QString::fromUcs4(&result, 1);
        text.replace(start, removed, piece);
        start += piece.size();
        removed = 0;
        let += piece;
    }
    return let;
}

void KeyFilterGlue::pasteFrom(QClipboard::Mode mode)
{
    if (!m_box || isReadOnly())
        return;
    const std::optional<QString> incoming =
        plainTextOf(QGuiApplication::clipboard()->mimeData(mode), m_box);
    if (!incoming || incoming->isEmpty())
        return;
    const std::optional<QString> let = filterText(*incoming, atSelection());
    if (!let) {
        refused();
        return;
    }
    if (!let->isEmpty())
        insertAtSelection(*let);
}

void KeyFilterGlue::refused()
{
    if (m_box)
        m_box->setFocus(Qt::OtherFocusReason);
}

bool KeyFilterGlue::isReadOnly() const
{
    if (QLineEdit *edit = lineEdit())
        return edit->isReadOnly();
    bool readOnly = true;
    withTextEdit(m_box, [&readOnly](auto *edit) { readOnly = edit->isReadOnly(); });
    return readOnly;
}

bool KeyFilterGlue::isMultiLine() const
{
    return viewportOf(m_box) != nullptr;
}

bool KeyFilterGlue::isTextArea(const QWidget *target) const
{
    QWidget *area = lineEdit();
    return target == (area ? area : viewportOf(m_box));
}

QLineEdit *KeyFilterGlue::lineEdit() const
{
    if (auto *combo = qobject_cast<QComboBox *>(m_box))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(m_box);
}

QString KeyFilterGlue::boxText() const
{
    if (QLineEdit *edit = lineEdit())
        return edit->text();
    QString text;
    withTextEdit(m_box, [&text](auto *edit) { text = edit->toPlainText(); });
    return text;
}

KeyFilterGlue::Insertion KeyFilterGlue::atSelection() const
{
    Insertion at;
    at.text = boxText();
    if (QLineEdit *edit = lineEdit()) {
        if (edit->hasSelectedText()) {
            at.start = edit->selectionStart();
            at.removed = edit->selectionLength();
        } else {
            at.start = edit->cursorPosition();
        }
        at.room = edit->maxLength() - int(at.text.size()) + at.removed;
    } else {
        withTextEdit(m_box, [&at](auto *edit) {
            const QTextCursor cursor = edit->textCursor();
            at.start = cursor.selectionStart();
            at.removed = cursor.selectionEnd() - cursor.selectionStart();
        });
    }
    return at;
}

KeyFilterGlue::Insertion KeyFilterGlue::atPoint(const QPoint &pos) const
{
    Insertion at;
    at.text = boxText();
    if (QLineEdit *edit = lineEdit()) {
        at.start = edit->cursorPositionAt(pos);
        at.room = edit->maxLength() - int(at.text.size());
    } else {
        withTextEdit(
            m_box, [&at, &pos](auto *edit) { at.start = edit->cursorForPosition(pos).position(); });
    }
    return at;
}

void KeyFilterGlue::insertAtSelection(const QString &text)
{
    if (QLineEdit *edit = lineEdit()) {
        edit->insert(text);
        return;
    }
    withTextEdit(m_box, [&text](auto *edit) {
        QTextCursor cursor = edit->textCursor();
        cursor.insertText(text);
        edit->setTextCursor(cursor);
    });
}

void KeyFilterGlue::insertAtPoint(const QPoint &pos, const QString &text)
{
    if (QLineEdit *edit = lineEdit()) {
        edit->setCursorPosition(edit->cursorPositionAt(pos));
        edit->insert(text);
        return;
    }
    withTextEdit(m_box, [&text, &pos](auto *edit) {
        QTextCursor cursor = edit->cursorForPosition(pos);
        cursor.insertText(text);
        edit->setTextCursor(cursor);
    });
}

void attachKeyFilter(QWidget *box, KeyFilterFunction filter)
{
    KeyFilterGlue::of(box)->addFilter(std::move(filter));
}

void attachQuoteFilter(QWidget *box, Prompts &prompts)
{
    attachKeyFilter(box, [&prompts](int key, const QString &) {
        return keyfilters::QuoteKeyFilter(key, prompts);
    });
}

void attachMoneyFilter(QWidget *box)
{
    attachKeyFilter(box, &keyfilters::MoneyKeyFilter);
}

void attachDigitFilter(QWidget *box)
{
    attachKeyFilter(box, [](int key, const QString &) { return keyfilters::DigitKeyFilter(key); });
}
