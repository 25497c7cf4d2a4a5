#pragma once

#include <QtGlobal>

// The main window fades in by 2 per tick until the counter reaches 200, then settles at
// 250 of 255; Exit fades it out by 2 per tick and the program ends at the first counter
// of 40 or less. The classic desktop delivered its "1 ms" timer once per 15.6 ms tick;
// 16 ms keeps the fade as long as it was made to look.
inline constexpr int FadeTickMs = 16;
inline constexpr int FadeStep = 2;
inline constexpr int FadeInEnd = 200;
inline constexpr qint32 FinalOpacity = 250;
inline constexpr int FadeOutEnd = 40;

struct FadeTick
{
    int counter;
    qint32 alpha;
    bool last; // fade-in: the timer stops; fade-out: the program ends, alpha not applied
};

constexpr FadeTick fadeInTick(int counter)
{
    const int next = counter + FadeStep;
    return next >= FadeInEnd ? FadeTick{next, FinalOpacity, true} : FadeTick{next, next, false};
}

constexpr FadeTick fadeOutTick(int counter)
{
    const int next = counter - FadeStep;
    return FadeTick{next, next, next <= FadeOutEnd};
}
