// Text that stays readable on its background, whatever colour the rules give it.
#pragma once
#include "ui/color.h"

namespace quorl {

// How far apart two colours stand for the eye: the ratio of their relative luminances (each plus 0.05),
// from 1 (the same colour) to 21 (black on white).
double contrastRatio(Color a, Color b);

// The colour to show a text in on a background: its own when the two stand at least 3:1 apart, else mixed
// toward white (on a dark background) or black (on a light one) just far enough to reach 3:1.
Color legibleOn(Color text, Color back);

}  // namespace quorl
