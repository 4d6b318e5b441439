#pragma once
// The About box: the program's picture, name, version, what it is, and the website.
#include <QDialog>

class LanguageTexts;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const LanguageTexts& texts, QWidget* parent = nullptr);
};
