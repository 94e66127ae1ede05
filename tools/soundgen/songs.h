#pragma once

#include "soundgen/it_writer.h"

// The game's two songs, composed here and written as Impulse Tracker modules.

// "audio/music/in1.it": the title song. C major, 112 beats a minute: a soft intro of pad and broken
// chords, a verse and a chorus with a flute-like lead over bass and drums, a quieter bridge, the verse
// again and an outro that settles on the tonic and leads back into the intro.
ItModule makeTitleSong();

// "audio/music/s1.it": the in-game song. A minor, 80 beats a minute, calm and even so that it can loop
// through a long level: pad, bass and electric-piano figures throughout, soft drums, and a sparse melody
// that rests now and then; it ends on the dominant, which leads back into its first bar.
ItModule makeGameSong();

// Rows of every pattern in both songs: four bars of four beats of four rows.
constexpr int kSongRowsPerBar = 16;
constexpr int kSongPatternRows = 64;
