// frmGFX1: the hidden form that holds the back buffer and the seven sprite lists.
#pragma once

#include "platform/back_buffer.h"
#include "platform/image_list.h"

struct SpriteStore {
    platform::BackBuffer buffer;
    platform::ImageList misc;  // status-bar labels and the spare-ship icon, 32 x 16
    platform::ImageList enemy1f;  // enemy in flight, rolling, 16 x 16
    platform::ImageList enemy1;  // enemy breaking up, 16 x 16
    platform::ImageList Explosion1;  // asteroid burst, 16 x 16
    platform::ImageList asteroid2;  // the tumbling rock, 16 x 16
    platform::ImageList weapon1;  // shots, 8 x 8
    platform::ImageList ship1;  // the player's ship, rolling and breaking up, 32 x 32
};

// Loaded on first use, like a form: the lists come from the pictures built into the program.
SpriteStore& frmGFX1();

// Sees every sprite the engine draws; tests use it to check which image went where.
class DrawObserver {
public:
    virtual ~DrawObserver() = default;
    virtual void OnDraw(const platform::ImageList& list, int n, int x, int y) = 0;
};
void SetDrawObserver(DrawObserver* observer);

// The transparent draw into the back buffer: image n (from 1) of list at (x, y).
void DrawSprite(const platform::ImageList& list, int n, int x, int y);
