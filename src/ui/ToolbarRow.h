#pragma once
// The row above the tabs: the toolbar TB and the address bar (CmbGo, CmdGo, TxtZEKURL).
// Only what the layout and the tabs need for now; the address bar's commands and the
// toolbar's full set of buttons come with their own class.
#include <QObject>

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

    // Places the row with its top-left corner at (left, top) in pixels; the combo box
    // takes comboWidth pixels when that is positive and keeps its width otherwise.
    void place(int left, int top, int comboWidth);
    // Height of the whole row in pixels (T).
    int height() const;
    // Left edge of CmbGo relative to the row, in pixels.
    int comboOffset() const;
};
