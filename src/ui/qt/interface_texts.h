#pragma once
#include <span>

// The texts the game hands to the window, as the catalogue's tools see them: the plain layers
// know no Qt, so their messages, titles and canvas texts are listed here for lupdate.
// A comment tells apart two texts spelled alike (a menu's caption from a message).
struct InterfaceText {
    const char* source;
    const char* comment;
};

// Every whole text and every paragraph of a composed message.
std::span<const InterfaceText> interfaceTexts();

// Texts that embed a file name, the name standing as %1.
std::span<const char* const> interfacePatterns();
