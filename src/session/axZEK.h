#pragma once
// Public face of the BBS session control. The main window codes against this header;
// the members below keep their names and meaning, the private part is the session's own.
#include "screen/CellSource.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

class axZekScreen;
class LanguageTexts;
class Settings;
class UserInteraction;

// One BBS connection (raw TCP without telnet negotiation by default; SSH or WebSocket
// when the host is written with a scheme) with the terminal screen that shows it, its keyboard, mouse, popup menu and paste. It reports to its container only
// through the five signals.
class axZEK : public QWidget, public CellSource {
    Q_OBJECT
public:
    // settings: switch_of_ctrl_c / switch_of_ctrl_v are read at every key, so menu
    // changes take effect at once. ui: opening addresses from the popup menu.
    axZEK(const Settings& settings, UserInteraction& ui, QWidget* parent = nullptr);
    ~axZEK() override;
    // The language of the questions a connection asks (SSH host keys, passwords); it must
    // outlive the session.
    void setLanguageTexts(const LanguageTexts* texts);

    void Init(const QString& host, int port);
    void Connection(const QString& host, int port);
    void Disconnection();
    void sendData(const QByteArray& bytes);
    void sendData(const QString& text);  // converted to Big5
    // Bytes handed to the connection since the session was made, whoever typed them.
    uint64_t bytesSent() const;
    void f貼上資料();
    // Copies the marked text with its colours (PTT's editor's "*[1;33m" form).
    void f複製含色彩();
    void SetFont(const QString& fontName, float size);
    void Resize();

    int32_t f取回銀幕文字(int col, int row) const override;
    int32_t f取回銀幕前景色(int col, int row) const override;
    int32_t f取回銀幕背景色(int col, int row) const override;
    int32_t f取回銀幕閃爍色(int col, int row) const override;
    RowCells rowCells(int row) const override;

    QString get標記文字() const;
    QString ReceiveText() const;
    void setReceiveText(const QString& text);

    bool isConnected() const;        // socket state 7
    bool isEncrypted() const;        // SSH or wss: the tab shows a lock
    // Why the connection last failed or broke, as the transport said it ("" for none).
    QString lastError() const;
    axZekScreen* screen() const;     // axZekScreen1
    QString host() const;
    int port() const;
    QSize sizeHint() const override;

signals:
    void LinkClicked(const QString& link);
    void TextMarked(const QString& text);
    void SocketError();
    void Connected();
    void DataArrived();
    void ReceiveTextChanged();
    // The connection ended after it was made (the host closed it, or the network went).
    void Disconnected();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class SessionInput;
    const Settings& settings() const;
    UserInteraction& userInteraction() const;
    void takeArrivedBytes();
    void drainReceived();

    struct Impl;
    Impl* d;
};
