// The pictures of the windows, from those built into the program.
#pragma once

#include <string_view>

#include "platform/fltk/picture.h"

// Image index (from 0) of the named list: "title", "splash", "face_StartGame", "pages"...
toolkit::Picture WindowPicture(std::string_view name, int index = 0);
// How many images the list holds.
int WindowPictureCount(std::string_view name);
