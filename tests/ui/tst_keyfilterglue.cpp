#include "ui/keyfilterglue.h"

#include "core/keyfilters.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace {

using Call = QPair<int, QString>;

// Records every key a box's filter is asked about and refuses the characters listed.
struct Recorder
{
    QList<Call> calls;
    QString refused;
    bool refuseAll = false;

    KeyFilterFunction filter()
    {
        return [this](int key, const QString &text) {
            calls.append({key, text});
            return refuseAll || refused.contains(QChar(key)) ? 0 : key;
        };
    }
};

QString invalid(const QString &character)
{
    return QStringLiteral("This character, (") + character +
           QStringLiteral(") is invalid for this field");
}

// The filters of the program's boxes, by name.
void attach(QWidget *box, const QString &kind, Prompts &prompts)
{
    if (kind == QLatin1String("money")) {
        attachMoneyFilter(box);
    } else if (kind == QLatin1String("digit")) {
        attachDigitFilter(box);
    } else if (kind == QLatin1String("quote")) {
        attachQuoteFilter(box, prompts);
    } else if (kind == QLatin1String("name")) {
        attachKeyFilter(box, [&prompts](int key, const QString &text) {
            return keyfilters::NameKeyFilter(key, text, prompts);
        });
    } else if (kind == QLatin1String("invoice number")) {
        attachKeyFilter(box, [&prompts](int key, const QString &text) {
            return keyfilters::NameKeyFilter(key, text, prompts);
        });
        attachMoneyFilter(box);
    } else {
        QFAIL("unknown filter");
    }
}

QStringList toldTexts(const ScriptedPrompts &prompts)
{
    QStringList texts;
    for (const ScriptedPrompts::Shown &shown : prompts.shown) {
        if (shown.kind != QLatin1String("tell") || shown.title != keyfilters::InvalidKeyTitle)
            texts << QStringLiteral("unexpected %1 titled %2").arg(shown.kind, shown.title);
        else
            texts << shown.text;
    }
    return texts;
}

// Opens the box's context menu and chooses Paste in it.
void pasteFromContextMenu(QWidget *target)
{
    const QPoint pos = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
    QApplication::sendEvent(target, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QAction *paste = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text().startsWith(QLatin1String("&Paste")))
            paste = action;
    }
    QVERIFY(paste);
    QVERIFY(paste->isEnabled());
    paste->trigger();
    menu->close();
}

void paste(QWidget *box, const QString &via)
{
    if (via == QLatin1String("ctrl+v"))
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    else if (via == QLatin1String("shift+insert"))
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    else
        pasteFromContextMenu(box);
}

