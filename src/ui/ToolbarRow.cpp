#include "ui/ToolbarRow.h"

#include "app/Deployment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

namespace {
constexpr int kSpacing = 4;  // px between the controls of the row
// px between the address line and the URL line under it: kept small so that the screen
// gets the height the automatic font size table counts on.
constexpr int kLineGap = 1;
}

ToolbarRow::ToolbarRow(QWidget* content) : QObject(content) {
    TB = new QToolBar(content);
    TB->setObjectName(QStringLiteral("TB"));
    TB->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TB->setMovable(false);
    QAction* toPtt = TB->addAction(QStringLiteral("PTT"));
    toPtt->setObjectName(QStringLiteral("ToPTT"));
    QAction* search = TB->addAction(QStringLiteral("搜尋"));
    search->setObjectName(QStringLiteral("SearchPTT"));

    CmbGo = new QComboBox(content);
    CmbGo->setObjectName(QStringLiteral("CmbGo"));
    CmbGo->setEditable(true);
    CmbGo->setEditText(deployment::pttHost());
    CmbGo->resize(200, CmbGo->sizeHint().height());

    CmdGo = new QPushButton(QStringLiteral("Go"), content);
    CmdGo->setObjectName(QStringLiteral("CmdGo"));
    CmdGo->resize(CmdGo->sizeHint());

    TxtZEKURL = new QLineEdit(content);
    TxtZEKURL->setObjectName(QStringLiteral("TxtZEKURL"));
    TxtZEKURL->setReadOnly(true);
    TxtZEKURL->resize(200, TxtZEKURL->sizeHint().height());

    TB->adjustSize();
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
