#pragma once

#include <string>
#include <vector>

#include "platform/Surface.h"

namespace moriva {

// The pictures embedded in the build, by role: "tiles", "sprites", "title", "background",
// "item0".."item9", "dialog", "icon". Loaded from the resource ":/pictures/<name>.png";
// an empty Surface when the build holds no such picture. A picture that
// StartDecodingPictures has taken on is waited for, not decoded again (once: a second
// LoadPicture of the same name decodes it anew).
Surface LoadPicture(const std::string& name);

// Decodes these pictures on a worker thread, in this order, while the caller goes on (the
// windows are built meanwhile). Only the first call of a program starts the worker; it is
// joined when the program exits.
void StartDecodingPictures(const std::vector<std::string>& names);

// The roles of every picture embedded in the build, sorted.
std::vector<std::string> PictureNames();

// The generated debug tile sheet (":/debug/tiles.png"): each of the 192 tiles in its own
// colour with its code written on it. Tests and tools use it whatever the real sheet is.
Surface LoadDebugTileSheet();

// Loads any image file or resource path into a surface; empty when it cannot be read.
Surface LoadImageFile(const std::string& path);

}  // namespace moriva
