#include "session/PasteKeystrokes.h"

std::vector<PasteKeystrokes::Keystroke> PasteKeystrokes::forText(const QString& text) {
    std::vector<Keystroke> out;
    out.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        Keystroke k;
        k.text = QString(ch);
        const ushort u = ch.unicode();
        if (u == 13) {
            k.key = Qt::Key_Return;
        } else if (u == 9) {
            k.key = Qt::Key_Tab;
        } else if (u == 27) {
            k.key = Qt::Key_Escape;
        } else if (u == 8) {
            k.key = Qt::Key_Backspace;
        } else if (u >= 1 && u < 27) {
            // LF is Ctrl+J, and so on for the other control codes.
            k.key = Qt::Key_A + (u - 1);
            k.modifiers = Qt::ControlModifier;
        } else if (u == 0 || (u > 27 && u < 32)) {
            continue;  // no key types these
        } else {
            k.key = Qt::Key_unknown;
            // A character outside the basic plane travels as one keystroke.
            if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                k.text += text.at(i + 1);
                ++i;
            }
        }
        out.push_back(std::move(k));
    }
    return out;
}
