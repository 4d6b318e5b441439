#pragma once
#include <QDialog>

struct AppContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolBar;
class SessionTabs;

// The look both account dialogs share: account and password boxes, the automatic-logon
// and the two after-logon switches, and a toolbar with OK and Cancel. Enter is OK, Escape
// and the close box are Cancel. The dialogs differ in what they check and what OK does.
class LoginDialogBase : public QDialog {
    Q_OBJECT
public:
    LoginDialogBase(AppContext& context, const QString& name, QWidget* parent);

    QLabel* LblInfo;
    QLabel* LblUserName;
    QLineEdit* txtUserName;
    QLabel* LblPassword;
    QLineEdit* txtPassword;
    QCheckBox* ChkAutoEnabled;
    QCheckBox* ChkDeletePWDLog;
    QCheckBox* ChkDeleteOtherLinks;
    QToolBar* TB;

    // Fills the boxes from the settings; the opener calls it just before showing.
    virtual void initialize() = 0;
    // Trims both boxes (writing the trimmed texts back) and says what is missing.
    virtual bool checkValues() = 0;
    // The toolbar's buttons, by key: "OK" or "Cancel".
    void TB_ButtonClick(const QString& key);

    // Captions of the current language mode.
    void applyTexts();
    // Cancel (Escape, the close box): ends the automatic navigation of the current tab.
    void reject() override;

protected:
    virtual bool confirm() = 0;  // OK after checkValues passed; false keeps the dialog open
    bool checkAccount(bool required);
    void message(const QString& key);
    // The main window's tabs, when the dialog belongs to one.
    SessionTabs* sessions() const;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    AppContext& context_;
};
