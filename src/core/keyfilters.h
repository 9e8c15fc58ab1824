#pragma once

#include <QString>

class Prompts;

// Keystroke filters of the entry boxes. A filter gets the character code of the
// key (Backspace 8, Enter 13) and the box's whole text, and returns the code to let
// through or 0 to swallow it. None looks at the caret or the selection.
namespace keyfilters {

constexpr int Backspace = 8;
constexpr int Enter = 13;

int MoneyKeyFilter(int key, const QString &text);
int DigitKeyFilter(int key);
// A refused key beeps and tells InvalidCharacterMessage titled InvalidKeyTitle.
int NameKeyFilter(int key, const QString &text, Prompts &prompts);
int QuoteKeyFilter(int key, Prompts &prompts);
// Refuses what a file or folder name may not hold, as the whole-name check does.
int FileNameKeyFilter(int key, Prompts &prompts);

QString InvalidCharacterMessage(QChar character);
inline const QString InvalidKeyTitle = QStringLiteral("Invalid Key entry");

// The box's new text: numeric text re-shown as currency; otherwise beep and "".
// `refused` tells the caller to give the box the focus back.
struct FieldCheckResult
{
    QString text;
    bool refused = false;
};
FieldCheckResult MoneyFieldCheck(const QString &text, Prompts &prompts);

// Title, first name, middle initial and last name as shown for a person.
QString JoinNameParts(const QString &a, const QString &b, const QString &c, const QString &d);

} // namespace keyfilters
