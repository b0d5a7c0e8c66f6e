#include "common/picture_list.h"

#include <algorithm>

void RotatePictures(PictureSlots& pictures) {
    if (PictureCount(pictures) < 2) return;
    std::rotate(pictures.begin() + 1, pictures.begin() + 2, pictures.end());
}
