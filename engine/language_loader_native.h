#pragma once
// The native build has no window to post to: whoever wants to know that the
// loader has finished installs a poster, called on the loader thread.
#include "engine/language_registry.h"

using LanguagesLoadedPoster = void (*)(const LoaderThreadParam& param);
void SetLanguagesLoadedPoster(LanguagesLoadedPoster poster);
