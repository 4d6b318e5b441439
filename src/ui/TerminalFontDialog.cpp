#include "ui/TerminalFontDialog.h"

#include "app/LanguageTexts.h"
#include "screen/ScreenFont.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
const int kSizes[] = {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 23, 24, 26, 27};
}

QString TerminalFontDialog::mingFamily() { return QStringLiteral("細明體"); }

QString TerminalFontDialog::monospaceFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"DejaVu Sans Mono", "Noto Sans Mono", "Liberation Mono"})
        if (installed.contains(QString::fromLatin1(name))) return QString::fromLatin1(name);
    return QStringLiteral("Monospace");
}

TerminalFontDialog::TerminalFontDialog(const QFont& initial, const LanguageTexts& texts, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TerminalFontDialog"));
    setWindowTitle(texts.text(QStringLiteral("Font_Dialog_Title")));

    families_ = new QListWidget(this);
    families_->setObjectName(QStringLiteral("Families"));
    auto addFamily = [this](const QString& shown, const QString& family) {
        auto* item = new QListWidgetItem(shown, families_);
        item->setData(Qt::UserRole, family);
    };
    addFamily(texts.text(QStringLiteral("Font_Ming")), mingFamily());
    addFamily(texts.text(QStringLiteral("Font_Mono_Ming")), monospaceFamily());
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family) &&
            family != monospaceFamily())
            addFamily(family, family);
    }

    sizes_ = new QComboBox(this);
    sizes_->setObjectName(QStringLiteral("Sizes"));
    for (int s : kSizes) sizes_->addItem(QString::number(s), s);

    sample_ = new QLabel(QStringLiteral("PTT 批踢踢實業坊 l1I|O0o 國"), this);
    sample_->setObjectName(QStringLiteral("Sample"));
    sample_->setMinimumHeight(60);
    sample_->setStyleSheet(QStringLiteral("background:black;color:#c0c0c0;padding:4px"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(texts.text(QStringLiteral("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(texts.text(QStringLiteral("Cancel")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(texts.text(QStringLiteral("Font_Face")), this), 0, 0);
    grid->addWidget(new QLabel(texts.text(QStringLiteral("Font_Size")), this), 0, 1);
    grid->addWidget(families_, 1, 0);
    grid->addWidget(sizes_, 1, 1, Qt::AlignTop);
    grid->addWidget(sample_, 2, 0, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 2);
    resize(460, 360);

    connect(families_, &QListWidget::currentRowChanged, this, &TerminalFontDialog::updateSample);
    connect(sizes_, &QComboBox::currentIndexChanged, this, &TerminalFontDialog::updateSample);
    select(initial.family(), initial.pointSize() > 0 ? initial.pointSize() : 9);
}

void TerminalFontDialog::select(const QString& family, int points) {
    int row = 0;  // an unknown face falls back to the Ming face
    for (int i = 0; i < families_->count(); ++i)
        if (families_->item(i)->data(Qt::UserRole).toString() == family) row = i;
    families_->setCurrentRow(row);
    int index = sizes_->findData(points);
    if (index < 0) {
        sizes_->addItem(QString::number(points), points);
        index = sizes_->count() - 1;
    }
    sizes_->setCurrentIndex(index);
    updateSample();
}

QFont TerminalFontDialog::selectedFont() const {
    QFont font;
    const QListWidgetItem* item = families_->currentItem();
    font.setFamily(item ? item->data(Qt::UserRole).toString() : mingFamily());
    font.setPointSize(sizes_->currentData().toInt() > 0 ? sizes_->currentData().toInt() : 9);
    return font;
}

void TerminalFontDialog::updateSample() {
    const QFont chosen = selectedFont();
    sample_->setFont(ScreenFont::make(chosen.family(), float(chosen.pointSize())));
}

std::optional<QFont> TerminalFontDialog::choose(const QFont& initial, const LanguageTexts& texts, QWidget* parent) {
    TerminalFontDialog dialog(initial, texts, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFont();
}
