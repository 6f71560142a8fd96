#pragma once

// The look enumerations of the styled controls. Their ordinals are what state files store.
enum TKXBackStyle { rbsNone = 0, rbsBitmap = 1, rbsGradient = 2 };
enum TCellStyle { rcsNone = 0, rcsBox = 1, rcsRoundRight = 2, rcsRoundLeft = 3 };
enum TKXLineStyle { rlsNone = 0, rlsBox = 1, rlsUnderline = 2 };
enum TKXCStyle { kxBoxIn = 0, kxBoxOut = 1, kxNoDraw = 2 };
enum TShadowStyle {
    ssNoShad = 0,
    ssLeftRight = 1,
    ssTopBottom = 2,
    ssShadLeft = 3,
    ssShadRight = 4,
    ssShadTop = 5,
    ssShadBottom = 6
};
enum TEffectStyle { efTopDown = 0, efLeftRight = 1, efNone = 2 };
