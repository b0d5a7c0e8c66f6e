// Which kind of picture a file name announces. No <windows.h> here.
#pragma once

#include <string_view>

// A picture kind told by the last three characters of a file name, in any letter case: "bmp",
// "gif" or "jpg". No dot is needed ("xjpg" names a JPEG), and only the name counts, never the
// file's content.
enum class PictureNameKind { Bitmap, Gif, Jpeg, None };

// Returns the kind whose ending is `first`, `second`, `third` (the name's last three characters,
// in order); None for any other ending. Callers that step through a name by characters rather
// than by bytes hand over its last three characters here.
PictureNameKind PictureKindOfEnding(char32_t first, char32_t second, char32_t third);

// Returns the kind of a name or full path whose characters are single bytes; None for a name of
// fewer than three characters.
PictureNameKind PictureKindOfName(std::string_view name);
