#pragma once
// The row above the tabs: the toolbar TB with its six buttons and the address bar
// (CmbGo, CmdGo, TxtZEKURL). It reports a button by its key and an address to open;
// what they do is the main window's business (MenuCommands).
#include <QObject>

class LanguageTexts;
class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolBar;
class QWidget;

class ToolbarRow : public QObject {
    Q_OBJECT
public:
    // The widgets are children of content and are placed by MainFormLayout.
    explicit ToolbarRow(QWidget* content);

    QToolBar* TB;
    QComboBox* CmbGo;
    QPushButton* CmdGo;
    QLineEdit* TxtZEKURL;

    // Button keys, left to right.
    static const QStringList& buttonKeys();
    // The button with this key, or null.
    QAction* button(const QString& key) const;

    // Captions and tooltips from the language texts.
    void applyTexts(const LanguageTexts& texts);
    // Puts an address that was opened at the top of the combo box's list.
    void rememberAddress(const QString& text);
    // Moves the keyboard focus to the address box with its text selected.
    void focusAddress();

    // Places the row with its top-left corner at (left, top) in pixels; the combo box
    // takes comboWidth pixels when that is positive and keeps its width otherwise.
    void place(int left, int top, int comboWidth);
    // Height of the whole row in pixels (T).
    int height() const;
    // Left edge of CmbGo relative to the row, in pixels.
    int comboOffset() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A toolbar button was clicked.
    void ButtonClick(const QString& key);
    // Enter in the address box or the go button: the box's text as it stands.
    void GoRequested(const QString& text);
};
