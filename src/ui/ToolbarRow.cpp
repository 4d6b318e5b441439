#include "ui/ToolbarRow.h"

#include "app/Deployment.h"
#include "app/LanguageTexts.h"
#include "ui/ToolbarIcons.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

namespace {
constexpr int kSpacing = 4;  // px between the controls of the row
// px between the address line and the URL line under it: kept small so that the screen
// gets the height the automatic font size table counts on.
constexpr int kLineGap = 1;
constexpr int kIconSize = 20;  // px at 1x; the icons are drawn for 2x screens too
constexpr int kHistory = 20;   // addresses kept in the combo box

// Language keys of each button's caption (text buttons only) and tooltip.
struct ButtonTexts {
    const char* key;
    const char* caption;
    const char* tip;
};
const ButtonTexts kButtons[] = {
    {"ToPTT", nullptr, "Tip_To_PTT"},
    {"PTTShortcut", nullptr, "Tip_PTT_Shortcut"},
    {"ShortURL", nullptr, "Tip_Share_Link"},
    {"SearchPTT", nullptr, "Tip_Search_PTT"},
    {"ZEKManual", "Toolbar_Manual", "Tip_Manual"},
    {"BugReport", "Toolbar_Bug_Report", "Tip_Bug_Report"},
};
}  // namespace

const QStringList& ToolbarRow::buttonKeys() {
    static const QStringList keys = [] {
        QStringList list;
        for (const ButtonTexts& b : kButtons) list << QString::fromLatin1(b.key);
        return list;
    }();
    return keys;
}

ToolbarRow::ToolbarRow(QWidget* content) : QObject(content) {
    TB = new QToolBar(content);
    TB->setObjectName(QStringLiteral("TB"));
    // Buttons without a picture show their caption.
    TB->setToolButtonStyle(Qt::ToolButtonIconOnly);
    TB->setIconSize(QSize(kIconSize, kIconSize));
    TB->setMovable(false);
    for (const QString& key : buttonKeys()) {
        QAction* action = TB->addAction(toolbar_icons::icon(key), key);
        action->setObjectName(key);
        connect(action, &QAction::triggered, this, [this, key] { emit ButtonClick(key); });
    }
    // Until the texts are applied the text buttons carry the captions the row is known by.
    button(QStringLiteral("ZEKManual"))->setText(QStringLiteral("使用說明"));
    button(QStringLiteral("BugReport"))->setText(QStringLiteral("問題回報"));

    CmbGo = new QComboBox(content);
    CmbGo->setObjectName(QStringLiteral("CmbGo"));
    CmbGo->setEditable(true);
    CmbGo->setInsertPolicy(QComboBox::NoInsert);  // rememberAddress keeps the list
    CmbGo->setEditText(deployment::pttHost());
    CmbGo->resize(200, CmbGo->sizeHint().height());
    // Enter is taken before the combo box sees it: the box would hand it to its line
    // edit a second time. Typed keys reach the box itself (its line edit passes the focus
    // to it and gets the keys by a direct call that no filter sees); the line edit's own
    // filter serves keys sent to it straight.
    CmbGo->installEventFilter(this);
    CmbGo->lineEdit()->installEventFilter(this);

    CmdGo = new QPushButton(QStringLiteral("Go"), content);
    CmdGo->setObjectName(QStringLiteral("CmdGo"));
    CmdGo->resize(CmdGo->sizeHint());
    connect(CmdGo, &QPushButton::clicked, this, [this] { emit GoRequested(CmbGo->currentText()); });

    TxtZEKURL = new QLineEdit(content);
    TxtZEKURL->setObjectName(QStringLiteral("TxtZEKURL"));
    TxtZEKURL->setReadOnly(true);
    TxtZEKURL->resize(200, TxtZEKURL->sizeHint().height());

    TB->adjustSize();
}

bool ToolbarRow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == CmbGo || watched == CmbGo->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit GoRequested(CmbGo->currentText());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QAction* ToolbarRow::button(const QString& key) const { return TB->findChild<QAction*>(key); }

void ToolbarRow::applyTexts(const LanguageTexts& texts) {
    for (const ButtonTexts& b : kButtons) {
        QAction* action = button(QString::fromLatin1(b.key));
        if (!action) continue;
        const QString tip = texts.text(QString::fromLatin1(b.tip));
        if (b.caption) action->setText(texts.text(QString::fromLatin1(b.caption)));
        else action->setText(tip);
        action->setToolTip(tip);
    }
    CmdGo->setText(texts.text(QStringLiteral("Button_Go")));
    CmdGo->resize(CmdGo->sizeHint());
    CmbGo->setToolTip(texts.text(QStringLiteral("Tip_Address")));
    CmbGo->lineEdit()->setPlaceholderText(texts.text(QStringLiteral("Tip_Address")));
    TxtZEKURL->setToolTip(texts.text(QStringLiteral("Tip_Zek_URL")));
    TB->adjustSize();
}

void ToolbarRow::rememberAddress(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return;
    const int at = CmbGo->findText(t, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (at >= 0) CmbGo->removeItem(at);
    CmbGo->insertItem(0, t);
    while (CmbGo->count() > kHistory) CmbGo->removeItem(CmbGo->count() - 1);
    CmbGo->setCurrentIndex(0);
}

void ToolbarRow::focusAddress() {
    CmbGo->setFocus(Qt::ShortcutFocusReason);
    CmbGo->lineEdit()->selectAll();
}

int ToolbarRow::comboOffset() const { return TB->sizeHint().width() + kSpacing; }

int ToolbarRow::height() const {
    const int first = std::max({TB->sizeHint().height(), CmbGo->height(), CmdGo->height()});
    return first + kLineGap + TxtZEKURL->height();
}

void ToolbarRow::place(int left, int top, int comboWidth) {
    const int firstHeight = std::max({TB->sizeHint().height(), CmbGo->height(), CmdGo->height()});
    TB->setGeometry(left, top, TB->sizeHint().width(), firstHeight);
    const int comboLeft = left + comboOffset();
    const int width = comboWidth > 0 ? comboWidth : CmbGo->width();
    CmbGo->setGeometry(comboLeft, top + (firstHeight - CmbGo->height()) / 2, width, CmbGo->height());
    CmdGo->move(comboLeft + width + kSpacing, top + (firstHeight - CmdGo->height()) / 2);
    TxtZEKURL->setGeometry(comboLeft, top + firstHeight + kLineGap, width + kSpacing + CmdGo->width(),
                           TxtZEKURL->height());
}
