// Operations on the slots of a picture list that both programs share.
#pragma once

#include "common/picture_entry.h"

// Moves entry 1 to the end and entries 2..N up by one place. Lists of 0 or 1 pictures stay as
// they are.
void RotatePictures(PictureSlots& pictures);
