#pragma once
#include "app/UserInteraction.h"

#include <cstdio>

// Messages printed instead of shown (ZEK_MESSAGES=stderr): for runs without a person at
// the screen, such as start-up tests. Questions are answered No and URLs are printed,
// never opened.
class StderrUserInteraction : public UserInteraction {
public:
    explicit StderrUserInteraction(std::FILE* out = stderr) : out_(out) {}
    void message(const QString& text, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
    void openUrl(const QString& url) override;

private:
    std::FILE* out_;
};
