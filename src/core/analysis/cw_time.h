#pragma once
// How long a CW message takes to send a number of times.

#include <string>
#include <string_view>

// Length of one character in dot units (dots 1, dashes 3, and the one-unit
// gaps inside the character); a blank is the 7-unit gap between words.
// Letters count the same in either case; unknown characters count 0.
int cwCharUnits(char c);

// Dot units of a whole message: its characters plus the 3-unit gap between
// two characters of a word.
long long cwMessageUnits(std::string_view text);

struct CwTiming {
    std::string text;
    int wpm = 40;
    int repeat = 1000;
    int delayBeginMs = 0;
    int delayEndMs = 0;
};

// Minutes that Repeat transmissions take, each with its delays: a dot unit
// lasts 1.25 s at 1 WPM.
double cwSendingMinutes(const CwTiming& t);
// The result as the window shows it: two decimals and " min.".
std::string cwSendingTimeText(const CwTiming& t);
