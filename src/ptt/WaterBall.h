#pragma once
#include "screen/CellSource.h"

#include <QString>

#include <optional>

// An instant message ("water ball") as PTT shows it when one arrives: on the top row, on
// a coloured bar, a star, the sender's account and the message:
//   ★sender message
// Accounts are 2 to 12 letters and digits starting with a letter. The bar (a background
// other than black under the star) tells it from text that merely starts with a star.
struct WaterBall {
    QString sender;
    QString message;
    bool operator==(const WaterBall&) const = default;

    // The message on the screen, or nothing.
    static std::optional<WaterBall> find(const CellSource& screen);
};
