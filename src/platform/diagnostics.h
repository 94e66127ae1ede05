#pragma once

// The one place the game's diagnostic lines go: standard output, a whole line at a time and flushed at
// once, so a line is seen even when the game is stopped right after it. The lines inform; nothing reads
// them back, and writing one never changes what the game does.

// Writes the line and its line break. printf-style: the texts are fixed, with at most a number or a path.
void diagnosticLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The terminal's bell, on standard error (after a texture failed to load).
void diagnosticBell();
