#pragma once
#include <QString>
#include <Qt>
#include <vector>

// Clipboard text as the keystrokes that would type it, for paste as typing. Every
// character is taken literally: printable ones carry no key of their own (only their
// text), so no character can be read as a key name or a shortcut. Control characters
// become the keys that produce them: CR Enter, LF Ctrl+J, Tab Tab, other codes below 32
// Ctrl plus a letter.
class PasteKeystrokes {
public:
    struct Keystroke {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    static std::vector<Keystroke> forText(const QString& text);
};
