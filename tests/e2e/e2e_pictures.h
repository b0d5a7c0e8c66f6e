// Picture files and list lines that the end-to-end tests make in an application folder.
#pragma once

#include <wincodec.h>

#include <string>

#include "../win/test_pictures.h"
#include "driver.h"
#include "loader_session.h"

namespace e2e {

// Writes a picture of `width` x `height` in four coloured quadrants (red, green / blue, white) as
// `name` in the folder's "pics" subfolder, in the format its ending names (a bitmap otherwise);
// returns its full path.
inline std::string MakePicture(const AppFolder& folder, const std::string& name, int width, int height) {
    namespace tp = test_pictures;
    CreateDirectoryA((folder / "pics").c_str(), nullptr);
    const std::string path = folder / ("pics\\" + name);
    const std::string ending = name.substr(name.size() - 3);
    if (ending == "jpg") {
        tp::EncodeWithWic(path, GUID_ContainerFormatJpeg, width, height, tp::Quadrants(width, height));
    } else if (ending == "gif") {
        tp::EncodeWithWic(path, GUID_ContainerFormatGif, width, height, tp::Quadrants(width, height));
    } else {
        tp::WriteBytes(path, tp::BitmapFile(width, height, tp::Quadrants(width, height)));
    }
    return path;
}

// A list line for the picture at `path`, its folder up to the last backslash.
inline loader_e2e::ListEntry Entry(const std::string& path, int tile, bool stretch) {
    return {static_cast<int>(path.rfind('\\') + 1), path, tile, stretch};
}

}  // namespace e2e
