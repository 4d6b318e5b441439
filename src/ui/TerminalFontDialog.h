#pragma once
// The terminal font chooser: a face and a size, with a sample drawn the way the screen
// draws. The first two faces are the ones a BBS screen is made for: the Ming face for
// everything, or a clear monospace face for letters and digits (l/1 and O/0 distinct)
// with the Ming face for Chinese. Every text comes from the language file.
#include <QDialog>
#include <QFont>

#include <optional>

class LanguageTexts;
class QComboBox;
class QLabel;
class QListWidget;

class TerminalFontDialog : public QDialog {
    Q_OBJECT
public:
    TerminalFontDialog(const QFont& initial, const LanguageTexts& texts, QWidget* parent = nullptr);

    // The face and size picked so far (point size set).
    QFont selectedFont() const;
    void select(const QString& family, int points);

    // Shows the dialog modally; nullopt when it was cancelled.
    static std::optional<QFont> choose(const QFont& initial, const LanguageTexts& texts, QWidget* parent);

    // The monospace face used for letters and digits, the first installed of a short list.
    static QString monospaceFamily();
    // The face name the screen knows as the Ming face.
    static QString mingFamily();

private:
    void updateSample();

    QListWidget* families_;
    QComboBox* sizes_;
    QLabel* sample_;
};
