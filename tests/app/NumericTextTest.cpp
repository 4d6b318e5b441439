#include "app/NumericText.h"

#include <gtest/gtest.h>

TEST(NumericText, WhatCountsAsANumberAndHowItRounds) {
    struct Case { const char* text; std::optional<int64_t> rounded; };
    const Case cases[] = {
        {"0", 0},      {"  7  ", 7},    {"-5", -5},     {"+5", 5},     {"2.5", 2},      {"3.5", 4},     {"-2.5", -2},
        {"-3.5", -4},  {".5", 0},       {"1.", 1},      {"0.49", 0},   {"\t12\t", 12},  {"007", 7},     {"", {}},
        {"  ", {}},    {"-", {}},       {".", {}},      {"+-1", {}},   {"1.2.3", {}},   {"1e2", {}},    {"1,000", {}},
        {"0x10", {}},  {"12a", {}},     {"a12", {}},    {"1 2", {}},   {"inf", {}},     {"nan", {}},
        {"１", {}},  // a full-width digit
        {"99999999999999999999", {}},  // beyond 64 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(numeric_text::roundedInteger(QString::fromUtf8(c.text)), c.rounded) << '"' << c.text << '"';
}
