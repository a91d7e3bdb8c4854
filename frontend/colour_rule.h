// Which displays the game runs on: not those of 8 to 257 colours, whose palette cannot hold
// its pictures.
#pragma once

bool DisplayAccepted(int bitsPerPixel, int planes);