// Drops text at the end of a line edit; true when the box took the drop.
bool dropAtEnd(QWidget *target, const QString &text)
{
    QMimeData mime;
    mime.setText(text);
    const QPoint pos(target->width() - 3, target->height() / 2);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    // A drop reaches only the widget that accepted the drag's entry.
    QDragEnterEvent enter(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

void commit(QWidget *box, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

} // namespace

class TestKeyFilterGlue : public QObject
{
    Q_OBJECT
    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_box = nullptr;
    QLineEdit *m_other = nullptr;
    ScriptedPrompts m_prompts;

    template <typename Box> Box *addBox()
    {
        auto *box = new Box(m_window.get());
        m_window->layout()->addWidget(box);
        return box;
    }

    void showAndFocus(QWidget *box)
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        box->setFocus();
        QVERIFY(box->hasFocus());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_prompts.clear();
        m_window = std::make_unique<QWidget>();
        m_window->setLayout(new QVBoxLayout);
        m_box = addBox<QLineEdit>();
        m_box->setObjectName(QStringLiteral("box"));
        m_other = addBox<QLineEdit>();
        m_other->setObjectName(QStringLiteral("other"));
        QGuiApplication::clipboard()->clear();
    }

    void cleanup() { m_window.reset(); }

    void clipboardWorksHere()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("12.5"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12.5"));
    }

    void typedKeys_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("told");

        QTest::newRow("money: point five") << "money"
                                           << ".5"
                                           << ".5" << QStringList();
        QTest::newRow("money: leading zero, letter and second point") << "money"
                                                                      << "0.5a.7"
                                                                      << ".57" << QStringList();
        QTest::newRow("money: two decimals at most") << "money"
                                                     << "12.345"
                                                     << "12.34" << QStringList();
        QTest::newRow("digit") << "digit"
                               << "1a2.3 4"
                               << "1234" << QStringList();
        QTest::newRow("quote") << "quote"
                               << "say \"hi\""
                               << "say hi" << QStringList{invalid("\""), invalid("\"")};
        QTest::newRow("name") << "name"
                              << "A/B"
                              << "AB" << QStringList{invalid("/")};
        QTest::newRow("name after a number") << "name"
                                             << "12/B."
                                             << "12/B" << QStringList{invalid(".")};
        QTest::newRow("invoice number: slash after a number") << "invoice number"
                                                              << "12/3"
                                                              << "123" << QStringList();
        QTest::newRow("invoice number: slash in an empty box") << "invoice number"
                                                               << "/5"
                                                               << "5" << QStringList{invalid("/")};
    }

    void typedKeys()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(QStringList, told);

        attach(m_box, kind, m_prompts);
        showAndFocus(m_box);
        QTest::keyClicks(m_box, typed);
        QCOMPARE(m_box->text(), expected);
        QCOMPARE(toldTexts(m_prompts), told);
        QCOMPARE(m_prompts.beeps, told.size());
        QVERIFY(m_box->hasFocus());
    }

    void typedOverASelection_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");

        QTest::newRow("money full, all selected") << "money"
                                                  << "$6.80" << true << "7.5"
                                                  << "7.5";
        QTest::newRow("money full, nothing selected") << "money"
                                                      << "$6.80" << false << "7"
                                                      << "$6.80";
        QTest::newRow("money, all selected, second point") << "money"
                                                           << "$6.80" << true << "1.2.3"
                                                           << "1.23";
        QTest::newRow("digits, all selected") << "digit"
                                              << "12" << true << "3a"
                                              << "3";
    }

    void typedOverASelection()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        QFETCH(QString, expected);

        m_box->setText(text);
        attach(m_box, kind, m_prompts);
        showAndFocus(m_box);
        if (selectAll)
            m_box->selectAll();
        QTest::keyClicks(m_box, typed);
        QCOMPARE(m_box->text(), expected);
    }

    void filterSeesTheKeyAndTheWholeText()
    {
        Recorder recorder;
        attachKeyFilter(m_box, recorder.filter());
        showAndFocus(m_box);
        QTest::keyClicks(m_box, QStringLiteral("ab"));
        QTest::keyClick(m_box, Qt::Key_Home);
        QTest::keyClicks(m_box, QStringLiteral("c"));
        const QList<Call> expected{{'a', ""}, {'b', "a"}, {'c', "ab"}};
        QCOMPARE(recorder.calls, expected);
        QCOMPARE(m_box->text(), QStringLiteral("cab"));
    }

    void modifiedCharactersAreFiltered_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("alt") << int(Qt::AltModifier);
        QTest::newRow("meta") << int(Qt::MetaModifier);
        QTest::newRow("ctrl+alt") << int(Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("shift") << int(Qt::ShiftModifier);
    }

    void modifiedCharactersAreFiltered()
    {
        // The box inserts these characters itself, so the filter must see them.
        QFETCH(int, modifiers);
        Recorder recorder;
        recorder.refuseAll = true;
        attachKeyFilter(m_box, recorder.filter());
        showAndFocus(m_box);
        QTest::keyClick(m_box, 'a', Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_box->text(), QString());
        QCOMPARE(recorder.calls.size(), 1);
    }

    void backspaceAndEnter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("returnPressed");

        QTest::newRow("backspace let through")
            << int(Qt::Key_Backspace) << 0 << false << 8 << "a" << 0;
        QTest::newRow("backspace swallowed")
            << int(Qt::Key_Backspace) << 0 << true << 8 << "ab" << 0;
        QTest::newRow("shift+backspace swallowed")
            << int(Qt::Key_Backspace) << int(Qt::ShiftModifier) << true << 8 << "ab" << 0;
        QTest::newRow("return let through") << int(Qt::Key_Return) << 0 << false << 13 << "ab" << 1;
        QTest::newRow("return swallowed") << int(Qt::Key_Return) << 0 << true << 13 << "ab" << 0;
        QTest::newRow("keypad enter let through")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << 13 << "ab" << 1;
        QTest::newRow("keypad enter swallowed")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << 13 << "ab" << 0;
    }

    void backspaceAndEnter()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, refuse);
        QFETCH(int, code);
        QFETCH(QString, expected);
        QFETCH(int, returnPressed);

        Recorder recorder;
        recorder.refuseAll = refuse;
        m_box->setText(QStringLiteral("ab"));
        attachKeyFilter(m_box, recorder.filter());
        showAndFocus(m_box);
        QSignalSpy returns(m_box, &QLineEdit::returnPressed);
        QTest::keyClick(m_box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(recorder.calls, QList<Call>{Call(code, QStringLiteral("ab"))});
        QCOMPARE(m_box->text(), expected);
        QCOMPARE(returns.size(), returnPressed);
    }

    void keysThatPassUntouched_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("selected");

        // The box holds "abc" with the cursor after "a".
        QTest::newRow("left") << int(Qt::Key_Left) << 0 << "abc" << 0 << "";
        QTest::newRow("right") << int(Qt::Key_Right) << 0 << "abc" << 2 << "";
        QTest::newRow("shift+right")
            << int(Qt::Key_Right) << int(Qt::ShiftModifier) << "abc" << 2 << "b";
        QTest::newRow("home") << int(Qt::Key_Home) << 0 << "abc" << 0 << "";
        QTest::newRow("end") << int(Qt::Key_End) << 0 << "abc" << 3 << "";
        QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << "ac" << 1 << "";
        QTest::newRow("ctrl+a") << int(Qt::Key_A) << int(Qt::ControlModifier) << "abc" << 3
                                << "abc";
        QTest::newRow("ctrl+backspace")
            << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << "bc" << 0 << "";
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << "abc" << 1 << "";
    }

    void keysThatPassUntouched()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        QFETCH(int, cursor);
        QFETCH(QString, selected);

        Recorder recorder;
        recorder.refuseAll = true;
        m_box->setText(QStringLiteral("abc"));
        m_box->setCursorPosition(1);
        attachKeyFilter(m_box, recorder.filter());
        showAndFocus(m_box);
        QTest::keyClick(m_box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(recorder.calls, QList<Call>());
        QCOMPARE(m_box->text(), expected);
        QCOMPARE(m_box->cursorPosition(), cursor);
        QCOMPARE(m_box->selectedText(), selected);
    }

    void tabMovesOnUntouched()
    {
        Recorder recorder;
        recorder.refuseAll = true;
        attachKeyFilter(m_box, recorder.filter());
        showAndFocus(m_box);
        QTest::keyClick(m_box, Qt::Key_Tab);
        QVERIFY(m_other->hasFocus());
        QCOMPARE(recorder.calls, QList<Call>());
    }

    void paste_data()
    {
        QTest::addColumn<QString>("via");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("told");

        const QStringList none;
        for (const char *via : {"ctrl+v", "shift+insert", "menu"}) {
            const auto row = [via](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", via, name) << QString::fromLatin1(via);
            };
            row("money accepted") << "money"
                                  << "12" << false << 32767 << ".34"
                                  << "12.34" << none;
            row("money: third decimal refuses all") << "money"
                                                    << "12" << false << 32767 << ".345"
                                                    << "12" << none;
            row("money: letter refuses all") << "money"
                                             << "" << false << 32767 << "5a"
                                             << "" << none;
            row("money: leading zero refuses all") << "money"
                                                   << "" << false << 32767 << "0.5"
                                                   << "" << none;
            row("money: replaces the selection") << "money"
                                                 << "99" << true << 32767 << "0.5"
                                                 << "0.5" << none;
            row("money: cut at the box's length") << "money"
                                                  << "12" << false << 4 << ".345"
                                                  << "12.3" << none;
            row("line break at the end dropped") << "money"
                                                 << "" << false << 32767 << "12\n"
                                                 << "12" << none;
            row("carriage return and line feed at the end dropped")
                << "quote"
                << "" << false << 32767 << "Main St\r\n"
                << "Main St" << none;
            row("line break inside refuses all") << "quote"
                                                 << "" << false << 32767 << "Main St\nSuite 4"
                                                 << "" << none;
            row("tab inside refuses all") << "quote"
                                          << "" << false << 32767 << "a\tb"
                                          << "" << none;
            row("quote refuses all") << "quote"
                                     << "x" << false << 32767 << "say \"hi\""
                                     << "x" << QStringList{invalid("\"")};
            row("quote accepted") << "quote"
                                  << "x" << false << 32767 << "y, z"
                                  << "xy, z" << none;
            row("name refuses all") << "name"
                                    << "AB" << false << 32767 << "C/D"
                                    << "AB" << QStringList{invalid("/")};
            row("name: slash after a number") << "name"
                                              << "12" << false << 32767 << "/B"
                                              << "12/B" << none;
            row("invoice number: slash after a number refuses all")
                << "invoice number"
                << "12" << false << 32767 << "/3"
                << "12" << none;
        }
    }

    void paste()
    {
        QFETCH(QString, via);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, selectAll);
        QFETCH(int, maxLength);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        QFETCH(QStringList, told);

        m_box->setMaxLength(maxLength);
        m_box->setText(text);
        if (selectAll)
            m_box->selectAll();
        attach(m_box, kind, m_prompts);
        showAndFocus(m_box);
        QGuiApplication::clipboard()->setText(clipboard);
        ::paste(m_box, via);
        QCOMPARE(m_box->text(), expected);
        QCOMPARE(toldTexts(m_prompts), told);
        QVERIFY(m_box->hasFocus());
    }

    void pasteChecksEachCharacterAgainstTheTextSoFar()
    {
        Recorder recorder;
        m_box->setText(QStringLiteral("ad"));
        m_box->setCursorPosition(1);
        attachKeyFilter(m_box, recorder.filter());
        showAndFocus(m_box);
        QGuiApplication::clipboard()->setText(QStringLiteral("bc"));
        QTest::keyClick(m_box, Qt::Key_V, Qt::ControlModifier);
        const QList<Call> expected{{'b', "ad"}, {'c', "abd"}};
        QCOMPARE(recorder.calls, expected);
        QCOMPARE(m_box->text(), QStringLiteral("abcd"));
        QCOMPARE(m_box->cursorPosition(), 3);
    }

    void drop_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("told");

        QTest::newRow("money accepted") << "money"
                                        << "12."
                                        << "5"
                                        << "12.5" << true << QStringList();
        QTest::newRow("money refused") << "money"
                                       << "12."
                                       << "5x"
                                       << "12." << false << QStringList();
        QTest::newRow("quote refused") << "quote"
                                       << "a"
                                       << "b\"c"
                                       << "a" << false << QStringList{invalid("\"")};
        QTest::newRow("line break at the end dropped") << "quote"
                                                       << "a"
                                                       << "bc\n"
                                                       << "abc" << true << QStringList();
    }

    void drop()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, dropped);
        QFETCH(QString, expected);
        QFETCH(bool, accepted);
        QFETCH(QStringList, told);

        m_box->setText(text);
        attach(m_box, kind, m_prompts);
        showAndFocus(m_box);
        QCOMPARE(dropAtEnd(m_box, dropped), accepted);
        QCOMPARE(m_box->text(), expected);
        QCOMPARE(toldTexts(m_prompts), told);
        QVERIFY(m_box->hasFocus());
    }

    void inputMethodCommit_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("told");

        QTest::newRow("quote accepted")
            << "quote"
            << "Caf" << QStringLiteral("\u00e9s") << QStringLiteral("Caf\u00e9s") << QStringList();
        QTest::newRow("quote refused")
            << "quote"
            << "Caf" << QStringLiteral("\u00e9\"") << "Caf" << QStringList{invalid("\"")};
        QTest::newRow("money accepted") << "money"
                                        << "12"
                                        << "5"
                                        << "125" << QStringList();
        QTest::newRow("money refused") << "money"
                                       << "12" << QStringLiteral("\u00bd") << "12" << QStringList();
    }

    void inputMethodCommit()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, committed);
        QFETCH(QString, expected);
        QFETCH(QStringList, told);

        m_box->setText(text);
        attach(m_box, kind, m_prompts);
        showAndFocus(m_box);
        commit(m_box, committed);
        QCOMPARE(m_box->text(), expected);
        QCOMPARE(toldTexts(m_prompts), told);
    }

    void refusalKeepsTheFocus_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("byPaste");
        QTest::newRow("typed, refused") << true << false;
        QTest::newRow("typed, let through") << false << false;
        QTest::newRow("pasted, refused") << true << true;
        QTest::newRow("pasted, let through") << false << true;
    }

    void refusalKeepsTheFocus()
    {
        // A message box takes the focus while it is shown; a refusal gives it back.
        QFETCH(bool, refuse);
        QFETCH(bool, byPaste);
        attachKeyFilter(m_box, [this, refuse](int key, const QString &) {
            m_other->setFocus();
            return refuse ? 0 : key;
        });
        showAndFocus(m_box);
        if (byPaste) {
            QGuiApplication::clipboard()->setText(QStringLiteral("x"));
            QTest::keyClick(m_box, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClick(m_box, Qt::Key_X);
        }
        QCOMPARE(m_box->hasFocus(), refuse);
        QCOMPARE(m_other->hasFocus(), !refuse);
    }

    void readOnlyBoxIsLeftAlone()
    {
        Recorder recorder;
        m_box->setText(QStringLiteral("ab"));
        m_box->setReadOnly(true);
        attachKeyFilter(m_box, recorder.filter());
        showAndFocus(m_box);
        QTest::keyClicks(m_box, QStringLiteral("c"));
        QTest::keyClick(m_box, Qt::Key_Backspace);
        QGuiApplication::clipboard()->setText(QStringLiteral("d"));
        QTest::keyClick(m_box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(recorder.calls, QList<Call>());
        QCOMPARE(m_box->text(), QStringLiteral("ab"));
    }

    void editableComboBox()
    {
        auto *combo = addBox<QComboBox>();
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        attachMoneyFilter(combo);
        showAndFocus(combo);

        QTest::keyClicks(combo, QStringLiteral("0.5a."));
        QCOMPARE(combo->currentText(), QStringLiteral(".5"));

        QGuiApplication::clipboard()->setText(QStringLiteral("5x"));
        QTest::keyClick(combo, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(combo->currentText(), QStringLiteral(".5"));

        QGuiApplication::clipboard()->setText(QStringLiteral("9"));
        pasteFromContextMenu(combo->lineEdit());
        QCOMPARE(combo->currentText(), QStringLiteral(".59"));

        combo->setEditText(QStringLiteral("1."));
        QVERIFY(!dropAtEnd(combo->lineEdit(), QStringLiteral("..")));
        QCOMPARE(combo->currentText(), QStringLiteral("1."));

        commit(combo, QStringLiteral("a"));
        QCOMPARE(combo->currentText(), QStringLiteral("1."));
        commit(combo, QStringLiteral("2"));
        QCOMPARE(combo->currentText(), QStringLiteral("1.2"));
        QVERIFY(combo->hasFocus());
    }

    void multiLineBoxes_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::newRow("plain text edit") << false;
        QTest::newRow("text edit") << true;
    }

    void multiLineBoxes()
    {
        QFETCH(bool, rich);
        QWidget *box = rich ? static_cast<QWidget *>(addBox<QTextEdit>())
                            : static_cast<QWidget *>(addBox<QPlainTextEdit>());
        const auto text = [box, rich] {
            return rich ? static_cast<QTextEdit *>(box)->toPlainText()
                        : static_cast<QPlainTextEdit *>(box)->toPlainText();
        };
        QWidget *viewport = rich ? static_cast<QTextEdit *>(box)->viewport()
                                 : static_cast<QPlainTextEdit *>(box)->viewport();
        Recorder recorder;
        recorder.refused = QStringLiteral("\"");
        attachKeyFilter(box, recorder.filter());
        showAndFocus(box);

        QTest::keyClicks(box, QStringLiteral("a\""));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(text(), QStringLiteral("a\n"));

        // A pasted line break reaches the filter as Enter.
        QGuiApplication::clipboard()->setText(QStringLiteral("b\nc"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text(), QStringLiteral("a\nb\nc"));

        QGuiApplication::clipboard()->setText(QStringLiteral("d\"e"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text(), QStringLiteral("a\nb\nc"));
        pasteFromContextMenu(viewport);
        QCOMPARE(text(), QStringLiteral("a\nb\nc"));

        QGuiApplication::clipboard()->setText(QStringLiteral("f\r\ng"));
        pasteFromContextMenu(viewport);
        QCOMPARE(text(), QStringLiteral("a\nb\ncf\ng"));

        QVERIFY(!dropAtEnd(viewport, QStringLiteral("x\"")));
        QCOMPARE(text(), QStringLiteral("a\nb\ncf\ng"));
        QVERIFY(dropAtEnd(viewport, QStringLiteral("h")));
        QCOMPARE(text(), QStringLiteral("a\nb\ncf\ngh"));

        const QList<Call> expected{{'a', ""},           {'"', "a"},           {13, "a"},
                                   {'b', "a\n"},        {13, "a\nb"},         {'c', "a\nb\n"},
                                   {'d', "a\nb\nc"},    {'"', "a\nb\ncd"},    {'d', "a\nb\nc"},
                                   {'"', "a\nb\ncd"},   {'f', "a\nb\nc"},     {13, "a\nb\ncf"},
                                   {'g', "a\nb\ncf\n"}, {'x', "a\nb\ncf\ng"}, {'"', "a\nb\ncf\ngx"},
                                   {'h', "a\nb\ncf\ng"}};
        QCOMPARE(recorder.calls, expected);
        QVERIFY(box->hasFocus());
    }
};

QTEST_MAIN(TestKeyFilterGlue)
#include "tst_keyfilterglue.moc"
