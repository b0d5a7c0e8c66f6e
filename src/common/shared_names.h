// Names both programs must agree on: the loader's application title, the files in the
// application folder, and the rights registry keys are opened with. No <windows.h> here.
#pragma once

#include <cstdint>

// The text of the loader's hidden application window. A second loader and the configuration
// program find a running loader by the owner of its windows carrying this text.
inline constexpr char kLoaderTitle[] = "Quilloria Loader";

// The settings file and the temporary wallpaper bitmap, both in the application folder.
inline constexpr char kSettingsFileName[] = "Quilloria.dat";
inline constexpr char kTempBitmapName[] = "Quilloria.bmp";

// The rights the Run key and the desktop key are opened with: STANDARD_RIGHTS_REQUIRED |
// KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_LINK | 0x40 (0xF0000 | 0x1 | 0x2 | 0x20 | 0x40).
inline constexpr uint32_t kRegistryAccess = 0xF0063;
