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

// Registry key rights, by their Windows names and values: KEY_QUERY_VALUE reads a key's values,
// KEY_SET_VALUE writes and deletes them. A key is opened with exactly the rights its work needs;
// anything more (WRITE_DAC, WRITE_OWNER) a user need not hold, and Windows may refuse the open.
inline constexpr uint32_t kKeyQueryValue = 0x0001;
inline constexpr uint32_t kKeySetValue = 0x0002;

// The rights the Run key and the desktop key are opened with to read their values, and to write
// or delete them.
inline constexpr uint32_t kRegistryReadAccess = kKeyQueryValue;
inline constexpr uint32_t kRegistryWriteAccess = kKeySetValue;
