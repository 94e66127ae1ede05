#pragma once

#include "platform/window.h"

// The callbacks the game installs and the rules every windowing backend reports its events through, so the
// GLFW layer and the scripted stand-in cannot drift apart:
//  - the close callback only reports the request: the window stays open when it returns 0;
//  - the size callback fires once, at once, when it is installed on an open window;
//  - typed characters are delivered in the range the game's interface knows (printable ASCII and Latin-1
//    from 160 up), and a character produced by a held key's repeat only while key repeat is on;
//  - Enter pressed while either Alt key is down asks for the full-screen switch and is no Enter: from that
//    press to Enter's release the key reads as up, so a player who lets go of Alt first does not restart
//    the level or confirm a menu item.
// One window per program: the state is the module's own, touched only on the main thread.

// Forgets every callback and turns key repeat off (a fresh library).
void resetWindowEvents();

void installCloseCallback(CloseCallback callback);
// The window's close button was pressed; true when the window is to close.
bool reportCloseRequest();

// windowOpen and the size: the window's, so the callback hears the size at once.
void installSizeCallback(SizeCallback callback, bool windowOpen, int width, int height);
void reportSize(int width, int height);

void installCharCallback(CharCallback callback);  // nullptr removes it
bool charCallbackInstalled();
void setKeyRepeat(bool enabled);
bool keyRepeatEnabled();
// A character typed; fromRepeat when a held key's repeat produced it.
void reportChar(unsigned int codepoint, bool fromRepeat);

// A game key went down (not a repeat), with Alt down or not at that moment; false when the press does not
// count as one of the key's presses (Enter with Alt).
bool reportKeyPress(int gameKey, bool altDown);
void reportKeyRelease(int gameKey);
// The key reads as up whatever its state: Enter from a press with Alt until its release.
bool keyHeldBack(int gameKey);
// Whether Enter was pressed with Alt since the last call.
bool takeAltEnterPress();
