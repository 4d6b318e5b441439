#include "app/StderrUserInteraction.h"

void StderrUserInteraction::message(const QString& text, const QString& title) {
    std::fprintf(out_, "zek message [%s]: %s\n", title.toUtf8().constData(), text.toUtf8().constData());
    std::fflush(out_);
}

bool StderrUserInteraction::askYesNo(const QString& text, const QString& title) {
    std::fprintf(out_, "zek question [%s]: %s -> No\n", title.toUtf8().constData(), text.toUtf8().constData());
    std::fflush(out_);
    return false;
}

void StderrUserInteraction::openUrl(const QString& url) {
    std::fprintf(out_, "zek open: %s\n", url.toUtf8().constData());
    std::fflush(out_);
}
