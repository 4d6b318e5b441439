#include "KeyTranslator.h"

#include "screen/Big5.h"

#include <QStringView>

namespace {

struct KeyCode {
    int qtKey;
    int vk;
};

// Qt keys without a character of their own, and the punctuation keys of a US layout.
constexpr KeyCode kKeys[] = {
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},        {Qt::Key_Backtab, 9},      {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},    {Qt::Key_Enter, 13},     {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},       {Qt::Key_Pause, 19},     {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},     {Qt::Key_PageUp, 33},    {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},      {Qt::Key_Left, 37},      {Qt::Key_Up, 38},          {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},      {Qt::Key_Select, 41},    {Qt::Key_Printer, 42},     {Qt::Key_Execute, 43},
    {Qt::Key_Print, 44},     {Qt::Key_Insert, 45},    {Qt::Key_Delete, 46},      {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},      {Qt::Key_Menu, 93},      {Qt::Key_Sleep, 95},       {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145}, {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},   {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},     {Qt::Key_Comma, 188},    {Qt::Key_Less, 188},       {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190}, {Qt::Key_Greater, 190},    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191}, {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219}, {Qt::Key_Backslash, 220}, {Qt::Key_Bar, 220},      {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222},
    // Shifted digits of a US layout arrive as their symbols; they belong to the digit keys.
    {Qt::Key_Exclam, 49},    {Qt::Key_At, 50},        {Qt::Key_NumberSign, 51},  {Qt::Key_Dollar, 52},
    {Qt::Key_Percent, 53},   {Qt::Key_AsciiCircum, 54}, {Qt::Key_Ampersand, 55}, {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57}, {Qt::Key_ParenRight, 48},
};

// Number pad keys (with Qt::KeypadModifier) that have codes of their own.
constexpr KeyCode kKeypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109}, {Qt::Key_Period, 110},
    {Qt::Key_Comma, 110},    {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},
};

QByteArray sequenceFor(int vk) {
    switch (vk) {
    case 33: return QByteArrayLiteral("\x1b[5~");
    case 34: return QByteArrayLiteral("\x1b[6~");
    case 35: return QByteArrayLiteral("\x1b[4~");
    case 36: return QByteArrayLiteral("\x1b[1~");
    case 37: return QByteArrayLiteral("\x1b[D");
    case 38: return QByteArrayLiteral("\x1b[A");
    case 39: return QByteArrayLiteral("\x1b[C");
    case 40: return QByteArrayLiteral("\x1bOB");  // Down differs from the other arrows
    case 45: return QByteArrayLiteral("\x1b[2~");
    case 46: return QByteArrayLiteral("\x1b[3~");
    case 112: return QByteArrayLiteral("\x1bOP");
    case 113: return QByteArrayLiteral("\x1bOQ");
    case 114: return QByteArrayLiteral("\x1bOR");
    case 115: return QByteArrayLiteral("\x1bOS");
    case 116: return QByteArrayLiteral("\x1b[15~");
    case 117: return QByteArrayLiteral("\x1b[17~");
    case 118: return QByteArrayLiteral("\x1b[18~");
    case 119: return QByteArrayLiteral("\x1b[19~");
    case 120: return QByteArrayLiteral("\x1b[20~");
    case 121: return QByteArrayLiteral("\x1b[21~");
    default: return {};
    }
}

QByteArray toBig5(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string bytes = big5::fromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

int KeyTranslator::virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
        for (const KeyCode& k : kKeypad)
            if (k.qtKey == qtKey) return k.vk;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    for (const KeyCode& k : kKeys)
        if (k.qtKey == qtKey) return k.vk;
    return 0;
}

int KeyTranslator::modifierState(Qt::KeyboardModifiers modifiers) {
    return ((modifiers & Qt::ShiftModifier) ? kShift : 0) | ((modifiers & Qt::ControlModifier) ? kCtrl : 0) |
           ((modifiers & Qt::AltModifier) ? kAlt : 0);
}

QByteArray KeyTranslator::keyDown(int virtualKey, int modifierState) {
    if (modifierState != 0) return {};
    if (virtualKey < 33 || virtualKey > 121) return {};
    return sequenceFor(virtualKey);
}

QByteArray KeyTranslator::character(const QString& text) {
    if (text.isEmpty() || text == QStringLiteral("\x03")) return {};
    return toBig5(text);
}

bool KeyTranslator::isCopyKeyUp(int virtualKey, int modifierState, bool switchOfCtrlC) {
    return switchOfCtrlC && virtualKey == kVkC && modifierState == kCtrl;
}

bool KeyTranslator::isPasteKeyUp(int virtualKey, int modifierState, bool switchOfCtrlV) {
    return switchOfCtrlV && virtualKey == kVkV && modifierState == kCtrl;
}

QList<QByteArray> KeyTranslator::pasteSends(const QString& text, int column) {
    QList<QByteArray> sends;
    int c = column;
    const auto crlf = [&] {
        sends.append(QByteArrayLiteral("\r"));
        sends.append(QByteArrayLiteral("\n"));
        c = 0;
    };
    for (qsizetype i = 0; i < text.size();) {
        // A character outside the basic plane is one character of two UTF-16 units.
        const qsizetype units = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView ch = QStringView(text).mid(i, units);
        i += units;
        if (ch.size() == 1 && ch.at(0).unicode() == 13) {
            crlf();
            continue;
        }
        if (c >= kPasteWrapColumn) crlf();
        c += (units == 2 || ch.at(0).unicode() > 127) ? 2 : 1;
        sends.append(toBig5(ch));
    }
    return sends;
}
