#pragma once
// The game's music: three looped pieces and the stage jingle, as interleaved stereo floats of exactly
// `seconds`, not yet normalised. The looped pieces wrap seamlessly: whatever rings past the end (releases,
// reverb) is folded onto the start.

#include <vector>

namespace DataBuild {

std::vector<float> MenuWaltz(double seconds);     // F major, 3/4, music box, pad, plucked bass
std::vector<float> PastoralMusic(double seconds); // G major, 2/4, flute, marimba, soft bass
std::vector<float> PizzicatoMusic(double seconds); // D major, 4/4, pizzicato, glockenspiel
std::vector<float> StageJingle(double seconds);   // C major fanfare with chimes, a one-shot

} // namespace DataBuild
