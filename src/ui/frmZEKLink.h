#pragma once
// The link dialog: the Zek link of what the current session shows, long and short,
// with copy buttons and a label that saves it among Zek's bookmarks. Without a link it
// explains what Zek links are. One instance lives as long as the main window.
#include <QDialog>

struct AppContext;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;

class frmZEKLink : public QDialog {
    Q_OBJECT
public:
    explicit frmZEKLink(AppContext& context, QWidget* parent = nullptr);

    void initialize() {}
    // Fills the dialog for a link of type "Board", "Article", "BBS" or "" (no link).
    // A short link arriving for the long link on show fills the short box instead.
    void setForm(const QString& type, const QString& link);
    // Shows the dialog, modal to its owner, and brings it to the front.
    void showModal();

    // The short-link request for the long link on show ended without a link.
    void shortLinkFailed();
    // Whether the short-link button is offered (a short-link service is configured).
    void setShortLinksAvailable(bool available);

    QString type() const { return type_; }

    QLabel* LblInfo1;
    QLabel* LblInfo2;
    QLabel* LblInfo3;
    QLabel* LblIntroZEKURL;
    QLineEdit* TxtZEKURL;
    QPushButton* CmdCopyLong;
    QLabel* LblShortURL;
    QLineEdit* TxtShortURL;
    QPushButton* CmdMakeShort;
    QPushButton* CmdCopyShort;
    QLabel* LblIE;
    QLabel* LblFacebook;
    QLabel* LblPlurk;
    QToolBar* TB;

signals:
    // The user asks for the short form of this long link.
    void ShortLinkRequested(const QString& longLink);
    // The user wants this link among the bookmarks.
    void BookmarkRequested(const QString& type, const QString& link);
    // The explanation's link was clicked.
    void IntroRequested();

private:
    QString text(const char* key) const;
    bool isShortLink(const QString& link) const;
    void setShortRowVisible(bool visible);
    void updateShortRow();

    AppContext& context_;
    QString type_;
    QString pendingLong_;  // the long link whose short form was asked for
    bool shortAvailable_ = false;
};
