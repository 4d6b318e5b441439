#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

// The screen font: which installed family stands for the name the user picked, how a
// size becomes pixels, and which sizes the size property accepts.
class ScreenFont {
public:
    // "細明體" and "MingLiU" (any case, with or without "New") are not installed on Linux:
    // they map to "AR PL UMing TW", then "Noto Sans Mono CJK TC". Any other name is
    // tried first and keeps the same Traditional Chinese fallbacks behind it, so
    // Chinese never shows as boxes.
    static QStringList families(const QString& name);

    // Sizes are points at 96 dpi whatever the display says, so a given size gives the
    // same cells on every machine (12 -> 16 px, 13 -> 17 px, 20 -> 27 px).
    static int pixelSize(float points);

    // Sizes the size property accepts at run time: 8-11, 13-15, 17, 18, 20, 21, 23, 24,
    // 26, 27 (12, 16, 19, 22 and 25 are left out). A loaded or default size of 12 is set
    // without this test.
    static bool isAcceptedSize(float points);

    static QFont make(const QString& name, float points);

    // Pixel height of the font sample "國": one em. The MingLiU family that PTT screens
    // are drawn for has a line height of exactly one em, and the automatic size table
    // of the main window counts on it; the Linux faces add about a tenth of leading,
    // which would leave gaps in block-character art and push the screen's last rows
    // out of the window. At least 2 so cells never collapse.
    static int sampleHeight(const QFont& font);
    // Distance from a cell's top to the baseline: the font's ascent scaled so that
    // ascent plus descent fit the em-high cell.
    static int baseline(const QFont& font);
};
