#pragma once

#include <QClipboard>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class Prompts;
class QContextMenuEvent;
class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QWidget;

// A key filter gets the character code of a key (Backspace 8, Enter 13) and the
// box's whole text, and returns the code to let through or 0 to swallow the key.
using KeyFilterFunction = std::function<int(int key, const QString &text)>;

// Runs the key filters of one entry box: a QLineEdit, an editable QComboBox, a
// QPlainTextEdit or a QTextEdit. The filters see the characters typed, Backspace
// and Enter (Return and Enter); navigation keys, Tab, Delete and shortcuts pass
// untouched. Pasted (keyboard, context menu, middle button), dropped and composed
// text goes through the filters character by character, each against the text as
// it would be after the characters before it, and is refused whole when any one
// is. A character typed or pasted over a selection is judged against the text with
// the selection replaced by it. A refused entry leaves the focus in the box. A combo box is made
// editable before its filter is attached; a read-only box is left alone.
//
// A single-line box cannot hold line breaks: one at the end of pasted text (copied
// with its line) is dropped, any other control character refuses the text. In a
// multi-line box a pasted line break reaches the filters as Enter.
class KeyFilterGlue final : public QObject
{
    Q_OBJECT
public:
    // The glue of `box`, made on first use; it lives as long as the box.
    static KeyFilterGlue *of(QWidget *box);

    // Filters run in the order they were added; each sees the key the one before let
    // through.
    void addFilter(KeyFilterFunction filter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KeyFilterGlue(QWidget *box);
    Q_DISABLE_COPY_MOVE(KeyFilterGlue)

    // Where text goes in: the box's text, with [start, start + removed) replaced.
    struct Insertion
    {
        QString text;
        int start = 0;
        int removed = 0;
        int room = -1; // characters the box still takes, -1 without a limit
    };

    bool keyPress(QKeyEvent *event);
    bool drop(QWidget *target, QDropEvent *event);
    bool inputMethod(QInputMethodEvent *event);
    bool contextMenu(QWidget *target, QContextMenuEvent *event);
    bool middleButtonRelease(QWidget *target, QMouseEvent *event);

    int runFilters(int key, const QString &text) const;
    // The text the filters let in, or nothing when they refuse it.
    std::optional<QString> filterText(const QString &incoming, const Insertion &at) const;
    void pasteFrom(QClipboard::Mode mode);
    void refused();

    bool isReadOnly() const;
    bool isMultiLine() const;
    // The widget that takes mouse clicks and drops: the line edit or the viewport.
    bool isTextArea(const QWidget *target) const;
    QLineEdit *lineEdit() const;
    QString boxText() const;
    Insertion atSelection() const;
    Insertion atPoint(const QPoint &pos) const;
    void insertAtSelection(const QString &text);
    void insertAtPoint(const QPoint &pos, const QString &text);

    QPointer<QWidget> m_box;
    QList<KeyFilterFunction> m_filters;
};

// Guards `box` with `filter`, after any filter already attached to it.
void attachKeyFilter(QWidget *box, KeyFilterFunction filter);
// A text written as a quoted field of a text record file refuses the double quote.
void attachQuoteFilter(QWidget *box, Prompts &prompts);
void attachMoneyFilter(QWidget *box);
void attachDigitFilter(QWidget *box);
