#include "audio/game_audio.h"

// Stand-in until the audio module lands: a silent game.
void initAudio(GameAudio&) {}
void loadSamples(GameAudio&) {}
void changeSong(GameAudio&, const char*) {}
void pauseSong(GameAudio&) {}
void resumeSong(GameAudio&) {}
void forgetChannels(GameAudio&) {}
void updateSlideSounds(GameAudio&, const Board&, std::mt19937&) {}
void playFootstep(GameAudio&, Vec3) {}
void moveFootsteps(GameAudio&, const Player&) {}
void placeListener(GameAudio&, Vec3, Vec3) {}
void updateAudio(GameAudio&) {}
