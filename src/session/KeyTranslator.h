#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <Qt>

// What a key sends to the BBS. The session control hands over its key notifications
// (key-down, character, key-up) and sends what comes back; nothing here touches a
// socket, the clipboard or a widget. Key codes are the Windows virtual-key codes the
// key rules are written in; modifier states add up 1 Shift, 2 Ctrl, 4 Alt.
class KeyTranslator {
public:
    static constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
    static constexpr int kVkC = 67, kVkV = 86;
    // Columns a pasted line may fill before a CR LF is put in front of the next character.
    static constexpr int kPasteWrapColumn = 77;

    // Qt key (with the keypad flag, which picks the number pad codes) to a virtual-key
    // code; 0 for keys that have none.
    static int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Shift/Ctrl/Alt to 1/2/4 added together; Meta and the keypad flag do not count.
    static int modifierState(Qt::KeyboardModifiers modifiers);

    // Key-down: the escape sequence of a cursor, editing or function key. Empty when a
    // modifier is held, the code is outside 33..121 or the key has no sequence.
    static QByteArray keyDown(int virtualKey, int modifierState);

    // Character notification: the text the key produced as Big5 bytes in one send.
    // Code 3 (Ctrl+C) sends nothing. Characters Big5 lacks become '?'.
    static QByteArray character(const QString& text);

    // Key-up: Ctrl+C copies (when switched on), Ctrl+V pastes (when switched on). Both
    // need Ctrl alone.
    static bool isCopyKeyUp(int virtualKey, int modifierState, bool switchOfCtrlC);
    static bool isPasteKeyUp(int virtualKey, int modifierState, bool switchOfCtrlV);

    // Paste as typing: the clipboard text wrapped for a line that starts at column, one
    // send per character, each already in Big5. CR becomes CR LF and starts a new line;
    // before any other character at column 77 or beyond a CR LF is put first; a
    // character above code 127 counts two columns, others one.
    static QList<QByteArray> pasteSends(const QString& text, int column);
};
